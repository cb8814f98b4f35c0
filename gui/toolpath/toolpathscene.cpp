#include "gui/toolpath/toolpathscene.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <limits>

using dryrun::Position;

ToolpathProjection::Axes ToolpathProjection::axes() const {
    switch (kind) {
    case ViewKind::Top:
        return {1, 0, 0, 0, 1, 0};
    case ViewKind::Front:
        return {1, 0, 0, 0, 0, 1};
    case ViewKind::Side:
        return {0, 1, 0, 0, 0, 1};
    case ViewKind::ThreeD:
        break;
    }
    // Turned by yaw about Z, then tilted by pitch: 0 looks level from the front, 90 straight down.
    const double ca = std::cos(qDegreesToRadians(yaw)), sa = std::sin(qDegreesToRadians(yaw));
    const double ce = std::cos(qDegreesToRadians(pitch)), se = std::sin(qDegreesToRadians(pitch));
    return {ca, -sa, 0, sa * se, ca * se, ce};
}

QPointF ToolpathProjection::screenToPlane(QPointF screen) const {
    return {(screen.x() - offset.x()) / scale, (offset.y() - screen.y()) / scale};
}

QPointF ToolpathProjection::axisOnPlane(int axis) const {
    Position step = pivot;
    (axis == 0 ? step.x : axis == 1 ? step.y : step.z) += 1;
    return toPlane(step) - toPlane(pivot);
}

bool ToolpathProjection::samePlane(const ToolpathProjection& other) const {
    return kind == other.kind && pivot == other.pivot &&
           (kind != ViewKind::ThreeD || (yaw == other.yaw && pitch == other.pitch));
}

void ToolpathProjection::fit(const QRectF& planeBounds, const QRectF& area) {
    const double w = planeBounds.width(), h = planeBounds.height();
    double s = std::numeric_limits<double>::infinity();
    if (w > 1e-12) s = area.width() / w;
    if (h > 1e-12) s = std::min(s, area.height() / h);
    // A single point (or nothing) shows a few units around it.
    if (!std::isfinite(s)) s = std::min(area.width(), area.height()) / 4;
    scale = std::clamp(s, MinScale, MaxScale);
    const QPointF c = planeBounds.center();
    offset = {area.center().x() - scale * c.x(), area.center().y() + scale * c.y()};
}

void ToolpathProjection::zoomAbout(QPointF screenPoint, double factor) {
    const QPointF plane = screenToPlane(screenPoint);
    scale = std::clamp(scale * factor, MinScale, MaxScale);
    offset = {screenPoint.x() - scale * plane.x(), screenPoint.y() + scale * plane.y()};
}

namespace {

// The cell (or band) a value falls in, within 0..count-1; also for values far outside or not a number,
// whose conversion to int would be undefined.
int cellOf(double v, int count) {
    if (!(v >= 0)) return 0;
    return v >= count - 1 ? count - 1 : static_cast<int>(v);
}

double distanceSquared(QPointF p, const QLineF& l) {
    const double dx = l.dx(), dy = l.dy();
    const double length2 = dx * dx + dy * dy;
    double t = 0;
    if (length2 > 0) t = std::clamp(((p.x() - l.x1()) * dx + (p.y() - l.y1()) * dy) / length2, 0.0, 1.0);
    const double ex = l.x1() + t * dx - p.x(), ey = l.y1() + t * dy - p.y();
    return ex * ex + ey * ey;
}

} // namespace

