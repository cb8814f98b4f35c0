// Times the toolpath view over a large trace: the first draw, then frames of pan, zoom and hover
// drawn from the kept picture, as the window paints them (through paintEvent, offscreen); and the
// PNG and the job sheet of a loop of 500,000 segments.
//
//   bench_toolpath [--segments N] [--frames F] [--runs R] [--random 1] [--sample picture.png] [--dock picture.png]
//
// --random 1 times a worst case instead of the sample job: every segment crosses the whole picture.
//
// --sample writes the sample job's picture (the four views) and --dock a picture of the whole
// dock, for looking at; the timings are skipped then.
#include "gui/jobsheet/jobsheetpages.h"
#include "gui/toolpath/toolpathdock.h"
#include "gui/toolpath/toolpathexport.h"
#include "gui/toolpath/toolpathpanels.h"
#include "gui/toolpath/toolpathview.h"
#include "toolpathsample.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>

namespace {

constexpr QSize ViewSize(1280, 800);

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Milliseconds per frame: each frame is one event to the view and the paint it causes.
template <typename Event> double framesOf(ToolpathView& view, int frames, Event&& event) {
    QImage target(view.size(), QImage::Format_ARGB32_Premultiplied);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < frames; ++i) {
        event(i);
        view.render(&target);
    }
    return clock.nsecsElapsed() / 1e6 / frames;
}

