#pragma once

#include "core/program/dryrun.h"

#include <QColor>
#include <QCoreApplication>
#include <QLineF>
#include <QRectF>
#include <QSize>

#include <array>
#include <memory>
#include <vector>

class QFont;
class QPainter;
class QPen;

// The four ways the toolpath is looked at.
enum class ViewKind { Top, Front, Side, ThreeD };

// Where a point of the run lands on the screen: first an orthographic projection onto a plane (u
// right, v up), then a scale and an offset onto the screen (y down). Top, Front and Side are fixed;
// ThreeD turns about the pivot by yaw (about Z) and pitch (0 looks level from the front, 90 straight down).
class ToolpathProjection {
public:
    ViewKind kind = ViewKind::Top;
    double yaw = -30;
    double pitch = 35;
    dryrun::Position pivot;
    // Pixels per unit, kept within bounds where screen coordinates stay well inside a double's precision.
    static constexpr double MinScale = 1e-4, MaxScale = 1e6;
    double scale = 1;
    QPointF offset; // the screen point of the plane's origin

    // The plane's u and v as linear combinations of X, Y and Z (after the pivot is taken off); the
    // fixed views use exact zeros and ones.
    struct Axes {
        double ux, uy, uz, vx, vy, vz;
    };
    Axes axes() const;
    QPointF toPlane(const dryrun::Position& p) const { return toPlane(p, axes()); }
    QPointF toPlane(const dryrun::Position& p, const Axes& a) const {
        const double x = p.x - pivot.x, y = p.y - pivot.y, z = p.z - pivot.z;
        return {a.ux * x + a.uy * y + a.uz * z, a.vx * x + a.vy * y + a.vz * z};
    }
    QPointF toScreen(QPointF plane) const { return {offset.x() + scale * plane.x(), offset.y() - scale * plane.y()}; }
    QPointF toScreen(const dryrun::Position& p) const { return toScreen(toPlane(p)); }
    QPointF screenToPlane(QPointF screen) const;
    // The plane's picture of a unit step along X (0), Y (1) or Z (2).
    QPointF axisOnPlane(int axis) const;
    // The same plane picture onto the screen: same kind, angles and pivot.
    bool samePlane(const ToolpathProjection& other) const;

    // Scale and offset that put planeBounds in the middle of area, as large as fits.
    void fit(const QRectF& planeBounds, const QRectF& area);
    // Scales by factor keeping the plane point under screenPoint where it is.
    void zoomAbout(QPointF screenPoint, double factor);
    void panBy(QPointF screenDelta) { offset += screenDelta; }
};

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

// Where the tool is and how much time has run after the first n segments of a trace.
class ToolpathTimeline {
public:
    void setTrace(std::shared_ptr<const dryrun::Trace> trace);
    int count() const { return m_trace ? static_cast<int>(m_trace->segments.size()) : 0; }
    // After n segments (clamped to 0..count): the start point of the first one for 0.
    dryrun::Position positionAt(int n) const;
    // Seconds of motion over the first n segments. Timed pauses are in Trace::totalTime but have no
    // place among the segments, so they are not counted here.
    double timeAt(int n) const;

private:
    std::shared_ptr<const dryrun::Trace> m_trace;
    std::vector<double> m_start; // m_start[i]: time when segment i begins; one more for the end
};

// Everything drawn of a trace, without a widget: the projections of the four views with their zoom
// and pan, the path coloured by depth, the blank and the table, the overlays, and the segment under
// a screen point. The view widget, the exports and the command line all draw through it.
class ToolpathScene {
    Q_DECLARE_TR_FUNCTIONS(ToolpathScene)

public:
    // Draft leaves out antialiasing, for the frames of a turn in progress.
    enum class Quality { Full, Draft };
    static constexpr int DepthBands = 10;

    ToolpathScene();

    void setTrace(std::shared_ptr<const dryrun::Trace> trace);
    const std::shared_ptr<const dryrun::Trace>& trace() const { return m_trace; }
    int segmentCount() const { return m_timeline.count(); }
    const ToolpathTimeline& timeline() const { return m_timeline; }

    void setViewKind(ViewKind kind);
    ViewKind viewKind() const { return m_kind; }
    const ToolpathProjection& projection() const { return m_views[index(m_kind)].projection; }
    void setProjection(const ToolpathProjection& projection);
    // The path and the blank, on the plane.
    QRectF planeBounds() const;

