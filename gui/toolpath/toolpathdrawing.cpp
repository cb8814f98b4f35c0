// The scene's picture of the path: background, table, blank and segments in their colours.
#include "gui/toolpath/toolpathscene.h"
#include "gui/toolpath/toolpathstyle.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

using dryrun::Position;
using namespace toolpathstyle;

namespace {

// One call for a whole bucket: the raster engine draws them fast, and the SVG writer joins lines
// that meet into one path.
void drawLines(QPainter& painter, const std::vector<QLineF>& lines) {
    if (!lines.empty()) painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

// A loop run ten thousand times, or the passes of a pocket within one depth band, puts the same
// lines on the same pixels again and again; drawing costs each line its length in pixels, so such a
// picture took seconds for nothing. In one pen a line that covers the same pixels as an earlier one
// (the same ends to a sixteenth of a pixel, either way round) changes nothing: only the first is kept.
void dropRepeats(std::vector<QLineF>& lines) {
    if (lines.size() < 2) return;
    struct Key {
        qint64 x1, y1, x2, y2;
        std::size_t index;
    };
    const auto q = [](double v) { return qint64(std::llround(std::clamp(v, -1e12, 1e12) * 16)); };
    std::vector<Key> keys;
    keys.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Key k{q(lines[i].x1()), q(lines[i].y1()), q(lines[i].x2()), q(lines[i].y2()), i};
        if (std::tie(k.x2, k.y2) < std::tie(k.x1, k.y1)) {
            std::swap(k.x1, k.x2);
            std::swap(k.y1, k.y2);
        }
        keys.push_back(k);
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        return std::tie(a.x1, a.y1, a.x2, a.y2, a.index) < std::tie(b.x1, b.y1, b.x2, b.y2, b.index);
    });
    std::vector<bool> repeat(lines.size(), false);
    for (std::size_t k = 1; k < keys.size(); ++k) {
        const Key &a = keys[k - 1], &b = keys[k];
        repeat[b.index] = std::tie(a.x1, a.y1, a.x2, a.y2) == std::tie(b.x1, b.y1, b.x2, b.y2);
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!repeat[i]) lines[kept++] = lines[i];
    lines.resize(kept);
}

QPolygonF convexHull(std::vector<QPointF> points) {
    std::sort(points.begin(), points.end(),
              [](QPointF a, QPointF b) { return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y()); });
    const auto cross = [](QPointF o, QPointF a, QPointF b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    std::vector<QPointF> hull(2 * points.size());
    size_t k = 0;
    for (const QPointF& p : points) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0)
            --k;
        hull[k++] = p;
    }
    for (size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    hull.resize(k > 1 ? k - 1 : k);
    return QPolygonF(QList<QPointF>(hull.begin(), hull.end()));
}

} // namespace

void ToolpathScene::paintBoxes(QPainter& painter, bool antialiased) const {
    const ToolpathProjection& p = projection();
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
    for (const Box& b : boxes()) {
        std::vector<QPointF> corners;
        for (int c = 0; c < 8; ++c)
            corners.push_back(p.toScreen(
                Position{c & 1 ? b.high.x : b.low.x, c & 2 ? b.high.y : b.low.y, c & 4 ? b.high.z : b.low.z, 0, 0}));
        const QPolygonF hull = convexHull(corners);
        painter.setPen(QPen(b.table ? QColor(0xa0, 0xa8, 0xb2) : QColor(0xc4, 0xa0, 0x62), 1.5));
        painter.setBrush(b.table ? QColor(0xec, 0xef, 0xf3) : QColor(0xf6, 0xe8, 0xcc));
        painter.drawPolygon(hull);
        if (m_kind == ViewKind::ThreeD && !b.table) {
            // The top face, so the blank reads as a slab rather than a flat outline.
            painter.setBrush(Qt::NoBrush);
            painter.drawPolygon(QPolygonF({corners[4], corners[5], corners[7], corners[6]}));
        }
    }
    // The origin, where the program's zero is.
    const QPointF o = p.toScreen(Position{});
    painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(o, 4, 4);
    painter.drawLine(o - QPointF(7, 0), o + QPointF(7, 0));
    painter.drawLine(o - QPointF(0, 7), o + QPointF(0, 7));
}

