// bench_carvedview [--runs R] [--budget MIB]
//
// The Toolpath dock's carved views on the sign job (100,000 cutting segments of a 1/2 inch 90 degree
// V bit on a 96 x 48 inch blank), offscreen, the medians of R runs (default 5):
//   - the whole blank's picture at the budget's cell (default 64 MiB) from the job handed over, and the
//     scrubber prepared;
//   - a view of 1000 x 700 pixels zoomed on a letter and on a corner: the time from the last wheel
//     event to the sharp region on the screen (the view's rest of 100 ms included), and the carve and
//     the relief of it alone;
//   - the 3D surface's frame at the dock's default size (520 x 380) and at 1000 x 700;
//   - a scrub step: the whole blank's picture at a moment picked at random (forward and back), median
//     and slowest of 60;
//   - a frame of the top view with the path over the relief (what a pan draws);
//   - the readout's depth under the pointer at 2,000 points;
//   - the job sheet's picture from the top, with the carved blank and without.
#include "gui/carve/carvedsurface.h"
#include "gui/carve/carvedview.h"
#include "gui/carve/carverelief.h"
#include "gui/jobsheet/jobsheetpages.h"
#include "signjob.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double ms(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

template <typename Done> void waitFor(Done done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int runs = 5;
    double budgetMiB = 64;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        if (std::strcmp(argv[i], "--budget") == 0 && i + 1 < argc) budgetMiB = std::atof(argv[++i]);
    }
    const std::size_t budget = std::size_t(budgetMiB * (1 << 20));
    const dryrun::Tool vBit{dryrun::Tool::Shape::V, 0.5, 90};
    auto trace =
        std::make_shared<const dryrun::Trace>(dryrun::run(signjob::signJob(), signjob::settingsFor(vBit), {}, {}));
    const auto job = carve::Job::fromTrace(*trace);
    std::printf("sign job: %zu segments, %zu cuts, budget %.0f MiB\n", trace->segments.size(), job->cutCount(),
                budgetMiB);

    CarveWorker worker;
    std::vector<double> whole, prepared;
    for (int r = 0; r < runs; ++r) {
        bool wholeIn = false, scrubberIn = false;
        const auto a = QObject::connect(&worker, &CarveWorker::wholeReady, [&] { wholeIn = true; });
        const auto b = QObject::connect(&worker, &CarveWorker::scrubberPrepared, [&] { scrubberIn = true; });
        QElapsedTimer t;
        t.start();
        worker.setJob(job, budget);
        waitFor([&] { return wholeIn; });
        whole.push_back(ms(t));
        waitFor([&] { return scrubberIn; });
        prepared.push_back(ms(t));
        QObject::disconnect(a);
        QObject::disconnect(b);
    }
    std::printf("whole blank: picture in %.0f ms (%d x %d shown), scrubber ready in %.0f ms\n", median(whole),
                worker.whole().relief.width(), worker.whole().relief.height(), median(prepared));

    CarvedView view(&worker);
    view.resize(1000, 700);
    view.setTrace(trace);
    view.fitToView();
    struct Zoom {
        const char* name;
        double x, y, unitsPerPixel;
    };
    for (const Zoom& z : {Zoom{"the whole blank", 48, 24, 0}, Zoom{"a letter at 0.005 in a pixel", 2, 3, 0.005},
                          Zoom{"a corner at 0.001 in a pixel", 0.9, 1.4, 0.001}}) {
        std::vector<double> shown, carved, drawn;
        for (int r = 0; r < runs; ++r) {
            view.fitToView();
            const QPointF at = view.scene().projection().toScreen(QPointF(z.x, z.y));
            const double factor =
                z.unitsPerPixel > 0 ? 1 / (z.unitsPerPixel * view.scene().projection().scale) : 1.0 + 1e-9 * (r + 1);
            // The zoom as one wheel event of the right size.
            QWheelEvent e(at, at, {}, {0, int(std::lround(std::log(factor) / std::log(1.2) * 120))}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
            bool in = false;
            const auto c = QObject::connect(&worker, &CarveWorker::regionReady, [&] { in = true; });
            QElapsedTimer t;
            t.start();
            QApplication::sendEvent(&view, &e);
            waitFor([&] { return in; });
            view.renderImage();
            shown.push_back(ms(t));
            QObject::disconnect(c);
            const carve::Grid grid = *view.visibleGrid();
            QElapsedTimer k;
            k.start();
            const std::optional<carve::Field> field = carve::carve(*job, grid);
            carved.push_back(ms(k));
            k.restart();
            reliefImage(*job, *field);
            drawn.push_back(ms(k));
        }
        const carve::Grid grid = *view.visibleGrid();
        std::printf("1000 x 700 view, %s (%d x %d cells of %.4g in): sharp %.0f ms after the wheel (carve %.1f ms, "
                    "relief %.1f ms)\n",
                    z.name, grid.width, grid.height, grid.cell, median(shown), median(carved), median(drawn));
    }

    for (const QSize size : {QSize(520, 380), QSize(1000, 700)}) {
        QImage image(size, QImage::Format_RGB32);
        std::vector<double> frames;
        for (int f = 0; f < 10 * runs; ++f) {
            QElapsedTimer t;
            t.start();
            carvesurface::draw(image, *job, worker.whole(), -30 + 7 * f, 20 + f % 60, 1);
            frames.push_back(ms(t));
        }
        std::printf("3D surface (%d x %d vertices) at %d x %d: %.1f ms a frame (slowest %.1f)\n",
                    worker.whole().surface.grid.width, worker.whole().surface.grid.height, size.width(), size.height(),
                    median(frames), *std::max_element(frames.begin(), frames.end()));
    }

    std::mt19937 rng(7);
    std::uniform_int_distribution<std::size_t> pick(0, trace->segments.size() - 1);
    std::vector<double> steps;
    for (int s = 0; s < 60; ++s) {
        const std::size_t moment = pick(rng);
        bool in = false;
        const auto c =
            QObject::connect(&worker, &CarveWorker::wholeReady, [&] { in = worker.whole().moment == moment; });
        QElapsedTimer t;
        t.start();
        worker.setMoment(moment);
        waitFor([&] { return in; });
        steps.push_back(ms(t));
        QObject::disconnect(c);
    }
    std::printf("scrub step (whole blank, %d x %d cells): median %.1f ms, slowest %.1f ms\n",
                carvepictures::scrubberGrid(*job, budget).width, carvepictures::scrubberGrid(*job, budget).height,
                median(steps), *std::max_element(steps.begin(), steps.end()));
    worker.setMoment(carve::AllDone);

    view.fitToView();
    std::vector<double> frames;
    for (int f = 0; f < 5 * runs; ++f) {
        QElapsedTimer t;
        t.start();
        view.renderImage();
        frames.push_back(ms(t));
    }
    std::printf("top view frame with the path at 1000 x 700: %.0f ms\n", median(frames));

    // The readout's depth under the pointer, worked out on the window's thread at each move.
    std::vector<double> points;
    std::uniform_real_distribution<double> across(0, 96), up(0, 48);
    for (int k = 0; k < 2000; ++k) {
        const QPointF at = view.scene().projection().toScreen(QPointF(across(rng), up(rng)));
        QElapsedTimer t;
        t.start();
        view.readoutAt(at);
        points.push_back(ms(t));
    }
    std::printf("readout at the pointer: median %.3f ms, slowest %.3f ms\n", median(points),
                *std::max_element(points.begin(), points.end()));

    std::vector<double> sheet, plain;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        jobsheet::pathPicture(*trace, job.get());
        sheet.push_back(ms(t));
        t.restart();
        jobsheet::pathPicture(*trace);
        plain.push_back(ms(t));
    }
    std::printf("job sheet's picture: %.0f ms on the carved blank, %.0f ms without\n", median(sheet), median(plain));
    return 0;
}
