#pragma once

#include "gui/carve/carveworker.h"
#include "gui/toolpath/toolpathscene.h"

#include <QWidget>

#include <optional>

class QTimer;

// The carved blank seen from the top: the whole blank's relief scaled to the view, and once a zoom or
// a pan has rested, the visible region carved again at one cell a screen pixel; the path may lie on
// it. The pointer's X, Y and depth of cut are read out; with Measure on, two clicks measure between
// them (Escape or a third click starts over). Wheel zooms about the pointer, a drag pans, a double
// click fits.
class CarvedView : public QWidget {
    Q_OBJECT

public:
    // The rest after a zoom or pan before the sharp region is carved.
    static constexpr int RestMs = 100;

    CarvedView(CarveWorker* worker, QWidget* parent = nullptr);

    void setTrace(std::shared_ptr<const dryrun::Trace> trace);
    // The segments done (the scrubber's position).
    void setMoment(int moment);
    void setPathShown(bool shown);
    void setCurrentLine(dryrun::LineRef line);
    void setMeasuring(bool on);
    bool isMeasuring() const { return m_measuring; }
    void fitToView();

    const ToolpathScene& scene() const { return m_scene; }
    ToolpathScene& scene() { return m_scene; }
    // What the readout says for a widget point: X, Y and the depth of cut there, with the unit.
    QString readoutAt(QPointF pos) const;
    // The measure between the two points clicked: distance, ΔX and ΔY with the unit; empty before two.
    QString measureText() const;
    // The region the view would carve now: what it shows, at one cell a device pixel.
    std::optional<carve::Grid> visibleGrid() const;
    // The sharp region shown, if any.
    const CarvedPicture& region() const { return m_region; }
    // The picture as shown, without the pointer: what an export writes.
    QImage renderImage();

    QSize sizeHint() const override { return {520, 380}; }
    QSize minimumSizeHint() const override { return {160, 120}; }

Q_SIGNALS:
    void readoutChanged(const QString& text);
    void measureChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // The view moved: the sharp region no longer fits it; one is asked for once the view rests.
    void viewMoved();
    void requestRegion();
    void updateUnderlays();
    void paintMeasure(QPainter& painter) const;
    void placeMeasurePoint(QPointF pos);

    CarveWorker* m_worker;
    ToolpathScene m_scene;
    CarvedPicture m_region;
    std::size_t m_moment = carve::AllDone;
    QTimer* m_rest;
    QSize m_fitSize;
    bool m_dragging = false;
    bool m_pressed = false;
    QPoint m_pressPos, m_lastPos;
    bool m_measuring = false;
    std::vector<QPointF> m_measure; // plane points, at most two
};
