#pragma once

#include "core/dryrun/dryrun.h"

#include <QPointF>
#include <QRectF>

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
