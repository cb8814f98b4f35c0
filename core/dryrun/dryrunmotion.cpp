// The tool's motion: speeds set by VS, the target of a move or jog, and each segment's time, with or
// without acceleration, added to the run's clock and extent.
#include "core/dryrun/dryrunengine.h"

#include <algorithm>
#include <cmath>

namespace dryrun::engine {

// A trapezoid, or a triangle when the distance is too short to reach v.
double trapezoid(double d, double v, double a) {
    if (d >= v * v / a) return d / v + v / a;
    return 2 * std::sqrt(d / a);
}

void Runner::speeds(const Instr& in, File& f, int fi, int at) {
    if (in.ignored) warn(f, fi, at, IgnoredValues, "extra-values", f.texts[in.note]);
    double* speed[] = {&move_.xy, &move_.z, &move_.a, &move_.b, &jog_.xy, &jog_.z, &jog_.a, &jog_.b};
    for (int s = 0; s < statement::SpeedCount; ++s) {
        if (!(in.mask & (1u << s))) continue;
        const auto v = value(f, fi, at, in.expr[std::size_t(s)], SpeedNames[s]);
        if (!v) continue;
        if (*v < SlowestSpeed || *v > Huge) {
            warn(f, fi, at, SpeedKept, "speed-kept",
                 tr("The %1 %2 is not above 0 (or above %3, beyond any machine); it stays %4.")
                     .arg(tr(SpeedNames[s]), exactNumber(*v), number(Huge), number(*speed[s])));
            continue;
        }
        *speed[s] = *v;
        speedsSet_ |= quint8(1u << s);
    }
}

void Runner::motion(const Instr& in, File& f, int fi, int at, bool jog) {
    if (in.ignored) warn(f, fi, at, IgnoredValues, "extra-values", f.texts[in.note]);
    const Frame& fr = frames_.back();
    const double offset[] = {fr.ox, fr.oy, fr.oz, 0, 0};
    double target[] = {pos_.x, pos_.y, pos_.z, pos_.a, pos_.b};
    for (int a = 0; a < statement::AxisCount; ++a) {
        if (!(in.mask & (1u << a))) continue;
        const auto v = value(f, fi, at, in.expr[std::size_t(a)], AxisNames[a]);
        if (!v) continue;
        const double t = *v + offset[a];
        if (std::abs(t) > Huge) {
            notSimulated(f, fi, at, "out-of-reach",
                         tr("the %1 position %2 is beyond %3 either way, where no machine reaches.")
                             .arg(QLatin1String(AxisNames[a]), exactNumber(t), number(Huge)));
            continue;
        }
        target[a] = t;
    }
    const Position to{target[0], target[1], target[2], target[3], target[4]};
    if (to == pos_) return;
    segment(to, jog, f, fi, at, fr.file == 0 ? f.line(at).region : fr.region);
}

void Runner::segment(const Position& to, bool jog, File& f, int fi, int at, Region region) {
    const Position from = pos_;
    const AxisSpeeds& sp = jog ? jog_ : move_;
    // Positions stay within +-1e9, so the squares cannot overflow.
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double distance[] = {std::sqrt(dx * dx + dy * dy), std::abs(to.z - from.z), std::abs(to.a - from.a),
                               std::abs(to.b - from.b)};
    const double speed[] = {sp.xy, sp.z, sp.a, sp.b};
    const double accel[] = {accel_[0], accel_[1], accel_[2], accel_[2]};
    double time = 0;
    double decided = speed[0];
    for (int g = 0; g < 4; ++g) {
        if (distance[g] == 0) continue;
        const double t = accel[g] > 0 ? trapezoid(distance[g], speed[g], accel[g]) : distance[g] / speed[g];
        if (t > time) {
            time = t;
            decided = speed[g];
        }
    }
    time *= calibration_;
    // The run's clock stands where this segment begins: everything run before it is counted.
    trace_.segments.push_back(Segment{from, to, jog, region, decided, time, trace_.totalTime, ref(f, fi, at)});
    addTime(f, at, time);
    pos_ = to;
    // Every segment starts where the one before it ended, so only the first start is new.
    if (trace_.extent.empty) include(from);
    include(to);
    check(from, to, f, fi, at);
}

void Runner::addTime(File& f, int at, double t) {
    f.time[std::size_t(at)] += t;
    trace_.totalTime += t;
}

void Runner::include(const Position& p) {
    Extent& e = trace_.extent;
    if (e.empty) {
        e.empty = false;
        e.x = {p.x, p.x};
        e.y = {p.y, p.y};
        e.z = {p.z, p.z};
        return;
    }
    e.x.min = std::min(e.x.min, p.x);
    e.x.max = std::max(e.x.max, p.x);
    e.y.min = std::min(e.y.min, p.y);
    e.y.max = std::max(e.y.max, p.y);
    e.z.min = std::min(e.z.min, p.z);
    e.z.max = std::max(e.z.max, p.z);
}

} // namespace dryrun::engine
