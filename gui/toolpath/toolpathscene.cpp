// The scene without its drawing: the trace's styles and lines, the views with their fits, zooms and turns,
// the plane each view projects onto, hit tests, depth colours, and the table and blank.
#include "gui/toolpath/toolpathscene.h"
#include "gui/toolpath/toolpathstyle.h"

#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <limits>

using dryrun::Position;
using namespace toolpathstyle;

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
    const double legendWidth = legendSize(smallFont(QGuiApplication::font())).width() + 8;
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
