// Checkpoints of a field along the run, so that a scrubber reaches any moment, forward or back, with
// one copy and at most one interval's carving.
#include "core/carve/sweep.h"

#include <numeric>

namespace carve {

using namespace detail;

namespace {

// More checkpoints than this save little: an interval's carving is then shorter than the copy.
constexpr std::size_t MostCheckpoints = 64;

} // namespace

Scrubber::Scrubber(std::shared_ptr<const Job> job, const Grid& grid, std::size_t budgetBytes)
    : m_job(std::move(job)), m_budget(budgetBytes) {
    m_field.grid = grid;
}

bool Scrubber::prepare(const std::atomic<bool>* cancel) {
    const Job& job = *m_job;
    const Grid& g = m_field.grid;
    const std::size_t bytes = std::max<std::size_t>(1, g.cells() * BytesPerCell);
    const std::size_t count =
        std::min({m_budget / bytes > 0 ? m_budget / bytes - 1 : 0, MostCheckpoints, job.cutCount()});
    // A cut's work is about the cells its reach covers on the grid, so the checkpoints split that work
    // evenly rather than the count of cuts.
    std::vector<double> work(job.cutCount());
    const double gx1 = g.x0 + g.width * g.cell, gy1 = g.y0 + g.height * g.cell;
    for (std::size_t n = 0; n < job.cutCount(); ++n) {
        const Cut& c = job.cuts()[n];
        const double w =
            std::min(gx1, std::max(c.x0, c.x1()) + c.reach) - std::max(g.x0, std::min(c.x0, c.x1()) - c.reach);
        const double h =
            std::min(gy1, std::max(c.y0, c.y1()) + c.reach) - std::max(g.y0, std::min(c.y0, c.y1()) - c.reach);
        work[n] = 1 + (w > 0 && h > 0 ? w * h / (g.cell * g.cell) : 0);
    }
    std::partial_sum(work.begin(), work.end(), work.begin());
    const double total = work.empty() ? 0 : work.back();
    m_marks.clear();
    m_saved.clear();
    for (std::size_t q = 1; q <= count; ++q) {
        const double share = total * double(q) / double(count + 1);
        const std::size_t mark = std::size_t(std::lower_bound(work.begin(), work.end(), share) - work.begin()) + 1;
        if (mark < job.cutCount() && (m_marks.empty() || mark > m_marks.back())) m_marks.push_back(mark);
    }
    m_field.z.assign(g.cells(), float(job.top()));
    m_cutsIn = 0;
    m_valid = false;
    for (std::size_t mark : m_marks) {
        if (!lowerAll(job, g, m_field.z.data(), m_cutsIn, mark, cancel)) return false;
        m_cutsIn = mark;
        m_saved.push_back(m_field.z);
    }
    m_valid = true;
    return true;
}

const Field* Scrubber::at(std::size_t moment, const std::atomic<bool>* cancel) {
    const Job& job = *m_job;
    const std::size_t k = job.cutsBefore(moment);
    // The latest checkpoint at or before k: carving on from the field as it stands is cheaper when it
    // stands between that checkpoint and k.
    const std::size_t q = std::size_t(std::upper_bound(m_marks.begin(), m_marks.end(), k) - m_marks.begin());
    const std::size_t mark = q == 0 ? 0 : m_marks[q - 1];
    if (!m_valid || m_cutsIn > k || m_cutsIn < mark) {
        if (q == 0)
            std::fill(m_field.z.begin(), m_field.z.end(), float(job.top()));
        else
            std::copy(m_saved[q - 1].begin(), m_saved[q - 1].end(), m_field.z.begin());
        m_cutsIn = mark;
    }
    m_field.z.resize(m_field.grid.cells(), float(job.top()));
    m_valid = false;
    if (!lowerAll(job, m_field.grid, m_field.z.data(), m_cutsIn, k, cancel)) return nullptr;
    m_cutsIn = k;
    m_valid = true;
    return &m_field;
}

} // namespace carve
