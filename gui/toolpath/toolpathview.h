#pragma once

#include "gui/toolpath/toolpathscene.h"

#include <QImage>
#include <QWidget>

#include <functional>

class QTimer;

// The toolpath of a dry run, drawn by a ToolpathScene. The path itself is drawn once into a cached
// picture; hover, highlight and the tool marker are drawn over it, and a pan or zoom in progress
// moves the cached picture until the gesture ends. Wheel zooms about the pointer, a left drag pans,
// a right drag (or Shift and a left drag) turns the 3D view, a double click fits.
class ToolpathView : public QWidget {
    Q_OBJECT

public:
    explicit ToolpathView(QWidget* parent = nullptr);

    void setTrace(std::shared_ptr<const dryrun::Trace> trace);
    void setViewKind(ViewKind kind);
    ViewKind viewKind() const { return m_scene.viewKind(); }
    // Highlights the segments of a line; an invalid ref (line 0) clears.
    void setCurrentLine(dryrun::LineRef line);
    dryrun::LineRef currentLine() const { return m_scene.currentLine(); }
    void setScrubPosition(int position);
    // The text of a source line, for the tool tip; none set shows file and line alone.
    void setLineText(std::function<QString(dryrun::LineRef)> provider) { m_lineText = std::move(provider); }
    void fitToView();

    const ToolpathScene& scene() const { return m_scene; }
    // The segment under a widget point, -1 for none.
    int segmentAt(QPoint pos) const;
    // What the tool tip at a widget point says: the segment's file, line and text, else how to steer.
    QString toolTipText(QPoint pos) const;
    // The picture as shown, without the hover mark: what an export writes.
    QImage renderImage() const;

    QSize sizeHint() const override { return {520, 380}; }
    QSize minimumSizeHint() const override { return {160, 120}; }

Q_SIGNALS:
    // The line under the pointer changed; an invalid ref when it left every segment.
    void lineHovered(dryrun::LineRef line);
    // A segment was clicked.
    void lineActivated(dryrun::LineRef line);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    enum class Drag { None, Pending, Pan, Turn };
    void invalidate();
    void fitScene();
    void renderCache(ToolpathScene::Quality quality);
    void hover(QPoint pos);
    QString segmentText(int segment) const;
    // The pointer's place on the plane of a flat view, with the unit; empty in 3D.
    QString pointText(QPoint pos) const;

    ToolpathScene m_scene;
    std::function<QString(dryrun::LineRef)> m_lineText;

    QImage m_cache;
    ToolpathProjection m_cacheProjection; // the projection the cache was drawn with
    int m_cacheReached = 0;               // segments the cache shows in colour
    bool m_cacheValid = false;
    QSize m_fitSize;  // the size the last fit was for
    QTimer* m_settle; // re-renders once the wheel rests

    Drag m_drag = Drag::None;
    bool m_turning = false; // the pending drag turns rather than pans
    QPoint m_pressPos;
    QPoint m_lastPos;
    int m_hovered = -1;
    dryrun::LineRef m_hoveredLine;
};
