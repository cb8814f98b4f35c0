// The bit's shape, and where its edge goes while it cuts: the blank check measures the swept bit, not
// the centre line.
#include "core/dryrun/dryrunengine.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace dryrun {

namespace {

double radiusOf(const Tool& tool) {
    return std::isfinite(tool.diameter) && tool.diameter > 0 ? tool.diameter / 2 : 0.0;
}

double halfAngle(const Tool& tool) {
    const double a = std::isfinite(tool.angle) && tool.angle > 0 && tool.angle < 180 ? tool.angle : 90.0;
    return a / 2 * std::numbers::pi / 180;
}

} // namespace

double radiusAt(const Tool& tool, double h) {
    const double r = radiusOf(tool);
    if (!(h > 0)) return 0;
    switch (tool.shape) {
    case Tool::Shape::Flat:
        return r;
    case Tool::Shape::V:
        return std::min(r, h * std::tan(halfAngle(tool)));
    case Tool::Shape::Ball:
        return h >= r ? r : std::sqrt(h * (2 * r - h));
    }
    return r;
}

double coneHeight(const Tool& tool) {
    switch (tool.shape) {
    case Tool::Shape::Flat:
        return 0;
    case Tool::Shape::V:
        return radiusOf(tool) / std::tan(halfAngle(tool));
    case Tool::Shape::Ball:
        return radiusOf(tool);
    }
    return 0;
}

namespace engine {

// The cut's part of the segment is where the tip is below the blank's top; along it the bit's radius
// at the top surface grows with the depth and is concave in it, so each side's overshoot (a straight
// function of the position plus that radius) is largest at an end of the part, where the radius stops
// growing, or for a ball where its slope meets the side's.
std::optional<Outside> outsideBlank(const Position& from, const Position& to, const Tool& tool, double top,
                                    double sizeX, double sizeY) {
    const double r = radiusOf(tool);
    const double lowX = std::min(from.x, to.x) - r, highX = std::max(from.x, to.x) + r;
    const double lowY = std::min(from.y, to.y) - r, highY = std::max(from.y, to.y) + r;
    if (lowX >= -Tolerance && highX <= sizeX + Tolerance && lowY >= -Tolerance && highY <= sizeY + Tolerance)
        return std::nullopt;
    double ta = 0, tb = 1;
    const double dz = to.z - from.z;
    if (from.z >= top) ta = (top - from.z) / dz;
    if (to.z >= top) tb = (top - to.z) / dz + 1;
    if (!(ta <= tb)) return std::nullopt;
    const auto at = [&](double t) {
        return Position{from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t, from.z + dz * t, 0, 0};
    };
    // A flat bit's whole radius counts as soon as it is below the top, so its part's ends are enough.
    const auto radius = [&](double t) { return tool.shape == Tool::Shape::Flat ? r : radiusAt(tool, top - at(t).z); };
    std::vector<double> candidates{ta, tb};
    if (dz != 0 && tool.shape != Tool::Shape::Flat) {
        const double full = tool.shape == Tool::Shape::V ? coneHeight(tool) : r;
        candidates.push_back((top - full - from.z) / dz);
        if (tool.shape == Tool::Shape::Ball) {
            // Where the section's slope dr/dh = (r - h) / sqrt(h (2r - h)) equals m, h = r - m r / sqrt(1 + m^2).
            const double dh = -dz;
            for (double side : {to.x - from.x, from.x - to.x, to.y - from.y, from.y - to.y}) {
                const double m = -side / dh;
                if (m > 0) candidates.push_back((top - (r - m * r / std::sqrt(1 + m * m)) - from.z) / dz);
            }
        }
    }
    std::optional<Outside> worst;
    for (double t : candidates) {
        if (!(t >= ta && t <= tb)) continue;
        const Position p = at(t);
        const double e = radius(t);
        const double by = std::max({e - p.x, p.x + e - sizeX, e - p.y, p.y + e - sizeY});
        if (by > Tolerance && (!worst || by > worst->by)) worst = Outside{by, p.x, p.y};
    }
    return worst;
}

} // namespace engine
} // namespace dryrun
