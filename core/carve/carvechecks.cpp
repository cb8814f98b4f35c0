// The checks that need the carved blank: a jog below the blank's top is only safe through material the
// run has already taken out, which the centre line alone cannot tell.
#include "core/carve/sweep.h"

#include <QCoreApplication>
#include <QSet>

namespace carve {

using namespace detail;

namespace {

// Most points of one jog's check; a long jog is checked on a coarser grid than a short one.
constexpr double MostPoints = 65536;
// Material thinner than this (in the file's unit) is no collision: it is rounding.
constexpr double Clearance = 1e-6;

QString number(double v) {
    return QString::number(std::round(v * 1e4) / 1e4, 'g', 10);
}

} // namespace

void checkRapids(const Job& job, dryrun::Trace& trace, const std::atomic<bool>* cancel) {
    const Profile p = profileOf(job);
    const double floor = floorOf(job);
    const QString unit = dryrun::unitSymbol(job.unit());
    QSet<dryrun::LineRef> warned;
    std::vector<double> z;
    for (std::size_t n = 0; n < job.cutCount(); ++n) {
        const Cut& c = job.cuts()[n];
        if (!c.jog || c.segment >= trace.segments.size()) continue;
        if (cancel && cancel->load(std::memory_order_relaxed)) return;
        const dryrun::LineRef line = trace.segments[c.segment].source;
        if (warned.contains(line)) continue;
        // The points of the blank the jog's bit can reach, at a sixteenth of the bit or finer.
        const double xa = std::max(0.0, std::min(c.x0, c.x1()) - c.reach);
        const double xb = std::min(job.sizeX(), std::max(c.x0, c.x1()) + c.reach);
        const double ya = std::max(0.0, std::min(c.y0, c.y1()) - c.reach);
        const double yb = std::min(job.sizeY(), std::max(c.y0, c.y1()) + c.reach);
        if (xa > xb || ya > yb) continue;
        const double cell = std::max(job.radius() / 8, std::sqrt((xb - xa) * (yb - ya) / MostPoints));
        if (!(cell > 0)) continue;
        const Grid g = Grid::covering(xa, ya, xb, yb, cell);
        z.assign(g.cells(), job.top());
        lowerRect(job, g, z.data(), 0, n, 0, g.height, 0, g.width);
        // How deep the bit goes into the material, and the first point it meets along its way.
        double worst = 0, first = std::numeric_limits<double>::infinity();
        double atX = 0, atY = 0;
        for (int j = 0; j < g.height; ++j)
            for (int i = 0; i < g.width; ++i) {
                const double here = z[std::size_t(j) * std::size_t(g.width) + std::size_t(i)];
                if (g.x(i) > job.sizeX() || g.y(j) > job.sizeY() || here <= floor + Clearance) continue;
                const double into = here - std::max(floor, lowestAt(p, c, g.x(i), g.y(j)));
                if (into <= Clearance) continue;
                worst = std::max(worst, into);
                const double along = (g.x(i) - c.x0) * c.ux + (g.y(j) - c.y0) * c.uy;
                if (along < first) {
                    first = along;
                    atX = g.x(i);
                    atY = g.y(j);
                }
            }
        if (worst <= 0) continue;
        warned.insert(line);
        trace.warnings << dryrun::Note{
            line,
            QCoreApplication::translate("carve",
                                        "A jog goes up to %1 %2 deep through material still there, first at X %3 %2, "
                                        "Y %4 %2: a rapid into the blank.")
                .arg(number(worst), unit, number(atX), number(atY)),
            false, QStringLiteral("rapid-into-material")};
    }
}

} // namespace carve