void SegmentGrid::build(const std::vector<QLineF>& lines) {
    m_first.clear();
    m_ids.clear();
    m_cols = m_rows = 0;
    if (lines.empty()) return;
    double x0 = lines[0].x1(), x1 = x0, y0 = lines[0].y1(), y1 = y0;
    double length = 0; // along the axes: about the cells crossed, times the cell size
    for (const QLineF& l : lines) {
        x0 = std::min({x0, l.x1(), l.x2()});
        x1 = std::max({x1, l.x1(), l.x2()});
        y0 = std::min({y0, l.y1(), l.y2()});
        y1 = std::max({y1, l.y1(), l.y2()});
        length += std::abs(l.dx()) + std::abs(l.dy());
    }
    const double w = x1 - x0, h = y1 - y0;
    const double n = static_cast<double>(lines.size());
    // About one segment per cell; a flat picture (a line, a point) gets a row of cells. Long
    // segments make the cells larger, so that the cells hold at most about five entries per segment.
    constexpr int MaxSide = 4096;
    double cell = std::sqrt(w * h / n);
    cell = std::max({cell, w / (MaxSide - 1), h / (MaxSide - 1), std::max(w, h) / n, length / (4 * n), 1e-9});
    m_cell = cell;
    m_bounds = QRectF(x0, y0, w, h);
    m_cols = std::min(MaxSide, static_cast<int>(w / cell) + 1);
    m_rows = std::min(MaxSide, static_cast<int>(h / cell) + 1);

    const auto column = [&](double x) { return cellOf((x - x0) / cell, m_cols); };
    const auto row = [&](double y) { return cellOf((y - y0) / cell, m_rows); };
    // Every cell the segment passes through: row by row, the part of the segment within the row's band.
    const auto forEachCell = [&](const QLineF& l, auto&& visit) {
        const double lowY = std::min(l.y1(), l.y2()), highY = std::max(l.y1(), l.y2());
        const int r0 = row(lowY), r1 = row(highY);
        for (int r = r0; r <= r1; ++r) {
            double ax = l.x1(), bx = l.x2();
            if (r0 != r1) {
                const double bandLow = std::max(lowY, y0 + r * cell), bandHigh = std::min(highY, y0 + (r + 1) * cell);
                const double slope = l.dx() / l.dy();
                ax = l.x1() + (bandLow - l.y1()) * slope;
                bx = l.x1() + (bandHigh - l.y1()) * slope;
            }
            const int c0 = column(std::min(ax, bx)), c1 = column(std::max(ax, bx));
            for (int c = c0; c <= c1; ++c)
                visit(r * m_cols + c);
        }
    };
    m_first.assign(static_cast<size_t>(m_cols) * m_rows + 1, 0);
    for (const QLineF& l : lines)
        forEachCell(l, [&](int c) { ++m_first[c + 1]; });
    for (size_t c = 1; c < m_first.size(); ++c)
        m_first[c] += m_first[c - 1];
    m_ids.resize(m_first.back());
    std::vector<int> fill(m_first.begin(), m_first.end() - 1);
    for (int i = 0; i < static_cast<int>(lines.size()); ++i)
        forEachCell(lines[i], [&](int c) { m_ids[fill[c]++] = i; });
}

int SegmentGrid::nearest(const std::vector<QLineF>& lines, QPointF point, double radius) const {
    if (m_cols == 0) return -1;
    const double x0 = m_bounds.left(), y0 = m_bounds.top();
    if (point.x() + radius < x0 || point.y() + radius < y0 || point.x() - radius > m_bounds.right() ||
        point.y() - radius > m_bounds.bottom())
        return -1;
    const auto cell = [&](double v, double origin, int count) { return cellOf((v - origin) / m_cell, count); };
    const int c0 = cell(point.x() - radius, x0, m_cols), c1 = cell(point.x() + radius, x0, m_cols);
    const int r0 = cell(point.y() - radius, y0, m_rows), r1 = cell(point.y() + radius, y0, m_rows);
    int best = -1;
    double bestDistance = radius * radius;
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            const int at = r * m_cols + c;
            for (int k = m_first[at]; k < m_first[at + 1]; ++k) {
                const int id = m_ids[k];
                const double d = distanceSquared(point, lines[id]);
                if (d < bestDistance || (d == bestDistance && id > best)) {
                    bestDistance = d;
                    best = id;
                }
            }
        }
    return best;
}

void ToolpathTimeline::setTrace(std::shared_ptr<const dryrun::Trace> trace) {
    m_trace = std::move(trace);
    m_start.assign(1, 0.0);
    if (!m_trace) return;
    m_start.reserve(m_trace->segments.size() + 1);
    for (const dryrun::Segment& s : m_trace->segments)
        m_start.push_back(m_start.back() + s.time);
}

Position ToolpathTimeline::positionAt(int n) const {
    if (count() == 0) return {};
    n = std::clamp(n, 0, count());
    return n == 0 ? m_trace->segments.front().from : m_trace->segments[n - 1].to;
}

