#pragma once

#include "core/dryrun/dryrun.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

// The carved blank: a height field over the blank (and the bit's radius around it) that every cut of a
// dry run's trace lowers to the lowest point of the bit swept along it, computed exactly at each cell's
// point. The rules are written down in docs/cut-preview.md. Qt Core only: the window, the command line
// and the job sheet all carve with it.
namespace carve {

namespace detail {
struct Cut;
}

// A rectangle of points: cell (i, j) stands for the square of side cell around (x(i), y(j)); row 0 is
// the lowest Y. Lengths are in the trace's unit.
struct Grid {
    double x0 = 0, y0 = 0; // the rectangle's lower left corner
    double cell = 1;
    int width = 0, height = 0;

    double x(int i) const { return x0 + (i + 0.5) * cell; }
    double y(int j) const { return y0 + (j + 0.5) * cell; }
    std::size_t cells() const { return std::size_t(width) * std::size_t(height); }
    // The grid of cell whose squares cover x0..x1, y0..y1 from its lower left corner (at least 1 x 1).
    static Grid covering(double x0, double y0, double x1, double y1, double cell);
};

// Heights over a grid: z[j * width + i] is the surface's Z at cell (i, j), the blank's top where
// nothing cut there.
struct Field {
    Grid grid;
    std::vector<float> z;
    float at(int i, int j) const { return z[std::size_t(j) * std::size_t(grid.width) + std::size_t(i)]; }
};

// What a field cell costs, for the budget.
inline constexpr std::size_t BytesPerCell = sizeof(float);
// A moment of the run: how many of the trace's segments are done. AllDone is the end of the run.
inline constexpr std::size_t AllDone = std::numeric_limits<std::size_t>::max();

// The most bytes the settings let a field take (the budget in MiB, 1 to 65536; 64 when unusable).
std::size_t budgetBytes(const dryrun::Settings& settings);

// The cuts of one trace, with the bit and the blank they are carved with and an index of where each
// reaches. Made once per trace; it never changes after, so any number of threads may carve from it at
// once.
class Job {
public:
    // Nothing when the trace has no blank to carve: no blank size, or Z zeroed on the table with no
    // thickness. A cut is a segment (move or jog) with its tip below the blank's top somewhere.
    static std::shared_ptr<const Job> fromTrace(const dryrun::Trace& trace);
    ~Job();

    const dryrun::Tool& tool() const { return m_tool; }
    dryrun::Unit unit() const { return m_unit; }
    // The blank lies from X 0, Y 0 to sizeX, sizeY; its top at top, its bottom (the table) at bottom
    // where the thickness is known.
    double sizeX() const { return m_sizeX; }
    double sizeY() const { return m_sizeY; }
    double top() const { return m_top; }
    std::optional<double> bottom() const { return m_bottom; }
    // The radius of the bit's widest part.
    double radius() const { return m_radius; }
    // The lowest Z any cut's tip reaches (top without cuts), whether over the blank or not.
    double lowestTip() const { return m_lowest; }

    // The whole field: the blank and the bit's radius around it, at the smallest cell (rounded up to
    // three significant digits) whose field takes no more than budgetBytes.
    Grid wholeGrid(std::size_t budgetBytes) const;
    // The whole field at the given cell.
    Grid wholeGrid(double cell) const;

    // How many segments the trace had; a moment runs from 0 to this.
    std::size_t segmentCount() const { return m_segmentCount; }
    std::size_t cutCount() const;
    // The cuts among the first moment segments.
    std::size_t cutsBefore(std::size_t moment) const;
    // The trace segment of cut c.
    std::size_t segmentOf(std::size_t cut) const;

    const std::vector<detail::Cut>& cuts() const { return m_cuts; }

