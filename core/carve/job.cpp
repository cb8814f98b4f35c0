// The cuts of a trace, the bit and the blank they are carved with, and the index that finds the cuts
// that can reach a place.
#include "core/carve/sweep.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace carve {

using namespace detail;

namespace {

// The index lists each cut in every bin it can reach; past this many entries the bins grow, so a run of
// long passes cannot make the index outgrow the field.
constexpr std::size_t MostIndexEntries = std::size_t(1) << 22;
constexpr int MostBinsPerSide = 1024;

double halfAngle(const dryrun::Tool& tool) {
    const double a = std::isfinite(tool.angle) && tool.angle > 0 && tool.angle < 180 ? tool.angle : 90.0;
    return a / 2 * std::numbers::pi / 180;
}

// Three significant digits, rounded up: a cell an operator can read.
double roundedUp(double v) {
    const double scale = std::pow(10.0, std::floor(std::log10(v)) - 2);
    return std::ceil(v / scale * (1 - 1e-12)) * scale;
}

} // namespace

Grid Grid::covering(double x0, double y0, double x1, double y1, double cell) {
    Grid g;
    g.x0 = x0;
    g.y0 = y0;
    g.cell = std::isfinite(cell) && cell > 0 ? cell : 1.0;
    cell = g.cell;
    g.width = int(std::clamp(std::ceil((x1 - x0) / cell - 1e-9), 1.0, double(std::numeric_limits<int>::max())));
    g.height = int(std::clamp(std::ceil((y1 - y0) / cell - 1e-9), 1.0, double(std::numeric_limits<int>::max())));
    return g;
}

std::size_t budgetBytes(const dryrun::Settings& settings) {
    const double mib = settings.carveBudgetMiB;
    const double usable = std::isfinite(mib) && mib >= 1 && mib <= 65536 ? mib : 64.0;
    return std::size_t(usable * 1024 * 1024);
}

Job::~Job() = default;

std::shared_ptr<const Job> Job::fromTrace(const dryrun::Trace& trace) {
    const dryrun::Setup& s = trace.setup;
    const std::optional<double> top = dryrun::blankTop(s);
    const auto usable = [](double v) { return std::isfinite(v) && v > 0 && v < 1e9; };
    if (!top || !std::isfinite(*top) || !usable(*s.blankX) || !usable(*s.blankY)) return nullptr;
    std::shared_ptr<Job> job(new Job);
    job->m_tool = s.tool;
    job->m_unit = s.unit;
    job->m_sizeX = *s.blankX;
    job->m_sizeY = *s.blankY;
    job->m_top = *top;
    job->m_bottom = dryrun::tableTop(s);
    if (job->m_bottom && *job->m_bottom >= *top) job->m_bottom.reset();
    job->m_radius = std::isfinite(s.tool.diameter) && s.tool.diameter > 0 ? s.tool.diameter / 2 : 0.0;
    job->m_lowest = *top;
    job->m_segmentCount = trace.segments.size();

    const Profile p = profileOf(*job);
    for (std::size_t n = 0; n < trace.segments.size(); ++n) {
        const dryrun::Segment& seg = trace.segments[n];
        const double zLow = std::min(seg.from.z, seg.to.z);
        // Above the top the bit only passes over, and straight up it leaves by the hole it made (or, at
        // the start of a run zeroed on the table, by no hole at all); the dry run counts cuts the same way.
        const bool lift = seg.from.x == seg.to.x && seg.from.y == seg.to.y && seg.to.z > seg.from.z;
        if (!(zLow < *top - 1e-9) || lift || job->m_radius <= 0) continue;
        Cut c;
        c.segment = std::uint32_t(n);
        c.jog = seg.jog;
        const double dx = seg.to.x - seg.from.x, dy = seg.to.y - seg.from.y;
        const double length = std::hypot(dx, dy);
        c.x0 = seg.from.x;
        c.y0 = seg.from.y;
        c.z0 = seg.from.z;
        if (length > 1e-9 * std::max(1.0, std::abs(seg.from.x) + std::abs(seg.from.y))) {
            c.ux = dx / length;
            c.uy = dy / length;
            c.length = length;
            c.g = (seg.to.z - seg.from.z) / length;
        } else {
            c.z0 = zLow; // a plunge: only its lowest point counts
        }
        // The bit comes below the top within its radius at the height of the top above the tip.
        c.reach = std::min(job->m_radius, dryrun::radiusAt(s.tool, *top - zLow) * (1 + 1e-12));
        if (p.shape == Shape::V) {
            c.steep = std::abs(c.g) >= p.slope;
            c.rise = c.steep ? 0 : std::sqrt(p.slope * p.slope - c.g * c.g);
            c.lead = c.steep ? 0 : c.g / c.rise;
        } else if (p.shape == Shape::Ball) {
            c.lead = c.g / std::sqrt(1 + c.g * c.g);
        }
        job->m_lowest = std::min(job->m_lowest, zLow);
        job->m_cuts.push_back(c);
    }
    job->buildIndex();
    return job;
}

Profile detail::profileOf(const Job& job) {
    Profile p;
    p.shape = job.tool().shape;
    p.radius = job.radius();
    p.radius2 = p.radius * p.radius;
    p.slope = 1 / std::tan(halfAngle(job.tool()));
    return p;
}

