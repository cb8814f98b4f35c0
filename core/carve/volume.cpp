// What the run takes out of the blank: the removed volume and the deepest point.
#include "core/carve/sweep.h"

namespace carve {

using namespace detail;

namespace {

// Fibonacci lattices: k points, the i-th at ((i + 0.5) / k, (i * p mod k + 0.5) / k) with p the
// Fibonacci number before k. Every point has an X and a Y of its own, so an edge along either axis is
// found to within a k-th of the cell, and the points are spread evenly for edges at any angle.
struct Lattice {
    int k, p;
};
constexpr Lattice Lattices[] = {{13, 8}, {21, 13}, {34, 21}, {55, 34}, {89, 55}};

// Enough points that a wall's error along a cut of the bit's width stays within a quarter of a percent.
Lattice latticeFor(double cell, double diameter) {
    const double wanted = diameter > 0 ? cell / (0.0025 * diameter) : 1;
    for (const Lattice& l : Lattices)
        if (l.k >= wanted) return l;
    return Lattices[std::size(Lattices) - 1];
}

// How far above its tip the bit's surface stands at rho from its axis (0 for rho of 0 or less).
double lift(const Profile& p, double rho) {
    if (rho <= 0) return 0;
    switch (p.shape) {
    case Shape::Flat:
        return 0;
    case Shape::V:
        return p.slope * rho;
    case Shape::Ball:
        return rho >= p.radius ? p.radius : p.radius - std::sqrt(p.radius2 - rho * rho);
    }
    return 0;
}

// The length of [a, b] within [0, size].
double overlap(double a, double b, double size) {
    return std::max(0.0, std::min(b, size) - std::max(a, 0.0));
}

} // namespace

std::optional<double> removedVolume(const Job& job, const Field& field, const std::atomic<bool>* cancel) {
    const Grid& g = field.grid;
    const double c = g.cell, area = c * c, top = job.top(), floor = floorOf(job);
    const Profile p = profileOf(job);
    // A V bit leaves no walls (but where its shank cuts), only folds, whose error a cell's point makes is
    // already small and falls with the square of the spacing: eight points are plenty.
    const Lattice lattice = p.shape == Shape::V ? Lattice{8, 5} : latticeFor(c, 2 * job.radius());
    const std::size_t k = std::size_t(lattice.k);
    // Where the lattice's points lie in a cell, from its lower left corner.
    std::vector<std::pair<double, double>> points(k);
    std::vector<double> reachOf(k); // each point's distance from its cell's point
    for (std::size_t q = 0; q < k; ++q)
        points[q] = {(double(q) + 0.5) / double(k) * c, double((int(q) * lattice.p) % lattice.k + 0.5) / double(k) * c};
    for (std::size_t q = 0; q < k; ++q)
        reachOf[q] = std::hypot(points[q].first - c / 2, points[q].second - c / 2) * (1 + 1e-9);
    // Where a cell's point alone would miss much: at a wall (a flat bit's side, or a ramp's floor or a
    // ball's flank steeper than 2, rises more than twice a cell between two cells), where it counts the
    // whole cell on one side; and for a V bit at a fold (a groove's bottom or edge, a ridge where two
    // passes meet: the slope turns by more than a quarter of the cone's within three cells), where a
    // shallow groove only a few cells wide would be off by a percent. Elsewhere the surface is smooth
    // and the cell's point meets it to a few hundredths of a percent.
    const bool folds = p.shape == Shape::V;
    const double wall = 2 * c, fold = 0.25 * p.slope * c;
    const auto h = [&](int i, int j) { return double(field.at(i, j)); };
    const auto breaks = [&](int i, int j) {
        const double here = h(i, j);
        const auto across = [&](int di, int dj) {
            const bool a = i - di >= 0 && j - dj >= 0, b = i + di < g.width && j + dj < g.height;
            const double before = a ? h(i - di, j - dj) : here, after = b ? h(i + di, j + dj) : here;
            if (std::abs(before - here) > wall || std::abs(after - here) > wall) return true;
            return folds && a && b && std::abs(before + after - 2 * here) > fold;
        };
        return across(1, 0) || across(0, 1);
    };
    // The columns where a row, or a row beside it, is cut: elsewhere nothing was taken out and nothing
    // breaks, so most of a large blank is passed over in one quick scan.
    const auto cutColumns = [&](int j, int& from, int& to) {
        from = g.width;
        to = -1;
        const float level = float(top);
        for (int r = std::max(0, j - 1); r <= std::min(g.height - 1, j + 1); ++r) {
            const float* row = field.z.data() + std::size_t(r) * std::size_t(g.width);
            int i = 0;
            while (i < from && row[i] >= level)
                ++i;
            from = std::min(from, i);
            int e = g.width - 1;
            while (e > to && row[e] >= level)
                --e;
            to = std::max(to, e);
        }
    };

    const int band = 16;
    const int bands = (g.height + band - 1) / band;
    std::vector<double> sums(std::size_t(bands), 0.0);
    const auto work = [&](int b) {
        if (cancel && cancel->load(std::memory_order_relaxed)) return;
        const int rowA = b * band, rowB = std::min(g.height, (b + 1) * band);
        double sum = 0;
        // The cells at a wall, each with its lattice's depths, and where each stands in the band.
        std::vector<std::pair<int, int>> walls;
        std::vector<int> slot;
        for (int j = rowA; j < rowB; ++j) {
            const double wy = overlap(g.y(j) - c / 2, g.y(j) + c / 2, job.sizeY()) / c;
            if (wy <= 0) continue;
            int from, to;
            cutColumns(j, from, to);
            for (int i = std::max(0, from - 1); i <= std::min(g.width - 1, to + 1); ++i) {
                const double wx = overlap(g.x(i) - c / 2, g.x(i) + c / 2, job.sizeX()) / c;
                if (wx <= 0) continue;
                if (!breaks(i, j)) {
                    sum += (top - h(i, j)) * area * wx * wy;
                    continue;
                }
                if (slot.empty()) slot.assign(std::size_t(rowB - rowA) * std::size_t(g.width), -1);
                slot[std::size_t(j - rowA) * std::size_t(g.width) + std::size_t(i)] = int(walls.size());
                walls.emplace_back(i, j);
            }
        }
        if (!walls.empty()) {
            // Each cut that reaches a wall cell's lattice lowers its points, as a field's cells are lowered.
            std::vector<double> depth(walls.size() * k, top);
            // A V bit's surface rises at most its cone's slope from any point (each cut's does), so a
            // lattice point lies no higher than the cell's own point plus that slope times the distance
            // between them: starting there, a cut that cannot go lower is passed over at once.
            if (folds)
                for (std::size_t w = 0; w < walls.size(); ++w) {
                    const double here = h(walls[w].first, walls[w].second);
                    for (std::size_t q = 0; q < k; ++q)
                        depth[w * k + q] =
                            std::min(top, here + 1e-6 * (1 + std::abs(here)) +
                                              p.slope * std::hypot(points[q].first - c / 2, points[q].second - c / 2));
                }
            std::vector<std::uint32_t> cuts;
            gatherCuts(job, g, rowA, rowB, 0, g.width, 0, job.cutCount(), c, cuts);
            for (std::uint32_t n : cuts) {
                const Cut& cut = job.cuts()[n];
                Cut wide = cut;
                wide.reach += c * 0.71; // a lattice point lies within half a diagonal of its cell's point
                const double lowestOfCut = std::max(floor, cut.zLow());
                const double ya = std::min(cut.y0, cut.y1()) - wide.reach, yb = std::max(cut.y0, cut.y1()) + wide.reach;
                const int from = int(std::clamp(std::ceil((ya - g.y0) / c - 0.5), double(rowA), double(rowB)));
                const int to = int(std::clamp(std::floor((yb - g.y0) / c - 0.5) + 1, double(rowA), double(rowB)));
                for (int j = from; j < to; ++j) {
                    double xa, xb;
                    span(wide, g.y(j), xa, xb);
                    int i0, i1;
                    columns(g, xa, xb, i0, i1);
                    for (int i = i0; i <= i1; ++i) {
                        const int w = slot[std::size_t(j - rowA) * std::size_t(g.width) + std::size_t(i)];
                        if (w < 0) continue;
                        double* at = depth.data() + std::size_t(w) * k;
                        const double left = g.x(i) - c / 2, bottom = g.y(j) - c / 2;
                        // No point of the cell is nearer the tip's path than the cell's point less half
                        // its diagonal, so none is lower than the bit's lift there above its lowest tip.
                        const double dx = g.x(i) - cut.x0, dy = g.y(j) - cut.y0;
                        const double along = dx * cut.ux + dy * cut.uy, across = dy * cut.ux - dx * cut.uy;
                        const double off = along < 0            ? std::hypot(along, across)
                                           : along > cut.length ? std::hypot(along - cut.length, across)
                                                                : std::abs(across);
                        if (off - c * 0.71 > cut.reach) continue;
                        double bound = std::max(lowestOfCut, cut.zLow() + lift(p, off - c * 0.71));
                        // A V cut's own surface rises at most its cone's slope (while the cone, not the
                        // shank, cuts), so none of the cell is lower than its point less that slope
                        // times half the diagonal.
                        double here = -std::numeric_limits<double>::infinity();
                        if (folds && cut.reach < p.radius - c * 0.71) {
                            // Below the top the cut's value is its cone's own; above it, it may be higher.
                            const double centre = lowest<Shape::V>(p, cut, along, across);
                            if (centre < top) here = centre;
                            bound = std::max(bound, here - p.slope * c * 0.71);
                        }
                        for (std::size_t q = 0; q < k; ++q)
                            if (at[q] > bound && at[q] > here - p.slope * reachOf[q])
                                at[q] = std::min(at[q], std::max(floor, lowestAt(p, cut, left + points[q].first,
                                                                                 bottom + points[q].second)));
                    }
                }
            }
            for (std::size_t w = 0; w < walls.size(); ++w) {
                const double left = g.x(walls[w].first) - c / 2, bottom = g.y(walls[w].second) - c / 2;
                for (std::size_t q = 0; q < k; ++q) {
                    const double x = left + points[q].first, y = bottom + points[q].second;
                    if (x >= 0 && x <= job.sizeX() && y >= 0 && y <= job.sizeY())
                        sum += (top - depth[w * k + q]) * area / double(k);
                }
            }
        }
        sums[std::size_t(b)] = sum;
    };
    if (g.cells() < (std::size_t(1) << 15))
        for (int b = 0; b < bands; ++b)
            work(b);
    else
        forEachTask(bands, work);
    if (cancel && cancel->load()) return std::nullopt;
    double total = 0;
    for (double v : sums)
        total += v;
    return total;
}

std::optional<dryrun::Position> deepest(const Job& job) {
    std::optional<dryrun::Position> best;
    for (const Cut& c : job.cuts()) {
        // The part of the tip's path over the blank (edges count as on it).
        double ta = 0, tb = c.length;
        const auto clip = [&](double start, double per, double size) {
            if (per == 0) {
                if (start < 0 || start > size) ta = tb + 1;
                return;
            }
            const double a = (0 - start) / per, b = (size - start) / per;
            ta = std::max(ta, std::min(a, b));
            tb = std::min(tb, std::max(a, b));
        };
        clip(c.x0, c.ux, job.sizeX());
        clip(c.y0, c.uy, job.sizeY());
        if (ta > tb) continue;
        const double t = c.g >= 0 ? ta : tb;
        const double z = c.z0 + c.g * t;
        if (z < job.top() && (!best || z < best->z)) best = dryrun::Position{c.x0 + c.ux * t, c.y0 + c.uy * t, z, 0, 0};
    }
    return best;
}

std::optional<Summary> summarize(const Job& job, const Field& whole, const std::atomic<bool>* cancel) {
    const std::optional<double> volume = removedVolume(job, whole, cancel);
    if (!volume) return std::nullopt;
    return Summary{whole.grid.cell, *volume, deepest(job)};
}

} // namespace carve
