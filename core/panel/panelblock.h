#pragma once

#include "core/language/commandkinds.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A label on the panel: auto-sized to its caption, transparent, coloured text.
struct PanelLabel {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 13;
    QString caption;
    Rgb color = kinds::Black;
    bool visible = false;
    bool operator==(const PanelLabel&) const = default;
};

// A block's shape: rounded rectangle (END: oval) with a fill and a thin border.
struct PanelShape {
    float left = 0;
    float top = 0;
    float width = 65;
    float height = 17;
    Rgb fill = kinds::White;
    bool visible = false;
    bool oval = false;
    bool operator==(const PanelShape&) const = default;
};

// One block: shape, text label and (for kinds that have one) comment label, sharing an element index.
struct PanelBlock {
    PanelShape shape;
    PanelLabel text;
    PanelLabel comment;
    // A line read from a file in another layout than the writer's: its bytes as read, and the same
    // as text. Saved as they are while the labels hold what the line was read as; empty for a line
    // the writer composes.
    QByteArray written{};
    QString writtenText{};
    bool operator==(const PanelBlock&) const = default;
};

// A block named by its kind and element index; kind None names no block (a hit test that missed).
struct PanelHit {
    Kind kind = Kind::None;
    int index = 0;
    explicit operator bool() const { return kind != Kind::None; }
    friend bool operator==(const PanelHit&, const PanelHit&) = default;
};

// Mouse buttons as the panel's handlers receive them.
enum MouseButton : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// 16-bit arithmetic the way the table needs it: an out-of-range result is reported, never wrapped.
std::optional<qint16> checkedAdd16(qint16 a, int b);
// Nearest integer with halves to even, then checked into 16 bits.
std::optional<qint16> roundToInt16(double v);

namespace blocklayout {

inline constexpr qint16 LineSpacing = 24; // rows 24 apart
inline constexpr qint16 FirstRow = 8;     // the top row; the first added block stands one row below it
inline constexpr qint16 BlockLeft = 20;   // every laid-out shape's left edge
inline constexpr qint16 CommentWidth = 600;

// The block layout rule, in one place: the shape's corner at (left, top), the text label 8 right of
// and 2 below it, the comment label 8 right of the text label's right edge at the same top.
void place(PanelBlock& b, float left, float top);
// The rest of the rule, the shape's width: fixed for some kinds, else up to the comment's right edge
// and 20 beyond.
void fitShape(Kind k, PanelBlock& b);

} // namespace blocklayout
