#pragma once

#include "gui/carve/carveworker.h"

#include <QImage>
#include <QWidget>

// The carved blank as a surface in 3D, in the relief's colours and light: drawn by the program itself
// (a depth buffer over the surface's triangles), so the window needs no 3D library. A drag turns it,
// the wheel zooms, a double click shows it whole again.
class CarvedSurface : public QWidget {
    Q_OBJECT

public:
    CarvedSurface(CarveWorker* worker, QWidget* parent = nullptr);

    void setTurn(double yawDegrees, double pitchDegrees);
    double yaw() const { return m_yaw; }
    double pitch() const { return m_pitch; }
    void resetView();
    // One frame at size: what the widget paints and an export writes.
    QImage renderImage(QSize size) const;

    QSize sizeHint() const override { return {520, 380}; }
    QSize minimumSizeHint() const override { return {160, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    CarveWorker* m_worker;
    double m_yaw = -30, m_pitch = 50, m_zoom = 1;
    QPoint m_lastPos;
};

namespace carvesurface {

// Draws the picture's surface into image (cleared first), turned by yaw about Z and tilted by pitch
// (90 looks straight down), fitted to the image and scaled by zoom; the blank's sides reach down to
// its bottom, or a tenth of its width without a thickness.
void draw(QImage& image, const carve::Job& job, const CarvedPicture& picture, double yaw, double pitch, double zoom);

} // namespace carvesurface
