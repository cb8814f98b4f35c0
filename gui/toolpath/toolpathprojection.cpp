#include "gui/toolpath/toolpathprojection.h"

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
