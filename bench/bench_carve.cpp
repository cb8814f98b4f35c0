// bench_carve [--runs R] [--budget MIB] [--accuracy]
//
// The carved blank of a sign job: 100,000 cutting segments (letters traced as curves whose depth
// rises and falls, as a V carving does) on a 96 x 48 inch blank, carved once with a 1/2 inch 90 degree
// V bit and once with a 1/4 inch end mill. For each, the median of R runs (default 5):
//   - the whole-blank field at the budget's cell (default 64 MiB), with the peak memory it took;
//   - a view of 1000 x 700 pixels at one cell a pixel: the whole blank, a letter, a corner at 0.001 in;
//   - a scrubber over the whole-blank view: its checkpoints, then the slowest and the median of 60
//     jumps to moments picked at random, forward and back;
//   - the removed volume.
// Each figure is set beside its arithmetic limit (cells the cuts touch times the cost of one cell on
// one core, shared by the cores) and beside what the memory could move in the time.
//
// --accuracy prints instead how the removed volume's error falls with the cell, for slots of a 1/8
// and a 1/4 inch end mill and for V grooves of 60 and 90 degrees, from the cells' points alone and
// with the cells where the surface breaks sampled again.
#include "core/carve/sweep.h"
#include "signjob.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <thread>
#include <time.h>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace dryrun;
using signjob::settingsFor;
using signjob::signJob;

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The median wall time of the runs; cpu, when given, gets the median processor time of this process
// (all its threads), the steadier figure on a machine shared with other work.
template <typename F> double timed(int runs, F f, double* cpu = nullptr) {
    std::vector<double> wall, processor;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        const std::clock_t c = std::clock();
        t.start();
        f();
        wall.push_back(double(t.nsecsElapsed()) / 1e9);
        processor.push_back(double(std::clock() - c) / CLOCKS_PER_SEC);
    }
    if (cpu) *cpu = median(processor);
    return median(wall);
}

double residentMiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

double peakMiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024;
}

// The cells the cuts' reach covers on a grid, counted along the cuts' spans: the work a field of it does.
double cellsTouchedIn(const carve::Job& job, const carve::Grid& g) {
    double cells = 0;
    for (const carve::detail::Cut& c : job.cuts()) {
        const double ya = std::min(c.y0, c.y1()) - c.reach, yb = std::max(c.y0, c.y1()) + c.reach;
        const int j0 = std::max(0, int(std::ceil((ya - g.y0) / g.cell - 0.5)));
        const int j1 = std::min(g.height - 1, int(std::floor((yb - g.y0) / g.cell - 0.5)));
        for (int j = j0; j <= j1; ++j) {
            double xa, xb;
            carve::detail::span(c, g.y(j), xa, xb);
            int i0, i1;
            carve::detail::columns(g, xa, xb, i0, i1);
            cells += std::max(0, i1 - i0 + 1);
        }
    }
    return cells;
}

