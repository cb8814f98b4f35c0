// Carving a grid: each cut lowers the cells within its reach, row by row; the index finds the cuts that
// can reach a band of rows, so a grid visits only those, and the bands are shared among the cores.
#include "core/carve/sweep.h"

#include <thread>

namespace carve {

using namespace detail;

namespace {

// Below this many cells a grid is carved on the calling thread: starting threads would cost more.
constexpr std::size_t ParallelFrom = std::size_t(1) << 15;

// The first row (or column) whose point lies at or past v.
int firstAt(double v, double origin, double cell, int count) {
    return int(std::clamp(std::ceil((v - origin) / cell - 0.5), 0.0, double(count)));
}

template <Shape S, class T>
void lowerCut(const Profile& p, const Cut& c, double floor, const Grid& g, T* z, int rowA, int rowB, int colA,
              int colB) {
    const double ya = std::min(c.y0, c.y1()) - c.reach, yb = std::max(c.y0, c.y1()) + c.reach;
    rowA = std::max(rowA, firstAt(ya - 1e-9 * (1 + std::abs(ya)), g.y0, g.cell, g.height));
    rowB = std::min(rowB, firstAt(yb + 1e-9 * (1 + std::abs(yb)), g.y0, g.cell, g.height) + 1);
    for (int j = rowA; j < rowB; ++j) {
        const double y = g.y(j);
        double xa, xb;
        span(c, y, xa, xb);
        int i0, i1;
        columns(g, xa, xb, i0, i1);
        i0 = std::max(i0, colA);
        i1 = std::min(i1, colB - 1);
        T* row = z + std::size_t(j) * std::size_t(g.width);
        const double dy = y - c.y0;
        for (int i = i0; i <= i1; ++i) {
            const double dx = g.x(i) - c.x0;
            const double v = std::max(floor, lowest<S>(p, c, dx * c.ux + dy * c.uy, dy * c.ux - dx * c.uy));
            if (v < row[i]) row[i] = T(v);
        }
    }
}

template <Shape S, class T>
void lowerWith(const Job& job, const Grid& g, T* z, std::size_t from, std::size_t to, int rowA, int rowB, int colA,
               int colB) {
    const Profile p = profileOf(job);
    const double floor = floorOf(job);
    std::vector<std::uint32_t> cuts;
    gatherCuts(job, g, rowA, rowB, colA, colB, from, to, 0, cuts);
    for (std::uint32_t n : cuts)
        lowerCut<S>(p, job.cuts()[n], floor, g, z, rowA, rowB, colA, colB);
}

} // namespace

void detail::gatherCuts(const Job& job, const Grid& g, int rowA, int rowB, int colA, int colB, std::size_t from,
                        std::size_t to, double widen, std::vector<std::uint32_t>& out) {
    out.clear();
    const Job::Index& ix = job.index();
    if (ix.binsX == 0 || from >= to) return;
    const auto binOf = [&](double v, double origin, int count) {
        return int(std::clamp(std::floor((v - origin) / ix.bin), 0.0, double(count - 1)));
    };
    // One more bin on each side than the points' own, in case rounding puts a point's bin off by one.
    const int by0 = std::max(0, binOf(g.y(rowA) - widen, ix.y0, ix.binsY) - 1);
    const int by1 = std::min(ix.binsY - 1, binOf(g.y(rowB - 1) + widen, ix.y0, ix.binsY) + 1);
    const int bx0 = std::max(0, binOf(g.x(colA) - widen, ix.x0, ix.binsX) - 1);
    const int bx1 = std::min(ix.binsX - 1, binOf(g.x(colB - 1) + widen, ix.x0, ix.binsX) + 1);
    // A grid wholly beside the index meets no cut.
    if (g.y(rowA) - widen > ix.y0 + ix.binsY * ix.bin || g.y(rowB - 1) + widen < ix.y0 ||
        g.x(colA) - widen > ix.x0 + ix.binsX * ix.bin || g.x(colB - 1) + widen < ix.x0)
        return;
    for (int by = by0; by <= by1; ++by)
        for (int bx = bx0; bx <= bx1; ++bx) {
            const std::size_t b = std::size_t(by) * std::size_t(ix.binsX) + std::size_t(bx);
            const auto first = ix.cuts.begin() + ix.start[b], last = ix.cuts.begin() + ix.start[b + 1];
            for (auto it = std::lower_bound(first, last, std::uint32_t(from)); it != last && *it < to; ++it)
                out.push_back(*it);
        }
    // A cut is listed in every bin it reaches: once each, in the run's order. (No thread_local marks:
    // MinGW's threads that had them never finished exiting under Wine.)
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

void detail::forEachTask(int tasks, const std::function<void(int)>& work) {
    const int threads = std::clamp(int(std::thread::hardware_concurrency()), 1, std::min(tasks, 8));
    std::atomic<int> next{0};
    const auto take = [&] {
        for (int t = next++; t < tasks; t = next++)
            work(t);
    };
    std::vector<std::thread> helpers;
    for (int h = 1; h < threads; ++h)
        helpers.emplace_back(take);
    take();
    for (std::thread& h : helpers)
        h.join();
}

template <class T>
void detail::lowerRect(const Job& job, const Grid& grid, T* z, std::size_t from, std::size_t to, int rowA, int rowB,
                       int colA, int colB) {
    if (from >= to || rowA >= rowB || colA >= colB || job.index().binsX == 0) return;
    switch (job.tool().shape) {
    case Shape::Flat:
        return lowerWith<Shape::Flat>(job, grid, z, from, to, rowA, rowB, colA, colB);
    case Shape::V:
        return lowerWith<Shape::V>(job, grid, z, from, to, rowA, rowB, colA, colB);
    case Shape::Ball:
        return lowerWith<Shape::Ball>(job, grid, z, from, to, rowA, rowB, colA, colB);
    }
}

template <class T>
bool detail::lowerAll(const Job& job, const Grid& grid, T* z, std::size_t from, std::size_t to,
                      const std::atomic<bool>* cancel) {
    const auto cancelled = [cancel] { return cancel && cancel->load(std::memory_order_relaxed); };
    if (from >= to || grid.cells() == 0) return !cancelled();
    // Bands about a bin high (each then visits a bin row's lists once), enough of them to share.
    const double binRows = job.index().bin / grid.cell;
    int band = int(std::clamp(binRows, 8.0, 64.0));
    if (grid.cells() < ParallelFrom) band = grid.height;
    band = std::max(1, std::min(band, (grid.height + 7) / 8));
    const int bands = (grid.height + band - 1) / band;
    const auto work = [&](int b) {
        if (cancelled()) return;
        lowerRect(job, grid, z, from, to, b * band, std::min(grid.height, (b + 1) * band), 0, grid.width);
    };
    if (grid.cells() < ParallelFrom)
        for (int b = 0; b < bands; ++b)
            work(b);
    else
        forEachTask(bands, work);
    return !cancelled();
}

template void detail::lowerRect<float>(const Job&, const Grid&, float*, std::size_t, std::size_t, int, int, int, int);
template void detail::lowerRect<double>(const Job&, const Grid&, double*, std::size_t, std::size_t, int, int, int, int);
template bool detail::lowerAll<float>(const Job&, const Grid&, float*, std::size_t, std::size_t,
                                      const std::atomic<bool>*);
template bool detail::lowerAll<double>(const Job&, const Grid&, double*, std::size_t, std::size_t,
                                       const std::atomic<bool>*);

std::optional<Field> carve(const Job& job, const Grid& grid, std::size_t moment, const std::atomic<bool>* cancel) {
    Field f;
    f.grid = grid;
    f.z.assign(grid.cells(), float(job.top()));
    if (!lowerAll(job, grid, f.z.data(), 0, job.cutsBefore(moment), cancel)) return std::nullopt;
    return f;
}

} // namespace carve

namespace carve {

double heightAt(const Job& job, double x, double y, std::size_t moment) {
    // A grid of one cell whose point is (x, y); the cell's size only places the point.
    const Grid one{x - 0.5, y - 0.5, 1, 1, 1};
    double z = job.top();
    detail::lowerRect(job, one, &z, 0, job.cutsBefore(moment), 0, 1, 0, 1);
    return z;
}

} // namespace carve