void send(QWidget& w, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
          Qt::KeyboardModifiers modifiers = {}) {
    QMouseEvent e(type, at, w.mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(&w, &e);
}

// Segments from one random point to the next: long lines crossing each other, the most ink per segment.
std::shared_ptr<dryrun::Trace> randomTrace(int count) {
    auto trace = std::make_shared<dryrun::Trace>();
    trace->files << QStringLiteral("random.cvp");
    QRandomGenerator rng(1);
    dryrun::Position at;
    for (int i = 0; i < count; ++i) {
        dryrun::Segment s;
        s.from = at;
        s.to = {rng.bounded(24.0), rng.bounded(18.0), -rng.bounded(0.75), 0, 0};
        s.jog = i % 10 == 0;
        s.time = 1;
        s.startTime = trace->totalTime;
        s.source = {0, i + 1};
        trace->segments.push_back(s);
        trace->totalTime += s.time;
        at = s.to;
    }
    return trace;
}

int writeSample(const QString& path) {
    // The four views, two by two: 3D and Top above, Front and Side below.
    const auto trace = sampleToolpathTrace();
    const QSize cell(700, 500);
    QImage all(QSize(cell.width() * 2, cell.height() * 2), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&all);
    const ViewKind views[] = {ViewKind::ThreeD, ViewKind::Top, ViewKind::Front, ViewKind::Side};
    for (int i = 0; i < 4; ++i)
        p.drawImage(i % 2 * cell.width(), i / 2 * cell.height(), renderToolpathImage(*trace, views[i], cell));
    p.setPen(QColor(0xc0, 0xc0, 0xc0));
    p.drawLine(cell.width(), 0, cell.width(), all.height());
    p.drawLine(0, cell.height(), all.width(), cell.height());
    p.end();
    if (!all.save(path)) return std::fprintf(stderr, "cannot write %s\n", qPrintable(path)), 1;
    std::printf("%s: %zu segments\n", qPrintable(path), trace->segments.size());
    return 0;
}

int writeDock(const QString& path) {
    const auto trace = sampleToolpathTrace();
    ToolpathDock dock;
    dock.setTrace(trace);
    dock.setCurrentLine({0, 24});
    dock.view()->setLineText([](dryrun::LineRef l) { return QStringLiteral("M2, ... (line %1)").arg(l.line); });
    dock.resize(760, 860);
    dock.show();
    dock.scrubber()->setScrubPosition(static_cast<int>(trace->segments.size() * 2 / 3));
    QApplication::processEvents();
    if (!dock.grab().save(path)) return std::fprintf(stderr, "cannot write %s\n", qPrintable(path)), 1;
    std::printf("%s\n", qPrintable(path));
    return 0;
}

// The picture files of a loop that runs the same eight segments 62,500 times (500,000 segments):
// --toolpath-image's PNG and the job sheet's PDF, each as the command line writes them. Milliseconds,
// median of runs; the dry run itself is not timed.
std::pair<double, double> loopPictures(int runs) {
    const dryrun::Program program = dryrun::programFromText(
        QStringLiteral("loop.cvp"), QStringLiteral("/bench"),
        QStringLiteral("&&i = 0\ntop:\nM2, 10, 0\nM2, 10, 10\nM2, 0, 10\nM2, 0, 0\nMZ, , , -0.1\nM2, 5, 5\n"
                       "JZ, , , 0.5\nJ2, 0, 0\n&&i = &&i + 1\nIF &&i < 62500 THEN GOTO top\nEND\n"));
    const auto trace = std::make_shared<const dryrun::Trace>(dryrun::run(program, {}, {}, {}));
    std::printf("loop: %zu segments\n", trace->segments.size());
    QTemporaryDir dir;
    std::vector<double> png, sheet;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        writeToolpathPng(*trace, ViewKind::Top, QSize(1200, 900), dir.filePath(QStringLiteral("loop.png")), nullptr);
        png.push_back(clock.nsecsElapsed() / 1e6);
        clock.restart();
        jobsheet::writePdf(jobsheet::gather(program, trace, {}, QStringLiteral("today")),
                           dir.filePath(QStringLiteral("loop.pdf")), nullptr);
        sheet.push_back(clock.nsecsElapsed() / 1e6);
    }
    return {median(png), median(sheet)};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int segments = 100000, frames = 200, runs = 5;
    bool random = false;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--segments")) segments = args[i + 1].toInt();
        if (args[i] == QLatin1String("--frames")) frames = std::max(1, args[i + 1].toInt());
        if (args[i] == QLatin1String("--runs")) runs = std::max(1, args[i + 1].toInt());
        if (args[i] == QLatin1String("--random")) random = args[i + 1].toInt() != 0;
        if (args[i] == QLatin1String("--sample")) return writeSample(args[i + 1]);
        if (args[i] == QLatin1String("--dock")) return writeDock(args[i + 1]);
    }

    const auto trace = random ? randomTrace(segments) : sampleToolpathTrace(segments);
    std::printf("%s trace: %zu segments, view %dx%d, %d frames per gesture, median of %d runs\n",
                random ? "random" : "sample job", trace->segments.size(), ViewSize.width(), ViewSize.height(), frames,
                runs);

    // The first draw: a new trace given to a view, and its first paint.
    std::vector<double> first, firstHover, offscreen, pan, zoom, hover, turn, play;
    for (int run = 0; run < runs; ++run) {
        {
            QElapsedTimer clock;
            clock.start();
            const QImage image = renderToolpathImage(*trace, ViewKind::Top, ViewSize);
            offscreen.push_back(clock.nsecsElapsed() / 1e6);
        }
        ToolpathView view;
        view.resize(ViewSize);
        QImage target(ViewSize, QImage::Format_ARGB32_Premultiplied);
        QElapsedTimer clock;
        clock.start();
        view.setTrace(trace);
        view.render(&target);
        first.push_back(clock.nsecsElapsed() / 1e6);
        // The first hover sorts the segments into the hit grid.
        firstHover.push_back(framesOf(view, 1, [&](int) {
            const dryrun::Segment& s = trace->segments[trace->segments.size() / 3];
            const ToolpathProjection& p = view.scene().projection();
            send(view, QEvent::MouseMove, (p.toScreen(s.from) + p.toScreen(s.to)) / 2, Qt::NoButton, Qt::NoButton);
        }));

        const QPointF middle(ViewSize.width() / 2.0, ViewSize.height() / 2.0);
        send(view, QEvent::MouseButtonPress, middle, Qt::LeftButton, Qt::LeftButton);
        pan.push_back(framesOf(view, frames, [&](int i) {
            const QPointF at = middle + QPointF(20 + i % 50 * 3, 10 + i % 40 * 2);
            send(view, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        }));
        send(view, QEvent::MouseButtonRelease, middle, Qt::LeftButton, Qt::NoButton);
        view.render(&target); // the pan's end draws anew, untimed

        zoom.push_back(framesOf(view, frames, [&](int i) {
            const QPointF at(200 + i * 37 % 800, 150 + i * 23 % 500);
            QWheelEvent e(at, view.mapToGlobal(at), {}, {0, i % 2 ? -120 : 120}, Qt::NoButton, {}, Qt::NoScrollPhase,
                          false);
            QApplication::sendEvent(&view, &e);
        }));
        view.fitToView();
        view.render(&target);

        // Hover over the path itself, so most frames find a segment and mark it.
        const ToolpathProjection projection = view.scene().projection();
        hover.push_back(framesOf(view, frames, [&](int i) {
            const dryrun::Segment& s = trace->segments[static_cast<size_t>(i) * 7919 % trace->segments.size()];
            send(view, QEvent::MouseMove, (projection.toScreen(s.from) + projection.toScreen(s.to)) / 2, Qt::NoButton,
                 Qt::NoButton);
        }));

        // Playing forward from the middle: each frame adds its segments to the kept picture.
        view.setScrubPosition(static_cast<int>(trace->segments.size() / 2));
        view.render(&target);
        const int step = std::max(1, static_cast<int>(trace->segments.size()) / 500);
        play.push_back(framesOf(view, frames, [&](int i) {
            view.setScrubPosition(static_cast<int>(trace->segments.size() / 2) + (i + 1) * step);
        }));

        // Turning the 3D view draws the whole path anew each frame (draft quality); for information.
        view.setViewKind(ViewKind::ThreeD);
        view.render(&target);
        send(view, QEvent::MouseButtonPress, middle, Qt::RightButton, Qt::RightButton);
        turn.push_back(framesOf(view, std::max(1, frames / 10), [&](int i) {
            send(view, QEvent::MouseMove, middle + QPointF(10 + i * 4, 0), Qt::NoButton, Qt::RightButton);
        }));
        send(view, QEvent::MouseButtonRelease, middle, Qt::RightButton, Qt::NoButton);
    }

    const auto [loopPng, loopSheet] = loopPictures(runs);
    const double firstMs = median(first);
    const double frameMs = std::max({median(pan), median(zoom), median(hover)});
    std::printf("first draw (setTrace + first paint) %8.1f ms   (max %.1f ms)   limit 1000 ms\n", firstMs,
                *std::max_element(first.begin(), first.end()));
    std::printf("first hover (builds the hit grid)   %8.1f ms\n", median(firstHover));
    std::printf("offscreen picture (scene alone)     %8.1f ms\n", median(offscreen));
    std::printf("pan frame                            %8.2f ms   limit 16 ms\n", median(pan));
    std::printf("zoom frame                           %8.2f ms   limit 16 ms\n", median(zoom));
    std::printf("hover frame                          %8.2f ms   limit 16 ms\n", median(hover));
    std::printf("play frame (incremental)             %8.2f ms\n", median(play));
    std::printf("3D turn frame (draft, full redraw)   %8.2f ms\n", median(turn));
    std::printf("loop of 500,000 segments: PNG     %8.1f ms   limit 2000 ms\n", loopPng);
    std::printf("loop of 500,000 segments: job sheet %6.1f ms   limit 2000 ms\n", loopSheet);
    const bool ok = firstMs < 1000 && frameMs < 16 && loopPng < 2000 && loopSheet < 2000;
    std::printf("%s\n", ok ? "within limits" : "OVER A LIMIT");
    return ok ? 0 : 1;
}