// Nanoseconds the closed form costs for one cell on one core, the cut's data at hand: a thousand cuts,
// each over 1,024 points spread through its reach, as a row of the field visits them.
double nanosPerCell(const carve::Job& job) {
    const carve::detail::Profile p = carve::detail::profileOf(job);
    std::vector<std::pair<double, double>> points;
    std::vector<std::size_t> which;
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> unit(0, 1);
    for (std::size_t k = 0; k < job.cutCount(); k += std::max<std::size_t>(1, job.cutCount() / 1000)) {
        const carve::detail::Cut& c = job.cuts()[k];
        while (points.size() < (which.size() / 1024 + 1) * 1024 || which.size() % 1024) {
            // Along from -reach to length + reach, across within reach: kept when the reach covers it.
            const double s = -c.reach + unit(rng) * (c.length + 2 * c.reach), d = (2 * unit(rng) - 1) * c.reach;
            const double off = s < 0 ? std::hypot(s, d) : s > c.length ? std::hypot(s - c.length, d) : std::abs(d);
            if (off > c.reach) continue;
            points.emplace_back(c.x0 + s * c.ux - d * c.uy, c.y0 + s * c.uy + d * c.ux);
            which.push_back(k);
            if (which.size() % 1024 == 0) break;
        }
    }
    double acc = 0;
    // This thread's processor time: the machine may be shared.
    timespec start{}, end{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    for (std::size_t n = 0; n < points.size(); ++n)
        acc += std::min(1.0, carve::detail::lowestAt(p, job.cuts()[which[n]], points[n].first, points[n].second));
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    volatile double sink = acc;
    (void)sink;
    return (double(end.tv_sec - start.tv_sec) * 1e9 + double(end.tv_nsec - start.tv_nsec)) / double(points.size());
}

// Bytes a second that copying a large buffer moves (read and written), measured in a child process so
// that its buffers do not count in this one's peak memory.
double copyBandwidth() {
    int fds[2];
    if (pipe(fds) != 0) return 1e10;
    if (fork() == 0) {
        std::vector<char> a(std::size_t(256) << 20, 1), b(a.size());
        const double s = timed(3, [&] { std::memcpy(b.data(), a.data(), a.size()); });
        const double rate = 2 * double(a.size()) / s;
        (void)!write(fds[1], &rate, sizeof rate);
        _exit(0);
    }
    double rate = 1e10;
    (void)!read(fds[0], &rate, sizeof rate);
    wait(nullptr);
    return rate;
}

void bench(const char* name, const Tool& tool, int runs, std::size_t budget, double perByte) {
    const Program program = signJob();
    const Trace trace = run(program, settingsFor(tool), {}, {});
    std::shared_ptr<const carve::Job> job;
    const double jobTime = timed(runs, [&] {
        job.reset();
        job = carve::Job::fromTrace(trace);
    });
    const double jobMiB = double(job->cuts().capacity() * sizeof(carve::detail::Cut) +
                                 (job->index().cuts.capacity() + job->index().start.capacity()) * 4) /
                          (1 << 20);
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const double perCell = nanosPerCell(*job);
    std::printf("\n%s: %zu segments, %zu cuts; job and index %.3f s, %.1f MiB; one cell %.1f ns on one core, %u "
                "cores\n",
                name, trace.segments.size(), job->cutCount(), jobTime, jobMiB, perCell, cores);

    const double before = residentMiB();
    const carve::Grid whole = job->wholeGrid(budget);
    std::optional<carve::Field> field;
    double wholeCpu = 0;
    const double wholeTime = timed(
        runs,
        [&] {
            field.reset();
            field = carve::carve(*job, whole);
        },
        &wholeCpu);
    const double touched = cellsTouchedIn(*job, whole);
    const double limit = touched * perCell / 1e9 / cores;
    // Filling the field is the only pass over all of it; the cells the cuts touch stay in the cache
    // while a band is carved (a band of rows is a few hundred KiB), so each is read and written once more
    // at most.
    const double bytes = double(whole.cells()) * 4 + touched * 4 * 2;
    std::printf("  whole blank: %d x %d cells of %.4g in (%.1f MiB): %.3f s (processor %.3f s); cells touched "
                "%.3g, arithmetic limit %.3f s, memory limit %.3f s; peak %.1f MiB, %.1f MiB above the %.1f MiB "
                "before\n",
                whole.width, whole.height, whole.cell, double(whole.cells()) * 4 / (1 << 20), wholeTime, wholeCpu,
                touched, limit, bytes / perByte, peakMiB(), peakMiB() - before, before);

    double volumeCpu = 0;
    const double volumeTime = timed(
        runs, [&] { carve::removedVolume(*job, *field); }, &volumeCpu);
    std::printf("  removed volume %.4f in^3: %.3f s (processor %.3f s)\n", *carve::removedVolume(*job, *field),
                volumeTime, volumeCpu);
    field.reset();

    struct View {
        const char* what;
        double x0, y0, cell;
    };
    const View views[] = {
        {"whole blank", -0.5, -0.5, 0.0975}, {"a letter", 0.3, 0.2, 0.005}, {"a corner at 0.001 in", 1.3, 4.2, 0.001}};
    for (const View& v : views) {
        const carve::Grid g{v.x0, v.y0, v.cell, 1000, 700};
        double cpu = 0;
        const double t = timed(
            runs, [&] { carve::carve(*job, g); }, &cpu);
        std::printf("  view of 1000 x 700, %s (%.4g in a pixel): %.4f s (processor %.4f s); arithmetic limit %.4f s, "
                    "memory limit %.4f s\n",
                    v.what, v.cell, t, cpu, cellsTouchedIn(*job, g) * perCell / 1e9 / cores,
                    (double(g.cells()) * 4 + cellsTouchedIn(*job, g) * 8) / perByte);
    }

    const carve::Grid view{-0.5, -0.5, 0.0975, 1000, 700};
    carve::Scrubber scrubber(job, view, budget);
    const double prepare = timed(1, [&] { scrubber.prepare(); });
    std::mt19937 rng(3);
    std::vector<double> jumps;
    for (int k = 0; k < 60; ++k) {
        const std::size_t moment = rng() % (trace.segments.size() + 1);
        jumps.push_back(timed(1, [&] { scrubber.at(moment); }));
    }
    const double copy = double(view.cells()) * 4 * 2 / perByte;
    std::printf("  scrubber over the whole-blank view: %zu checkpoints in %.3f s; a jump: slowest %.4f s, median "
                "%.4f s (a checkpoint's copy alone %.4f s, one interval's arithmetic limit %.4f s)\n",
                scrubber.checkpoints(), prepare, *std::max_element(jumps.begin(), jumps.end()), median(jumps), copy,
                cellsTouchedIn(*job, view) * perCell / 1e9 / cores / double(scrubber.checkpoints() + 1));
}

// How the error of the removed volume falls with the cell, on a slot or groove 20 long along X and at 23
// degrees: the largest error over eight placements of the cut within a cell (a slot along an axis is
// the worst case for a cell's point alone: its walls stand at one place in every cell they cross).
void accuracy() {
    struct Case {
        const char* name;
        Tool tool;
        double depth;
    };
    const Case cases[] = {{"1/8 end mill", {Tool::Shape::Flat, 0.125, 90}, 0.25},
                          {"1/4 end mill", {Tool::Shape::Flat, 0.25, 90}, 0.25},
                          {"V 60, 0.2 deep", {Tool::Shape::V, 0.5, 60}, 0.2},
                          {"V 90, 0.2 deep", {Tool::Shape::V, 0.5, 90}, 0.2},
                          {"V 60, 0.05 deep", {Tool::Shape::V, 0.5, 60}, 0.05}};
    std::printf("case | angle | cell (in) | largest error, points only | largest error, walls sampled again\n");
    for (const Case& c : cases)
        for (double angle : {0.0, 23.0})
            for (double cell : {0.04, 0.02, 0.017, 0.01, 0.005, 0.0025}) {
                double worstPoints = 0, worstSampled = 0;
                for (int o = 0; o < 8; ++o) {
                    const double a = angle * std::numbers::pi / 180, x0 = 2 + o * cell / 8, y0 = 3 + o * cell / 8;
                    const QString text = QStringLiteral("J2, %1, %2\nMZ, , , %3\nM2, %4, %5")
                                             .arg(x0, 0, 'f', 9)
                                             .arg(y0, 0, 'f', 9)
                                             .arg(-c.depth)
                                             .arg(x0 + 20 * std::cos(a), 0, 'f', 9)
                                             .arg(y0 + 20 * std::sin(a), 0, 'f', 9);
                    Settings s = settingsFor(c.tool);
                    s.blankX = 24;
                    s.blankY = 12;
                    const Trace t = run(programFromText(QStringLiteral("a.cvp"), QStringLiteral("/"), text), s, {}, {});
                    const auto job = carve::Job::fromTrace(t);
                    const carve::Field f = *carve::carve(*job, job->wholeGrid(cell));
                    double points = 0;
                    for (int j = 0; j < f.grid.height; ++j)
                        for (int i = 0; i < f.grid.width; ++i)
                            if (f.grid.x(i) > 0 && f.grid.y(j) > 0) points += (0 - f.at(i, j)) * cell * cell;
                    const double r = c.tool.diameter / 2;
                    const double w = c.tool.shape == Tool::Shape::Flat
                                         ? r
                                         : c.depth * std::tan(c.tool.angle / 2 * std::numbers::pi / 180);
                    const double exact = c.tool.shape == Tool::Shape::Flat
                                             ? (20 * 2 * r + std::numbers::pi * r * r) * c.depth
                                             : 20 * w * c.depth + std::numbers::pi * w * w * c.depth / 3;
                    const double sampled = *carve::removedVolume(*job, f);
                    worstPoints = std::max(worstPoints, std::abs(points - exact) / exact);
                    worstSampled = std::max(worstSampled, std::abs(sampled - exact) / exact);
                }
                std::printf("%s | %.0f | %.4f | %.3f %% | %.4f %%\n", c.name, angle, cell, 100 * worstPoints,
                            100 * worstSampled);
            }
}

} // namespace

int main(int argc, char** argv) {
    int runs = 5;
    double budgetMiB = 64;
    bool accuracyOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--budget") == 0 && i + 1 < argc)
            budgetMiB = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--accuracy") == 0)
            accuracyOnly = true;
    }
    if (accuracyOnly) {
        accuracy();
        return 0;
    }
    const double perByte = copyBandwidth();
    std::printf("memory: a copy moves %.1f GB/s (read and written)\n", perByte / 1e9);
    const std::size_t budget = std::size_t(budgetMiB * (1 << 20));
    // Each bit in a process of its own, so that its peak memory is its own.
    for (const auto& [name, tool] : {std::pair{"V bit, 1/2 in, 90 degrees", Tool{Tool::Shape::V, 0.5, 90}},
                                     std::pair{"end mill, 1/4 in", Tool{Tool::Shape::Flat, 0.25, 90}}}) {
        std::fflush(stdout);
        if (fork() == 0) {
            bench(name, tool, runs, budget, perByte);
            std::fflush(stdout);
            _exit(0);
        }
        wait(nullptr);
    }
    return 0;
}
