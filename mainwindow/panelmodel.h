#pragma once

#include "mainwindow/commandkinds.h"
#include "mainwindow/modProgVar.h"

#include <QString>

#include <array>
#include <functional>
#include <vector>

// A label on the panel: auto-sized to its caption, transparent, coloured text.
struct PanelLabel {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 13;
    QString Caption;
    Rgb Color = kinds::Black;
    bool Visible = false;
};

// A block's shape: rounded rectangle (END: oval) with a fill and a thin border.
struct PanelShape {
    float Left = 0;
    float Top = 0;
    float Width = 65;
    float Height = 17;
    Rgb Fill = kinds::White;
    bool Visible = false;
    bool Oval = false;
};

// One block: shape, text label and (for kinds that have one) comment label, sharing an element index.
struct PanelBlock {
    PanelShape Shape;
    PanelLabel Text;
    PanelLabel Comment;
};

// Mouse buttons as the panel handlers receive them.
enum MouseButton : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// Why an add was refused; None when it may go ahead.
enum class AddRefusal { None, TableFull, CounterFull, PanelFull };

// The program panel as data: every block of every kind, the command-line table's layout, and the
// mouse interaction (press, drag, drop), deletion, reset and re-layout after an edit. It needs one
// service from outside: the width an auto-sized label takes for a caption.
class PanelModel {
public:
    using LabelWidth = std::function<int(const QString&)>;

    // Highest row a block may stand on: keeps every Top below the sort's sentinel 10000 and
    // the panel height within 16 bits.
    static constexpr qint16 MaxRowTop = 9584;
    static constexpr qint16 MaxPanelHeight = 32000;

    PanelModel(modProgVar& vars, LabelWidth labelWidth);

    modProgVar& vars() { return m_vars; }
    const modProgVar& vars() const { return m_vars; }

    // Blocks of a kind; element 0 is the hidden template and never a real block.
    const std::vector<PanelBlock>& blocks(Kind k) const { return m_blocks[static_cast<std::size_t>(code(k))]; }
    const PanelBlock& block(Kind k, int index) const { return blocks(k)[static_cast<std::size_t>(index)]; }
    bool exists(Kind k, int index) const;
    QString heldText(Kind k, int index) const;
    QString inlineComment(Kind k, int index) const;

    float panelWidth() const { return m_panelWidth; }
    float panelHeight() const { return m_panelHeight; }

    // Whether an add of this kind can go ahead (GOSUB needs three rows); checked before any dialog opens.
    AddRefusal canAdd(Kind k) const;
    // Adds one block below all others with the given texts (END keeps its caption). Blank splits its
    // text at the first "'". Returns false, with nothing changed, when canAdd refuses.
    bool add(Kind k, const QString& heldText, const QString& inlineComment);
    // Adds the GOSUB block, its Label block and its RETURN block.
    bool addGoSub(const QString& goSubText, const QString& labelText);

    // Mouse handlers. mouseDown returns true when a right press hit a block that opens the pop-up menu.
    bool mouseDown(int button, float x, float y);
    void mouseMove(int buttons, float x, float y);
    void mouseUp(int button, float x, float y);
    bool pointerIsHand() const { return m_hand; }
    // True when the point is over a block's labels (the pointer there is the default arrow).
    bool overLabel(float x, float y) const;

    // The block the pop-up menu acts on, if it still exists.
    bool selectionExists() const;
    // Text for the clipboard: caption, three blanks, comment (also kept in ClipText).
    QString copyText();
    // Deletes the selected line (a GOSUB takes its RETURN line along).
    void deleteLine();
    // Empties the panel and the table; keeps the panel height.
    void reset();
    // New captions for an edited block, then the kind's layout rule for its shape width.
    void setCaptions(Kind k, int index, const QString& heldText, const QString& inlineComment, bool relayout);

    // Rows 1..LineCount ascending, every block in exactly one row, counters match; empty when all hold.
    QString checkInvariants() const;

private:
    modProgVar& m_vars;
    LabelWidth m_labelWidth;
    std::array<std::vector<PanelBlock>, KindSlots> m_blocks;
    float m_panelWidth = 700;
    float m_panelHeight = 617;
    bool m_hand = false;
    bool m_dragArmed = false;
};