void ToolpathScene::paintUnderlays(QPainter& painter, QSize size) const {
    if (m_kind != ViewKind::Top) return;
    const ToolpathProjection& p = projection();
    const QRectF view(QPointF(0, 0), QSizeF(size));
    for (const Underlay& u : m_underlays) {
        if (u.image.isNull() || u.plane.isEmpty()) continue;
        const QRectF screen(p.toScreen(QPointF(u.plane.left(), u.plane.bottom())),
                            p.toScreen(QPointF(u.plane.right(), u.plane.top())));
        const QRectF shown = screen.intersected(view);
        if (shown.isEmpty()) continue;
        // Only the part in view is scaled: a close zoom on a large picture costs the view's pixels.
        const double kx = u.image.width() / screen.width(), ky = u.image.height() / screen.height();
        const QRectF source((shown.left() - screen.left()) * kx, (shown.top() - screen.top()) * ky, shown.width() * kx,
                            shown.height() * ky);
        painter.save();
        // Cells magnified show as the squares they are; a picture made smaller is smoothed.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, kx > 1.0);
        painter.drawImage(shown, u.image, source);
        painter.restore();
    }
}

void ToolpathScene::paintRange(QPainter& painter, QSize size, int from, int to, bool dimmed, Quality quality) const {
    const std::vector<QLineF>& lines = planeLines();
    from = std::clamp(from, 0, static_cast<int>(lines.size()));
    to = std::clamp(to, from, static_cast<int>(lines.size()));
    if (from == to) return;
    const ToolpathProjection& p = projection();
    for (std::vector<QLineF>& b : m_buckets)
        b.clear();
    // Segments wholly outside the picture are left out: a close zoom draws only what it shows.
    const double left = -2, top = -2, right = size.width() + 2, bottom = size.height() + 2;
    for (int i = from; i < to; ++i) {
        const QPointF a = p.toScreen(lines[i].p1()), b = p.toScreen(lines[i].p2());
        if ((a.x() < left && b.x() < left) || (a.x() > right && b.x() > right) || (a.y() < top && b.y() < top) ||
            (a.y() > bottom && b.y() > bottom))
            continue;
        const quint8 style = m_style[i];
        m_buckets[dimmed ? ColourBuckets + ((style & JogBit) ? 1 : 0) : bucketOf(style)].emplace_back(a, b);
    }
    double ink = 0;
    for (std::vector<QLineF>& bucket : m_buckets) {
        dropRepeats(bucket);
        for (const QLineF& l : bucket)
            ink += std::min(std::abs(l.dx()) + std::abs(l.dy()), right + bottom);
    }
    // Smooth lines cost by their length in pixels; past this much a picture would take seconds, so
    // it is drawn plain (ordinary jobs of short moves stay far below it).
    constexpr double SmoothInk = 20e6;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, quality == Quality::Full && ink < SmoothInk);
    if (dimmed) {
        for (int jog = 0; jog < 2; ++jog) {
            painter.setPen(pathPen(dimColor(), jog, m_paper));
            drawLines(painter, m_buckets[ColourBuckets + jog]);
        }
    } else {
        // Header and closing block first, then jogs, so the program's own cuts lie on top.
        for (int order : {3, 1, 2, 0})
            for (int band = 0; band < DepthBands; ++band) {
                const std::vector<QLineF>& bucket = m_buckets[band * 4 + order];
                if (bucket.empty()) continue;
                const QColor c = bandColor(band);
                painter.setPen(pathPen((order & 1) ? mix(c, Qt::white, FrameTone) : c, order & 2, m_paper));
                drawLines(painter, bucket);
            }
    }
    painter.restore();
}

void ToolpathScene::paint(QPainter& painter, QSize size, Quality quality) const {
    paintStatic(painter, size, quality);
    paintOverlay(painter, size);
}

void ToolpathScene::paintStatic(QPainter& painter, QSize size, Quality quality) const {
    painter.fillRect(QRect(QPoint(0, 0), size), backgroundColor());
    paintBoxes(painter, quality == Quality::Full);
    paintUnderlays(painter, size);
    if (!m_pathShown) return;
    if (segmentCount() == 0) {
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.setFont(smallFont(painter.font()));
        painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter,
                         m_trace ? tr("The run has no moves to show.") : tr("No dry run yet."));
        return;
    }
    paintRange(painter, size, m_scrub, segmentCount(), true, quality);
    paintRange(painter, size, 0, m_scrub, false, quality);
}

void ToolpathScene::paintReached(QPainter& painter, QSize size, int from, int to, Quality quality) const {
    paintRange(painter, size, from, to, false, quality);
}

void ToolpathScene::paintSegments(QPainter& painter, const std::vector<int>& segments, const QPen& pen) const {
    if (segments.empty()) return;
    const std::vector<QLineF>& lines = planeLines();
    const ToolpathProjection& p = projection();
    std::vector<QLineF> screen;
    screen.reserve(segments.size());
    for (int i : segments)
        if (i >= 0 && i < static_cast<int>(lines.size()))
            screen.emplace_back(p.toScreen(lines[i].p1()), p.toScreen(lines[i].p2()));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(pen);
    drawLines(painter, screen);
    painter.restore();
}