    // The index: a square bin of side bin() from (binX0, binY0), binsX by binsY of them; each lists,
    // in rising order, the cuts that can reach a point in it.
    struct Index {
        double x0 = 0, y0 = 0, bin = 1;
        int binsX = 0, binsY = 0;
        std::vector<std::uint32_t> start; // binsX * binsY + 1 offsets into cuts
        std::vector<std::uint32_t> cuts;
    };
    const Index& index() const { return m_index; }

private:
    Job() = default;
    void buildIndex();

    dryrun::Tool m_tool;
    dryrun::Unit m_unit = dryrun::Unit::Inch;
    double m_sizeX = 0, m_sizeY = 0, m_top = 0, m_radius = 0, m_lowest = 0;
    std::optional<double> m_bottom;
    std::size_t m_segmentCount = 0;
    std::vector<detail::Cut> m_cuts;
    Index m_index;
};

// The field over grid after the first moment segments of the run: each cell at the blank's top, lowered
// by every cut done by then (never below the blank's bottom). Only the cuts that can reach the grid are
// visited; the work is shared among the processor's cores. Nothing when cancel is set before the end
// (read between bands of rows, so a cancel takes effect within a few milliseconds).
std::optional<Field> carve(const Job& job, const Grid& grid, std::size_t moment = AllDone,
                           const std::atomic<bool>* cancel = nullptr);

// The surface's Z at one point (x, y) after the first moment segments, exactly (a hover readout's
// depth is top() minus it).
double heightAt(const Job& job, double x, double y, std::size_t moment = AllDone);

// The material the run takes out of the blank, in the unit cubed, from a field of the whole blank (any
// grid that covers it) carved to the end: each cell's depth times its area on the blank, and where the
// surface breaks (a wall, a ridge) the cell is sampled again at points spread through it, so the error
// stays a small part of a cell's width along each edge. Nothing when cancelled.
std::optional<double> removedVolume(const Job& job, const Field& field, const std::atomic<bool>* cancel = nullptr);

// The lowest point the bit's tip reaches while it cuts over the blank, and the first place it gets
// there; nothing when no cut passes over the blank. May lie below the blank's bottom (a cut through).
std::optional<dryrun::Position> deepest(const Job& job);

// What --dry-run prints and scripts read: the whole field at the budget's cell (or the cell given),
// the removed volume and the deepest point.
struct Summary {
    double cell = 0;
    double removedVolume = 0;
    std::optional<dryrun::Position> deepest;
};
std::optional<Summary> summarize(const Job& job, const Field& whole, const std::atomic<bool>* cancel = nullptr);

// The checks that need the carved blank, added to trace.warnings with their lines (each line once):
// "rapid-into-material" where a jog below the blank's top passes through material that is still
// there when it runs. Stops early when cancel is set.
void checkRapids(const Job& job, dryrun::Trace& trace, const std::atomic<bool>* cancel = nullptr);

// A field that follows the run to any moment, for a scrubber: checkpoints of the grid's field, spaced by
// the work between them, so that going to any moment (forward or back) copies one checkpoint and
// carves at most the work of one interval. The checkpoints and the field take at most budgetBytes
// (at least the field itself). Not for two threads at once; the job is shared.
class Scrubber {
public:
    Scrubber(std::shared_ptr<const Job> job, const Grid& grid, std::size_t budgetBytes);
    // Carves the checkpoints; false when cancelled (the scrubber is then of no use).
    bool prepare(const std::atomic<bool>* cancel = nullptr);
    // The field after the first moment segments (clamped to the run); nothing when cancelled.
    const Field* at(std::size_t moment, const std::atomic<bool>* cancel = nullptr);
    std::size_t checkpoints() const { return m_marks.size(); }
    const Grid& grid() const { return m_field.grid; }

private:
    std::shared_ptr<const Job> m_job;
    Field m_field;
    std::size_t m_cutsIn = 0; // the cuts carved into m_field
    bool m_valid = false;
    std::size_t m_budget = 0;
    std::vector<std::size_t> m_marks; // the cut count of each checkpoint, rising
    std::vector<std::vector<float>> m_saved;
};

} // namespace carve
