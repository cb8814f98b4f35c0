#pragma once

#include <QLineF>
#include <QRectF>

#include <vector>

// The cell (or band) a value falls in, within 0..count-1; also for values far outside or not a number,
// whose conversion to int would be undefined.
inline int cellOf(double v, int count) {
    if (!(v >= 0)) return 0;
    return v >= count - 1 ? count - 1 : static_cast<int>(v);
}

// Segments on the plane sorted into square cells, so the one under the pointer is found by looking
// into a few cells rather than at every segment.
class SegmentGrid {
public:
    void build(const std::vector<QLineF>& lines);
    // The segment nearest to point within radius (plane units), -1 for none; of equally near ones,
    // the later, since it is drawn on top.
    int nearest(const std::vector<QLineF>& lines, QPointF point, double radius) const;

private:
    QRectF m_bounds;
    double m_cell = 1;
    int m_cols = 0;
    int m_rows = 0;
    std::vector<int> m_first; // cell c holds m_ids[m_first[c]] up to m_ids[m_first[c + 1]]
    std::vector<int> m_ids;
};
