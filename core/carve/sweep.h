#pragma once

#include "core/carve/carve.h"

#include <algorithm>
#include <cmath>
#include <functional>

// The bit swept along one straight segment, and the lowest point of it over a point of the plane, in
// closed form. Only core/carve/*.cpp include this; carve.h is the interface.
//
// Along the segment the tip is at p(t) = start + t u (t from 0 to its XY length L) and at height
// z0 + g t. Over a point at distance s along the segment and d across it, the bit reaches down to
// z0 + g t + f(rho) with rho^2 = (s - t)^2 + d^2 and f the bit's profile: 0 for a flat bit, rho k for a
// V bit (k the cotangent of its half angle), R - sqrt(R^2 - rho^2) for a ball. Each is convex in t
// where rho <= R, so the lowest point is the unconstrained minimum clamped to the reachable t:
// flat, an end of that interval; V, s - |d| g / sqrt(k^2 - g^2) (an end when |g| >= k), where it is
// z0 + g s + |d| sqrt(k^2 - g^2); ball, s - g sqrt(R^2 - d^2) / sqrt(1 + g^2).
namespace carve::detail {

using Shape = dryrun::Tool::Shape;

struct Cut {
    double x0 = 0, y0 = 0, z0 = 0; // where the tip starts (a plunge: its lower end)
    double ux = 1, uy = 0;         // the XY direction; (1, 0) for a plunge
    double length = 0;             // XY length; 0 for a plunge
    double g = 0;                  // rise per unit of XY travel
    double reach = 0;              // how far from the tip the bit comes below the blank's top
    double lead = 0;               // V: g / sqrt(k^2 - g^2); ball: g / sqrt(1 + g^2)
    double rise = 0;               // V: sqrt(k^2 - g^2), how the lowest point rises across the path
    std::uint32_t segment = 0;     // in Trace::segments
    bool steep = false;            // V: |g| >= k, the minimum at an end
    bool jog = false;