    // Fits the path and the blank into the size; the table too when that shrinks them only a little,
    // so a small part on a large table still fills the view.
    void fit(QSizeF size);
    // Whether the current view still shows a fit (nothing zoomed, panned or turned since).
    bool isFitted() const { return m_views[index(m_kind)].fitted; }
    void zoomAbout(QPointF screenPoint, double factor);
    void panBy(QPointF screenDelta);
    // ThreeD only: turns by the given degrees; pitch stays within -90..90.
    void turnBy(double yawDegrees, double pitchDegrees);

    // The segment under a screen point, within radius pixels; -1 for none.
    int segmentAt(QPointF screen, double radius) const;
    // Indices of the segments a line made, in run order (a line in a loop makes several).
    const std::vector<int>& segmentsOfLine(dryrun::LineRef line) const;

    void setCurrentLine(dryrun::LineRef line) { m_currentLine = line; }
    dryrun::LineRef currentLine() const { return m_currentLine; }
    // Segments from this index on are not reached yet and drawn dimmed; segmentCount() shows all.
    void setScrubPosition(int position);
    int scrubPosition() const { return m_scrub; }

    // The whole picture: what paintStatic and paintOverlay draw together.
    void paint(QPainter& painter, QSize size, Quality quality = Quality::Full) const;
    // Background, table, blank and path: what stays while only the overlays change.
    void paintStatic(QPainter& painter, QSize size, Quality quality = Quality::Full) const;
    // Segments from..to in their colours, as a scrub forward adds them to a static picture.
    void paintReached(QPainter& painter, QSize size, int from, int to, Quality quality = Quality::Full) const;
    // The current line, the tool, the axes, the scale bar and the legend.
    void paintOverlay(QPainter& painter, QSize size) const;
    // The given segments on top of everything in one pen (a hover mark).
    void paintSegments(QPainter& painter, const std::vector<int>& segments, const QPen& pen) const;

    // The colour of a segment reaching down to depth z, in the band of the trace's Z range.
    QColor depthColor(double z) const;
    static QColor backgroundColor() { return QColor(0xff, 0xff, 0xff); }
    static QColor highlightColor() { return QColor(0xff, 0x6a, 0x00); }
    static QColor dimColor() { return QColor(0xd6, 0xd6, 0xd6); }

private:
    struct ViewState {
        ToolpathProjection projection;
        bool fitted = true; // a view not shown yet fits when it is
    };
    struct Box {
        dryrun::Position low, high;
        bool table = false;
    };
    static int index(ViewKind kind) { return static_cast<int>(kind); }
    ViewState& view() { return m_views[index(m_kind)]; }
    // The projected segments of the current view, brought up to date when the view's plane changed.
    const std::vector<QLineF>& planeLines() const;
    const SegmentGrid& grid() const;
    int depthBand(double z) const;
    QColor bandColor(int band) const;
    std::vector<Box> boxes() const;
    void paintBoxes(QPainter& painter, bool antialiased) const;
    void paintRange(QPainter& painter, QSize size, int from, int to, bool dimmed, Quality quality) const;
    void paintTool(QPainter& painter) const;
    void paintAxes(QPainter& painter, QSize size) const;
    void paintScaleBar(QPainter& painter, QSize size) const;
    struct Legend;
    Legend legend(const QFont& font) const;
    void paintLegend(QPainter& painter, QSize size) const;

    std::shared_ptr<const dryrun::Trace> m_trace;
    ToolpathTimeline m_timeline;
    ViewKind m_kind = ViewKind::Top;
    std::array<ViewState, 4> m_views;
    dryrun::LineRef m_currentLine;
    int m_scrub = 0;
    double m_zTop = 0, m_zBottom = 0;
    bool m_hasJogs = false, m_hasFrame = false; // frame: header or closing segments
    // Per segment: its depth band, whether it is a jog, whether it is a header's or closing block's.
    std::vector<quint8> m_style;
    QHash<dryrun::LineRef, std::vector<int>> m_byLine;
    dryrun::Extent m_pathAndBlank;

    // Derived from the current view's plane; rebuilt when it changes.
    mutable ToolpathProjection m_planeOf;
    mutable bool m_planeValid = false;
    mutable std::vector<QLineF> m_plane;
    mutable QRectF m_planeBounds;
    mutable QRectF m_tableBounds; // the same with the table
    mutable bool m_gridValid = false;
    mutable SegmentGrid m_grid;
    // Scratch lines per pen, kept between paints to save allocations.
    mutable std::vector<std::vector<QLineF>> m_buckets;
};