void detail::span(const Cut& c, double y, double& xa, double& xb) {
    xa = std::numeric_limits<double>::infinity();
    xb = -xa;
    const double r = c.reach, r2 = r * r;
    for (const auto& [px, py] : {std::pair{c.x0, c.y0}, std::pair{c.x1(), c.y1()}}) {
        const double dy = y - py;
        if (dy * dy > r2) continue;
        const double h = std::sqrt(r2 - dy * dy);
        xa = std::min(xa, px - h);
        xb = std::max(xb, px + h);
    }
    if (c.length > 0) {
        // Points of the line with 0 <= s <= length and |d| <= r, s and d straight functions of x.
        const double dy = y - c.y0;
        double lo = -std::numeric_limits<double>::infinity(), hi = -lo;
        const auto within = [&](double base, double per, double from, double to) {
            if (per == 0) {
                if (base < from || base > to) lo = hi + 1;
                return;
            }
            const double a = c.x0 + (from - base) / per, b = c.x0 + (to - base) / per;
            lo = std::max(lo, std::min(a, b));
            hi = std::min(hi, std::max(a, b));
        };
        within(dy * c.uy, c.ux, 0, c.length); // s = (x - x0) ux + dy uy
        within(dy * c.ux, -c.uy, -r, r);      // d = dy ux - (x - x0) uy
        if (lo <= hi) {
            xa = std::min(xa, lo);
            xb = std::max(xb, hi);
        }
    }
    if (!(xa <= xb)) return; // the line misses the reach
    const double margin = 1e-9 * (1 + std::abs(xa) + std::abs(xb));
    xa -= margin;
    xb += margin;
}

void Job::buildIndex() {
    Index& ix = m_index;
    const double pad = m_radius;
    ix.x0 = -pad;
    ix.y0 = -pad;
    const double w = m_sizeX + 2 * pad, h = m_sizeY + 2 * pad;
    // About as many bins as cuts, which keeps a bin's list short; fewer when long cuts cross many.
    double bin = std::sqrt(w * h / std::max<double>(1, double(m_cuts.size())));
    bin = std::max({bin, w / MostBinsPerSide, h / MostBinsPerSide});
    // Each bin row lists a cut where the part of it within the row's band (widened by its reach) goes.
    const auto entries = [&](double b, auto&& add) {
        const int binsX = int(std::ceil(w / b)), binsY = int(std::ceil(h / b));
        std::size_t count = 0;
        for (std::size_t n = 0; n < m_cuts.size(); ++n) {
            const Cut& c = m_cuts[n];
            const double r = c.reach * (1 + 1e-9) + 1e-9 * (1 + std::abs(c.x0) + std::abs(c.y0));
            const double ya = std::min(c.y0, c.y1()) - r, yb = std::max(c.y0, c.y1()) + r;
            const int by0 = int(std::clamp(std::floor((ya - ix.y0) / b), 0.0, double(binsY)));
            const int by1 = int(std::clamp(std::floor((yb - ix.y0) / b), -1.0, double(binsY) - 1));
            for (int by = by0; by <= by1; ++by) {
                // The segment's part with Y within the band widened by r, then its X range widened by r.
                const double bandA = ix.y0 + by * b - r, bandB = ix.y0 + (by + 1) * b + r;
                double ta = 0, tb = c.length;
                if (c.uy != 0) {
                    const double a = (bandA - c.y0) / c.uy, e = (bandB - c.y0) / c.uy;
                    ta = std::max(ta, std::min(a, e));
                    tb = std::min(tb, std::max(a, e));
                }
                if (ta > tb) continue;
                const double xa = std::min(c.x0 + c.ux * ta, c.x0 + c.ux * tb) - r;
                const double xb = std::max(c.x0 + c.ux * ta, c.x0 + c.ux * tb) + r;
                const int bx0 = int(std::clamp(std::floor((xa - ix.x0) / b), 0.0, double(binsX)));
                const int bx1 = int(std::clamp(std::floor((xb - ix.x0) / b), -1.0, double(binsX) - 1));
                for (int bx = bx0; bx <= bx1; ++bx) {
                    add(std::size_t(by) * std::size_t(binsX) + std::size_t(bx), std::uint32_t(n));
                    ++count;
                }
            }
        }
        return count;
    };
    while (entries(bin, [](std::size_t, std::uint32_t) {}) > MostIndexEntries)
        bin *= 1.5;
    ix.bin = bin;
    ix.binsX = int(std::ceil(w / bin));
    ix.binsY = int(std::ceil(h / bin));
    const std::size_t bins = std::size_t(ix.binsX) * std::size_t(ix.binsY);
    ix.start.assign(bins + 1, 0);
    entries(bin, [&](std::size_t b, std::uint32_t) { ++ix.start[b + 1]; });
    for (std::size_t b = 0; b < bins; ++b)
        ix.start[b + 1] += ix.start[b];
    ix.cuts.resize(ix.start[bins]);
    std::vector<std::uint32_t> fill(ix.start.begin(), ix.start.end() - 1);
    entries(bin, [&](std::size_t b, std::uint32_t n) { ix.cuts[fill[b]++] = n; });
}

Grid Job::wholeGrid(double cell) const {
    return Grid::covering(-m_radius, -m_radius, m_sizeX + m_radius, m_sizeY + m_radius, cell);
}

Grid Job::wholeGrid(std::size_t budgetBytes) const {
    const double w = m_sizeX + 2 * m_radius, h = m_sizeY + 2 * m_radius;
    const double most = std::max(1.0, double(budgetBytes / BytesPerCell));
    double cell = roundedUp(std::sqrt(w * h / most));
    while (double(wholeGrid(cell).cells()) > most)
        cell = roundedUp(cell * 1.001);
    return wholeGrid(cell);
}

std::size_t Job::cutCount() const {
    return m_cuts.size();
}

std::size_t Job::cutsBefore(std::size_t moment) const {
    return std::size_t(std::lower_bound(m_cuts.begin(), m_cuts.end(), moment,
                                        [](const Cut& c, std::size_t m) { return c.segment < m; }) -
                       m_cuts.begin());
}

std::size_t Job::segmentOf(std::size_t cut) const {
    return m_cuts[cut].segment;
}

} // namespace carve