    double x1() const { return x0 + ux * length; }
    double y1() const { return y0 + uy * length; }
    double zLow() const { return std::min(z0, z0 + g * length); }
};

// The bit as the sweep sees it.
struct Profile {
    Shape shape = Shape::Flat;
    double radius = 0, radius2 = 0;
    double slope = 1; // V: cot of the half angle
};

// Points closer to the tip's path than this (relative to the square of the reach) count as on it, so a
// point on the bit's edge is inside however the arithmetic rounds.
inline constexpr double EdgeTolerance = 1e-12;

// The lowest point of the swept bit over the point at (s, d), or +infinity where it does not reach.
template <Shape S> inline double lowest(const Profile& p, const Cut& c, double s, double d) {
    const double d2 = d * d;
    const double reach2 = c.reach * c.reach;
    // The common cases first, without a square root where none is needed: a level flat cut, and a V cut
    // whose lowest point over [0, length] is within its reach (the lowest over the reachable part is then
    // the same point). A V cut that reaches below the top only within its cone, and not there, cannot
    // lower the point below the top at all.
    if constexpr (S == Shape::Flat) {
        if (c.g == 0) {
            const double a = s - std::clamp(s, 0.0, c.length);
            return a * a + d2 <= reach2 * (1 + EdgeTolerance) ? c.z0 : std::numeric_limits<double>::infinity();
        }
    } else if constexpr (S == Shape::V) {
        if (!c.steep) {
            const double t0 = s - std::abs(d) * c.lead;
            const double t = std::clamp(t0, 0.0, c.length);
            const double a = s - t;
            if (a * a + d2 <= reach2 * (1 + EdgeTolerance))
                return t == t0 ? c.z0 + c.g * s + std::abs(d) * c.rise
                               : c.z0 + c.g * t + p.slope * std::sqrt(a * a + d2);
            if (c.reach < p.radius) return std::numeric_limits<double>::infinity();
        }
    }
    const double w2 = reach2 - d2;
    if (w2 < -EdgeTolerance * reach2) return std::numeric_limits<double>::infinity();
    const double w = std::sqrt(std::max(0.0, w2));
    const double lo = std::max(0.0, s - w);
    double hi = std::min(c.length, s + w);
    if (lo > hi + EdgeTolerance * (1 + c.length)) return std::numeric_limits<double>::infinity();
    hi = std::max(lo, hi);
    if constexpr (S == Shape::Flat) {
        return c.z0 + c.g * (c.g >= 0 ? lo : hi);
    } else if constexpr (S == Shape::V) {
        const double t = c.steep ? (c.g > 0 ? lo : hi) : std::clamp(s - std::abs(d) * c.lead, lo, hi);
        const double a = s - t;
        return c.z0 + c.g * t + p.slope * std::sqrt(a * a + d2);
    } else {
        const double t = std::clamp(s - c.lead * std::sqrt(std::max(0.0, p.radius2 - d2)), lo, hi);
        const double a = s - t;
        return c.z0 + c.g * t + p.radius - std::sqrt(std::max(0.0, p.radius2 - d2 - a * a));
    }
}

inline double lowestAt(const Profile& p, const Cut& c, double x, double y) {
    const double dx = x - c.x0, dy = y - c.y0;
    const double s = dx * c.ux + dy * c.uy, d = dy * c.ux - dx * c.uy;
    switch (p.shape) {
    case Shape::Flat:
        return lowest<Shape::Flat>(p, c, s, d);
    case Shape::V:
        return lowest<Shape::V>(p, c, s, d);
    case Shape::Ball:
        return lowest<Shape::Ball>(p, c, s, d);
    }
    return std::numeric_limits<double>::infinity();
}

Profile profileOf(const Job& job);

// Where the cut's reach crosses the line Y = y: from xa to xb (xa > xb when it does not), a little
// wider than exact so that rounding never leaves out a point on the edge.
void span(const Cut& c, double y, double& xa, double& xb);

// Cells i with x(i) from xa to xb, within [0, width).
inline void columns(const Grid& g, double xa, double xb, int& i0, int& i1) {
    const double a = std::ceil((xa - g.x0) / g.cell - 0.5), b = std::floor((xb - g.x0) / g.cell - 0.5);
    if (!(a <= b)) { // none, or no number
        i0 = 0;
        i1 = -1;
        return;
    }
    i0 = int(std::clamp(a, 0.0, double(g.width)));
    i1 = int(std::clamp(b, -1.0, double(g.width) - 1));
}

// The cuts numbered from, to - 1 that can reach a point within widen of a cell's point of rows rowA to
// rowB - 1 and columns colA to colB - 1 (and perhaps a few more), each once.
void gatherCuts(const Job& job, const Grid& grid, int rowA, int rowB, int colA, int colB, std::size_t from,
                std::size_t to, double widen, std::vector<std::uint32_t>& out);

// Runs work(task) for every task from 0 to tasks - 1 on the processor's cores (the calling thread one of
// them), each task once; work must be safe to run on several threads at once.
void forEachTask(int tasks, const std::function<void(int)>& work);

// Lowers z (laid out as grid) by the cuts numbered from, to - 1 that can reach cells of rows from rowA to
// rowB - 1 and columns from colA to colB - 1. T is float for fields, double where a check compares.
template <class T>
void lowerRect(const Job& job, const Grid& grid, T* z, std::size_t from, std::size_t to, int rowA, int rowB, int colA,
               int colB);

// The same over the whole grid, in bands of rows shared among the cores; false when cancelled.
template <class T>
bool lowerAll(const Job& job, const Grid& grid, T* z, std::size_t from, std::size_t to,
              const std::atomic<bool>* cancel);

// The blank's bottom for clamping: -infinity without a thickness.
inline double floorOf(const Job& job) {
    return job.bottom().value_or(-std::numeric_limits<double>::infinity());
}

} // namespace carve::detail
