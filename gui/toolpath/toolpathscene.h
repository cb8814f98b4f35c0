#pragma once

#include "core/dryrun/dryrun.h"
#include "gui/toolpath/segmentgrid.h"
#include "gui/toolpath/toolpathprojection.h"
#include "gui/toolpath/toolpathtimeline.h"

#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QSize>

#include <array>
#include <memory>
#include <vector>

class QFont;
class QPainter;
class QPen;

// Everything drawn of a trace, without a widget: the projections of the four views with their zoom
// and pan, the path coloured by depth, the blank and the table, the overlays, and the segment under
// a screen point. The view widget, the exports and the command line all draw through it.
// Its state, fits and hit tests are in toolpathscene.cpp, the drawing in toolpathdrawing.cpp (the
// path, table and blank) and toolpathoverlays.cpp (what lies on top).
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

    // Pens for paper: a picture drawn at twice its size and printed, perhaps in black and white.
    void setPaper(bool paper) { m_paper = paper; }

    // A picture lying on the top view's plane under the path (the carved blank), covering its
    // rectangle of the plane (X right, Y up); later ones lie on earlier ones. Other views leave them out.
    struct Underlay {
        QImage image;
        QRectF plane;
    };
    void setUnderlays(std::vector<Underlay> underlays) { m_underlays = std::move(underlays); }
    // Whether the path is drawn (the carved view may show the blank alone).
    void setPathShown(bool shown) { m_pathShown = shown; }
    bool pathShown() const { return m_pathShown; }

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

    // The unit of the trace's lengths (inches without a trace).
    dryrun::Unit unit() const { return m_trace ? m_trace->setup.unit : dryrun::Unit::Inch; }

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
    // In toolpathdrawing.cpp.
    void paintBoxes(QPainter& painter, bool antialiased) const;
    void paintUnderlays(QPainter& painter, QSize size) const;
    void paintRange(QPainter& painter, QSize size, int from, int to, bool dimmed, Quality quality) const;
    // In toolpathoverlays.cpp; a fit keeps the path clear of the legend, so it asks for its size.
    void paintTool(QPainter& painter) const;
    void paintAxes(QPainter& painter, QSize size) const;
    void paintScaleBar(QPainter& painter, QSize size) const;
    struct Legend;
    Legend legend(const QFont& font) const;
    QSizeF legendSize(const QFont& font) const;
    void paintLegend(QPainter& painter, QSize size) const;

    std::shared_ptr<const dryrun::Trace> m_trace;
    ToolpathTimeline m_timeline;
    ViewKind m_kind = ViewKind::Top;
    bool m_paper = false;
    bool m_pathShown = true;
    std::vector<Underlay> m_underlays;
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
