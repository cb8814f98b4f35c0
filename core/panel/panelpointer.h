#pragma once

#include "core/panel/programmodel.h"

#include <optional>
#include <span>

// The mouse on the program panel: a press selects (and a right press opens the pop-up menu), a left
// or middle press on a block grabs it, moves carry it, and a release that moved drops it on a row.
// The pointer shows a hand over a block's shape outside its labels. Coordinates are the panel's;
// buttons are MouseButton bits.
class PanelPointer {
public:
    // Lowest pointer y a drag follows: one row below the lowest row, so the panel's growth stays bounded.
    static constexpr qint16 MaxDragY = ProgramModel::MaxRowTop + 24;

    explicit PanelPointer(ProgramModel& model) : m_model(model) {}

    // True when a right press hit a block: the pop-up menu opens for it.
    bool mouseDown(int button, float x, float y);
    void mouseMove(int buttons, float x, float y);
    void mouseUp(int button, float x, float y);

    bool isHand() const { return m_model.m_gesture.hand; }
    // True when the point is over a block's labels (the pointer there is the default arrow).
    bool overLabel(float x, float y) const;
    // True between a press on the panel outside every label and its release: the panel has the mouse.
    bool panelHasMouse() const;
    // The block the last left or middle press hit, while it exists: the one a drag carries.
    PanelHit pressedBlock() const;
    // The row top a release at y would drop the carried block on; nothing while none is carried.
    std::optional<qint16> dropTarget(float y) const;
    // The first block (in scan order) whose shape strictly contains the point; element 0 never counts.
    PanelHit hitBlock(float x, float y, std::span<const Kind> order) const;
    // Where the last press was, rounded into 16 bits: a release within a pixel of it drops nothing.
    qint16 pressY() const { return m_model.m_gesture.pressY; }

private:
    void carry(float x, float y);

    ProgramModel& m_model;
};
