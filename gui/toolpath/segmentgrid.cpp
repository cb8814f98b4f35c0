#include "gui/toolpath/segmentgrid.h"

#include <algorithm>
#include <cmath>

namespace {

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
