#pragma once

#include "gui/toolpath/toolpathscene.h"

#include <QColor>
#include <QFont>
#include <QPen>

// How the scene draws the path, shared by its drawing files: the style bits kept per segment, the
// pen buckets they sort into, and the pens and font.
namespace toolpathstyle {

// Per segment style bits: the depth band below, then these.
inline constexpr quint8 JogBit = 0x10;
inline constexpr quint8 FrameBit = 0x20; // a header's or closing block's segment
inline constexpr int ColourBuckets = ToolpathScene::DepthBands * 4;
inline constexpr int DimBuckets = 2;
// How far toward white the header's and closing block's segments are drawn.
inline constexpr double FrameTone = 0.45;

inline int bucketOf(quint8 style) {
    return (style & 0x0f) * 4 + ((style & JogBit) ? 2 : 0) + ((style & FrameBit) ? 1 : 0);
}

inline QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// On screen a move is one pixel, a jog one pixel dashed. On paper (a picture drawn at twice its size
// for a printer, which may print in black and white) a move is heavy and solid and a jog light and
// dashed, so the two are told apart by weight and pattern, not by colour alone.
inline QPen pathPen(const QColor& colour, bool jog, bool paper = false) {
    // Cosmetic: the raster engine's fast line drawing, whatever the zoom.
    QPen pen(colour, paper ? (jog ? 1.5 : 3.0) : 1);
    pen.setCosmetic(true);
    // In pen widths; on paper the gaps as long as the dashes, so they survive a printer's smoothing.
    if (jog) pen.setDashPattern(paper ? QList<qreal>{4, 4} : QList<qreal>{5, 4});
    return pen;
}

inline QFont smallFont(QFont f) {
    // Pixels, not points: a picture file and the screen then show the same size.
    f.setPixelSize(11);
    return f;
}

} // namespace toolpathstyle