double ToolpathTimeline::timeAt(int n) const {
    return m_start[std::clamp(n, 0, count())];
}

namespace {

// Per segment style bits: the depth band below, then these.
constexpr quint8 JogBit = 0x10;
constexpr quint8 FrameBit = 0x20; // a header's or closing block's segment
constexpr int ColourBuckets = ToolpathScene::DepthBands * 4;
constexpr int DimBuckets = 2;
// How far toward white the header's and closing block's segments are drawn.
constexpr double FrameTone = 0.45;

int bucketOf(quint8 style) {
    return (style & 0x0f) * 4 + ((style & JogBit) ? 2 : 0) + ((style & FrameBit) ? 1 : 0);
}

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QPen pathPen(const QColor& colour, bool jog) {
    // Cosmetic and one pixel wide: the raster engine's fast line drawing, whatever the zoom.
    QPen pen(colour, 1);
    pen.setCosmetic(true);
    if (jog) pen.setDashPattern({5, 4});
    return pen;
}

bool drawsVectors(const QPainter& painter) {
    return painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::SVG;
}

// Lines as one path, joined where one ends where the next begins: an SVG file then holds a few
// path elements rather than one element per segment.
void drawLines(QPainter& painter, const std::vector<QLineF>& lines) {
    if (lines.empty()) return;
    if (!drawsVectors(painter)) {
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
        return;
    }
    QPainterPath path;
    QPointF end(std::numeric_limits<double>::quiet_NaN(), 0);
    for (const QLineF& l : lines) {
        if (l.p1() != end) path.moveTo(l.p1());
        path.lineTo(l.p2());
        end = l.p2();
    }
    painter.strokePath(path, painter.pen());
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

QString number(double v) {
    return QString::number(v, 'f', 3);
}

QFont smallFont(QFont f) {
    // Pixels, not points: a picture file and the screen then show the same size.
    f.setPixelSize(11);
    return f;
}

} // namespace

// The legend's entries and measures, for drawing it and for keeping the path clear of it.
struct ToolpathScene::Legend {
    struct Entry {
        QString text;
        QPen pen;
        QBrush swatch = Qt::NoBrush;
    };
    std::vector<Entry> entries;
    QStringList texts; // title, highest Z, lowest Z, then the entries'
    double row = 0, textWidth = 0;
    int bands = 1;
    double bandHeight = 0;
    QSizeF size;
    static constexpr double Swatch = 22, Pad = 6;
};

ToolpathScene::ToolpathScene() {
    for (int k = 0; k < 4; ++k)
        m_views[k].projection.kind = static_cast<ViewKind>(k);
    m_buckets.resize(ColourBuckets + DimBuckets);
}

void ToolpathScene::setTrace(std::shared_ptr<const dryrun::Trace> trace) {
    m_trace = std::move(trace);
    m_timeline.setTrace(m_trace);
    m_style.clear();
    m_byLine.clear();
    m_hasJogs = m_hasFrame = false;
    m_pathAndBlank = {};
    const int n = segmentCount();
    m_scrub = n;
    m_planeValid = m_gridValid = false;
    if (!m_trace) return;

    const auto take = [this](const Position& p) {
        dryrun::Extent& e = m_pathAndBlank;
        if (e.empty) e = {false, {p.x, p.x}, {p.y, p.y}, {p.z, p.z}};
        e.x = {std::min(e.x.min, p.x), std::max(e.x.max, p.x)};
        e.y = {std::min(e.y.min, p.y), std::max(e.y.max, p.y)};
        e.z = {std::min(e.z.min, p.z), std::max(e.z.max, p.z)};
    };
    for (const dryrun::Segment& s : m_trace->segments) {
        take(s.from);
        take(s.to);
    }
    m_zTop = m_pathAndBlank.z.max;
    m_zBottom = m_pathAndBlank.z.min;
    m_style.reserve(n);
    m_byLine.reserve(n / 4);
    for (int i = 0; i < n; ++i) {
        const dryrun::Segment& s = m_trace->segments[i];
        quint8 style = static_cast<quint8>(depthBand(std::min(s.from.z, s.to.z)));
        if (s.jog) style |= JogBit;
        if (s.region != dryrun::Region::Program) style |= FrameBit;
        m_hasJogs = m_hasJogs || s.jog;
        m_hasFrame = m_hasFrame || s.region != dryrun::Region::Program;
        m_style.push_back(style);
        m_byLine[s.source].push_back(i);
    }
    for (const Box& b : boxes())
        if (!b.table) {
            take(b.low);
            take(b.high);
        }
    // Turning goes about the middle of the part, so it stays in view.
    Position& pivot = m_views[index(ViewKind::ThreeD)].projection.pivot;
    pivot = {};
    if (!m_pathAndBlank.empty) {
        const dryrun::Extent& e = m_pathAndBlank;
        pivot = {(e.x.min + e.x.max) / 2, (e.y.min + e.y.max) / 2, (e.z.min + e.z.max) / 2, 0, 0};
    }
}

void ToolpathScene::setViewKind(ViewKind kind) {
    m_kind = kind;
}

void ToolpathScene::setProjection(const ToolpathProjection& projection) {
    m_kind = projection.kind;
    view().projection = projection;
    view().fitted = false;
}

void ToolpathScene::setScrubPosition(int position) {
    m_scrub = std::clamp(position, 0, segmentCount());
}

const std::vector<QLineF>& ToolpathScene::planeLines() const {
    const ToolpathProjection& p = projection();
    if (m_planeValid && m_planeOf.samePlane(p)) return m_plane;
    m_planeOf = p;
    m_planeValid = true;
    m_gridValid = false;
    m_plane.clear();
    double x0 = std::numeric_limits<double>::infinity(), y0 = x0, x1 = -x0, y1 = -x0;
    const auto grow = [&](QPointF q) {
        x0 = std::min(x0, q.x());
        x1 = std::max(x1, q.x());
        y0 = std::min(y0, q.y());
        y1 = std::max(y1, q.y());
    };
    if (m_trace) {
        m_plane.reserve(m_trace->segments.size());
        const ToolpathProjection::Axes axes = p.axes();
        for (const dryrun::Segment& s : m_trace->segments) {
            m_plane.emplace_back(p.toPlane(s.from, axes), p.toPlane(s.to, axes));
            grow(m_plane.back().p1());
            grow(m_plane.back().p2());
        }
    }
    // The table last: the bounds with it are taken only when it costs the path little room.
    for (bool table : {false, true}) {
        for (const Box& b : boxes()) {
            if (b.table != table) continue;
            for (int corner = 0; corner < 8; ++corner)
                grow(p.toPlane({corner & 1 ? b.high.x : b.low.x, corner & 2 ? b.high.y : b.low.y,
                                corner & 4 ? b.high.z : b.low.z, 0, 0}));
        }
        (table ? m_tableBounds : m_planeBounds) =
            x0 <= x1 ? QRectF(QPointF(x0, y0), QPointF(x1, y1)) : QRectF(-1, -1, 2, 2);
    }
    return m_plane;
}

const SegmentGrid& ToolpathScene::grid() const {
    const std::vector<QLineF>& lines = planeLines();
    if (!m_gridValid) {
        m_grid.build(lines);
        m_gridValid = true;
    }
    return m_grid;
}

QRectF ToolpathScene::planeBounds() const {
    planeLines();
    return m_planeBounds;
}

void ToolpathScene::fit(QSizeF size) {
    // Room at the edges for the axes and the scale bar, and so no segment touches the border.
    const double margin = std::min({28.0, size.width() / 6, size.height() / 6});
    QRectF area = QRectF(QPointF(0, 0), size).adjusted(margin, margin, -margin, -margin);
    // A wide picture keeps the path clear of the legend in its top right corner.
    const double legendWidth = legend(smallFont(QGuiApplication::font())).size.width() + 8;
    if (segmentCount() > 0 && size.width() > 3 * legendWidth) area.setRight(area.right() - legendWidth + margin / 2);
    // And a tall one clear of the axes and the scale bar along its bottom.
    if (size.height() > 240) area.setBottom(area.bottom() - 16);
    ToolpathProjection& p = view().projection;
    p.fit(planeBounds(), area);
    ToolpathProjection withTable = p;
    withTable.fit(m_tableBounds, area);
    if (withTable.scale >= 0.7 * p.scale) p = withTable;
    view().fitted = true;
}

void ToolpathScene::zoomAbout(QPointF screenPoint, double factor) {
    view().projection.zoomAbout(screenPoint, factor);
    view().fitted = false;
}

void ToolpathScene::panBy(QPointF screenDelta) {
    view().projection.panBy(screenDelta);
    view().fitted = false;
}

void ToolpathScene::turnBy(double yawDegrees, double pitchDegrees) {
    if (m_kind != ViewKind::ThreeD) return;
    ToolpathProjection& p = view().projection;
    p.yaw = std::remainder(p.yaw + yawDegrees, 360.0);
    p.pitch = std::clamp(p.pitch + pitchDegrees, -90.0, 90.0);
    view().fitted = false;
}

int ToolpathScene::segmentAt(QPointF screen, double radius) const {
    const ToolpathProjection& p = projection();
    return grid().nearest(planeLines(), p.screenToPlane(screen), radius / p.scale);
}

const std::vector<int>& ToolpathScene::segmentsOfLine(dryrun::LineRef line) const {
    static const std::vector<int> none;
    const auto it = m_byLine.constFind(line);
    return it == m_byLine.cend() ? none : *it;
}

int ToolpathScene::depthBand(double z) const {
    const double range = m_zTop - m_zBottom;
    if (range <= 1e-12) return 0;
    return cellOf((m_zTop - z) / range * DepthBands, DepthBands);
}

QColor ToolpathScene::bandColor(int band) const {
    // From the highest Z (blue) to the deepest cut (plum): deeper reads warmer and darker.
    static const QColor stops[] = {QColor(0x3a, 0x86, 0xd4), QColor(0x1f, 0xa8, 0x9a), QColor(0x6a, 0xb0, 0x2e),
                                   QColor(0xe0, 0x9b, 0x00), QColor(0xdc, 0x4a, 0x26), QColor(0x86, 0x16, 0x57)};
    constexpr int last = static_cast<int>(std::size(stops)) - 1;
    const double t = DepthBands > 1 ? double(band) / (DepthBands - 1) * last : 0;
    const int i = std::min(static_cast<int>(t), last - 1);
    return mix(stops[i], stops[i + 1], t - i);
}

QColor ToolpathScene::depthColor(double z) const {
    return bandColor(depthBand(z));
}

std::vector<ToolpathScene::Box> ToolpathScene::boxes() const {
    std::vector<Box> out;
    if (!m_trace) return out;
    const dryrun::Setup& s = m_trace->setup;
    const double thickness = s.thickness.value_or(0);
    if (s.tableX && s.tableY) {
        // Where the table's surface is in Z is known only from the blank: below it, or at zero.
        const bool known = s.zeroOnTable || s.thickness;
        const double z = s.zeroOnTable ? 0 : -thickness;
        if (known || m_kind == ViewKind::Top) out.push_back({{0, 0, z, 0, 0}, {*s.tableX, *s.tableY, z, 0, 0}, true});
    }
    if (s.blankX && s.blankY) {
        const double low = s.zeroOnTable ? 0 : -thickness;
        out.push_back({{0, 0, low, 0, 0}, {*s.blankX, *s.blankY, low + thickness, 0, 0}, false});
    }
    return out;
}

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
    double ink = 0;
    for (int i = from; i < to; ++i) {
        const QPointF a = p.toScreen(lines[i].p1()), b = p.toScreen(lines[i].p2());
        if ((a.x() < left && b.x() < left) || (a.x() > right && b.x() > right) || (a.y() < top && b.y() < top) ||
            (a.y() > bottom && b.y() > bottom))
            continue;
        ink += std::min(std::abs(a.x() - b.x()) + std::abs(a.y() - b.y()), right + bottom);
        const quint8 style = m_style[i];
        m_buckets[dimmed ? ColourBuckets + ((style & JogBit) ? 1 : 0) : bucketOf(style)].emplace_back(a, b);
    }
    // Smooth lines cost by their length in pixels; past this much a picture would take seconds, so
    // it is drawn plain (ordinary jobs of short moves stay far below it).
    constexpr double SmoothInk = 20e6;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, quality == Quality::Full && ink < SmoothInk);
    if (dimmed) {
        for (int jog = 0; jog < 2; ++jog) {
            painter.setPen(pathPen(dimColor(), jog));
            drawLines(painter, m_buckets[ColourBuckets + jog]);
        }
    } else {
        // Header and closing block first, then jogs, so the program's own cuts lie on top.
        for (int order : {3, 1, 2, 0})
            for (int band = 0; band < DepthBands; ++band) {
                const std::vector<QLineF>& bucket = m_buckets[band * 4 + order];
                if (bucket.empty()) continue;
                const QColor c = bandColor(band);
                painter.setPen(pathPen((order & 1) ? mix(c, Qt::white, FrameTone) : c, order & 2));
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

void ToolpathScene::paintOverlay(QPainter& painter, QSize size) const {
    painter.save();
    painter.setFont(smallFont(painter.font()));
    if (const std::vector<int>& current = segmentsOfLine(m_currentLine); !current.empty()) {
        // A white edge keeps the line readable over a dense pocket.
        paintSegments(painter, current, QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
        paintSegments(painter, current, QPen(highlightColor(), 3.5, Qt::SolidLine, Qt::RoundCap));
    }
    if (segmentCount() > 0) paintTool(painter);
    paintAxes(painter, size);
    if (segmentCount() > 0 || m_trace) paintScaleBar(painter, size);
    if (segmentCount() > 0) paintLegend(painter, size);
    painter.restore();
}

void ToolpathScene::paintTool(QPainter& painter) const {
    const QPointF at = projection().toScreen(m_timeline.positionAt(m_scrub));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(QColor(255, 255, 255, 170));
    painter.setPen(QPen(QColor(0xc0, 0x10, 0x10), 2));
    painter.drawEllipse(at, 7, 7);
    painter.drawLine(at - QPointF(11, 0), at - QPointF(3, 0));
    painter.drawLine(at + QPointF(3, 0), at + QPointF(11, 0));
    painter.drawLine(at - QPointF(0, 11), at - QPointF(0, 3));
    painter.drawLine(at + QPointF(0, 3), at + QPointF(0, 11));
}

void ToolpathScene::paintAxes(QPainter& painter, QSize size) const {
    static const QColor colours[] = {QColor(0xd0, 0x30, 0x30), QColor(0x2a, 0x9a, 0x2a), QColor(0x25, 0x6c, 0xc8)};
    static const char* const names[] = {"X", "Y", "Z"};
    const QPointF origin(30, size.height() - 30);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (int axis = 0; axis < 3; ++axis) {
        const QPointF onPlane = projection().axisOnPlane(axis);
        const QPointF direction(onPlane.x(), -onPlane.y());
        const double length = std::hypot(direction.x(), direction.y());
        painter.setPen(QPen(colours[axis], 2));
        painter.setBrush(Qt::NoBrush);
        QPointF label;
        if (length < 0.15) {
            // The axis points at the viewer: a dot in a circle.
            painter.drawEllipse(origin, 4, 4);
            painter.drawPoint(origin);
            label = origin + QPointF(7, -7);
        } else {
            const QPointF end = origin + direction * 22;
            painter.drawLine(origin, end);
            label = end + direction / length * 8;
        }
        painter.drawText(QRectF(label - QPointF(8, 8), QSizeF(16, 16)), Qt::AlignCenter,
                         QString::fromLatin1(names[axis]));
    }
}

void ToolpathScene::paintScaleBar(QPainter& painter, QSize size) const {
    // The longest of 1, 2 or 5 times a power of ten that stays within about 100 pixels.
    const double scale = projection().scale;
    const double wanted = 100 / scale;
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    double length = power;
    for (double step : {2.0, 5.0, 10.0})
        if (step * power <= wanted) length = step * power;
    const double pixels = length * scale;
    const double right = size.width() - 16, y = size.height() - 16;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    painter.drawLine(QPointF(right - pixels, y), QPointF(right, y));
    painter.drawLine(QPointF(right - pixels, y - 4), QPointF(right - pixels, y + 2));
    painter.drawLine(QPointF(right, y - 4), QPointF(right, y + 2));
    painter.drawText(QRectF(right - pixels - 40, y - 20, pixels + 80, 14), Qt::AlignHCenter | Qt::AlignBottom,
                     QString::number(length, 'g', 6));
}

ToolpathScene::Legend ToolpathScene::legend(const QFont& font) const {
    Legend l;
    const QColor middle = bandColor(DepthBands / 2);
    l.entries.push_back({tr("Move"), pathPen(middle, false)});
    if (m_hasJogs) l.entries.push_back({tr("Jog"), pathPen(middle, true)});
    if (m_hasFrame)
        l.entries.push_back({tr("Header and closing block"), pathPen(mix(middle, Qt::white, FrameTone), false)});
    if (!segmentsOfLine(m_currentLine).empty()) l.entries.push_back({tr("Current line"), QPen(highlightColor(), 3.5)});
    if (m_scrub < segmentCount()) l.entries.push_back({tr("Not reached yet"), pathPen(dimColor(), false)});
    for (const Box& b : boxes())
        l.entries.push_back({b.table ? tr("Table") : tr("Blank"), Qt::NoPen,
                             b.table ? QColor(0xec, 0xef, 0xf3) : QColor(0xf6, 0xe8, 0xcc)});

    const QFontMetricsF fm(font);
    l.row = fm.height() + 2;
    const bool flat = m_zTop - m_zBottom <= 1e-12;
    l.bands = flat ? 1 : DepthBands;
    l.bandHeight = flat ? l.row : 7;
    l.texts = QStringList{tr("Depth (Z)"), number(m_zTop), number(m_zBottom)};
    for (const Legend::Entry& e : l.entries)
        l.texts << e.text;
    for (const QString& t : l.texts)
        l.textWidth = std::max(l.textWidth, fm.horizontalAdvance(t));
    l.size = {Legend::Pad * 3 + Legend::Swatch + l.textWidth,
              Legend::Pad * 2 + l.row + l.bands * l.bandHeight + 4 + l.entries.size() * l.row};
    return l;
}

void ToolpathScene::paintLegend(QPainter& painter, QSize size) const {
    const Legend l = legend(painter.font());
    const double pad = Legend::Pad, swatch = Legend::Swatch, row = l.row;
    const QRectF box(QPointF(size.width() - l.size.width() - 8, 8), l.size);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(0xb0, 0xb0, 0xb0));
    painter.setBrush(QColor(255, 255, 255, 225));
    painter.drawRect(box);
    const double x = box.left() + pad, textX = x + swatch + pad;
    double y = box.top() + pad;
    painter.setPen(QColor(0x20, 0x20, 0x20));
    painter.drawText(QRectF(x, y, box.width(), row), Qt::AlignLeft | Qt::AlignVCenter, l.texts[0]);
    y += row;
    painter.setPen(Qt::NoPen);
    for (int band = 0; band < l.bands; ++band) {
        painter.setBrush(bandColor(band));
        painter.drawRect(QRectF(x, y + band * l.bandHeight, swatch, l.bandHeight));
    }
    painter.setPen(QColor(0x20, 0x20, 0x20));
    painter.drawText(QRectF(textX, y - 2, l.textWidth, row), Qt::AlignLeft | Qt::AlignTop, l.texts[1]);
    if (l.bands > 1)
        painter.drawText(QRectF(textX, y + l.bands * l.bandHeight - row + 2, l.textWidth, row),
                         Qt::AlignLeft | Qt::AlignBottom, l.texts[2]);
    y += l.bands * l.bandHeight + 4;
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const Legend::Entry& e : l.entries) {
        if (e.swatch.style() != Qt::NoBrush) {
            painter.setPen(QColor(0xa0, 0xa0, 0xa0));
            painter.setBrush(e.swatch);
            painter.drawRect(QRectF(x, y + 2, swatch, row - 4));
        } else {
            painter.setPen(e.pen);
            painter.drawLine(QPointF(x, y + row / 2), QPointF(x + swatch, y + row / 2));
        }
        painter.setPen(QColor(0x20, 0x20, 0x20));
        painter.drawText(QRectF(textX, y, l.textWidth + pad, row), Qt::AlignLeft | Qt::AlignVCenter, e.text);
        y += row;
    }
}
