// The toolpath view over synthetic traces: projections, fit, hit testing, highlight, scrubbing,
// answers, exports and the summary.
#include "gui/svgwriter.h"
#include "gui/toolpath/dryrunsettingsdialog.h"
#include "gui/toolpath/toolpathdock.h"
#include "gui/toolpath/toolpathexport.h"
#include "gui/toolpath/toolpathpanels.h"
#include "gui/toolpath/toolpathview.h"
#include "testfiles.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <QXmlStreamReader>

using dryrun::LineRef;
using dryrun::Position;
using dryrun::Segment;
using dryrun::Trace;

Q_DECLARE_METATYPE(ViewKind)
Q_DECLARE_METATYPE(Position)

namespace {

Segment segment(Position from, Position to, int line, bool jog = false, double time = 1) {
    Segment s;
    s.from = from;
    s.to = to;
    s.jog = jog;
    s.time = time;
    s.source = {0, line};
    return s;
}

// The segments run one after the other, with pauses[i] seconds waited before segment i and the entry
// after the last one's waited at the end; no pauses when none are given.
std::shared_ptr<Trace> traceOf(std::vector<Segment> segments, std::vector<double> pauses = {}) {
    auto t = std::make_shared<Trace>();
    t->files << QStringLiteral("/parts/job.cvp") << QStringLiteral("/parts/sub/called.cvp");
    t->segments = std::move(segments);
    pauses.resize(t->segments.size() + 1, 0.0);
    for (size_t i = 0; i < t->segments.size(); ++i) {
        t->totalTime += pauses[i];
        t->segments[i].startTime = t->totalTime;
        t->totalTime += t->segments[i].time;
    }
    t->totalTime += pauses.back();
    return t;
}

// Random segments, each its own line, with random times; some are points and some cross the whole area.
std::shared_ptr<Trace> randomTrace(int count, quint32 seed) {
    QRandomGenerator rng(seed);
    const auto coordinate = [&](double span) { return rng.bounded(span) - span / 4; };
    std::vector<Segment> segments;
    Position at{10, 20, 1, 0, 0};
    for (int i = 0; i < count; ++i) {
        Position to = at;
        switch (i % 5) {
        case 0: // a plunge: a point seen from above
            to.z = -coordinate(2);
            break;
        case 1: // across the whole area
            to = {coordinate(200), coordinate(120), -coordinate(2), 0, 0};
            break;
        default:
            to = {at.x + coordinate(8), at.y + coordinate(8), at.z, rng.bounded(90.0), 0};
        }
        segments.push_back(segment(at, to, i + 1, i % 7 == 0, rng.bounded(3.0)));
        at = to;
    }
    return traceOf(std::move(segments));
}

// Four segments on lines 10..13, none of them a point or crossing another in any view.
std::shared_ptr<Trace> fourSegments() {
    std::vector<Segment> s;
    for (int i = 0; i < 4; ++i)
        s.push_back(segment({i * 10.0, i * 6.0, -i * 1.0, 0, 0}, {i * 10.0 + 8, i * 6.0 + 3, -i * 1.0 - 2, 0, 0},
                            10 + i, i == 3));
    return traceOf(std::move(s));
}

QPoint middleOf(const ToolpathView& view, const Segment& s) {
    const ToolpathProjection& p = view.scene().projection();
    return ((p.toScreen(s.from) + p.toScreen(s.to)) / 2).toPoint();
}

bool near(QRgb a, QColor b, int tolerance = 10) {
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance &&
           std::abs(qBlue(a) - b.blue()) <= tolerance;
}

// Pixels of colour within radius of a point (or anywhere, for a negative radius).
int pixelsOf(const QImage& image, QColor colour, QPoint at = {}, int radius = -1) {
    int found = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((radius < 0 || (QPoint(x, y) - at).manhattanLength() <= radius) && near(image.pixel(x, y), colour))
                ++found;
    return found;
}

// What the path shows at a point: 'c' colour, 'd' dimmed grey, ' ' nothing. The darkest pixel
// around it counts, since a line between two pixel rows is spread over both and a jog has gaps.
QChar inkAt(const QImage& image, QPoint at) {
    QRgb darkest = qRgb(255, 255, 255);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (qGray(image.pixel(at + QPoint(dx, dy))) < qGray(darkest)) darkest = image.pixel(at + QPoint(dx, dy));
    if (qGray(darkest) > 250) return u' ';
    const int spread = std::max({qRed(darkest), qGreen(darkest), qBlue(darkest)}) -
                       std::min({qRed(darkest), qGreen(darkest), qBlue(darkest)});
    return spread < 10 ? u'd' : u'c';
}

QImage shown(ToolpathView& view) {
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// An SVG drawing's elements in order, each with its group's attributes under its own and its text;
// nothing, with the reason, when the file is not well-formed.
struct SvgElement {
    QString name;
    QMap<QString, QString> attributes;
    QString text;
};
QList<SvgElement> svgElements(const QByteArray& svg, QString* error) {
    QXmlStreamReader xml(svg);
    QList<SvgElement> out;
    QMap<QString, QString> group;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const bool isGroup = xml.name() == u"g";
        QMap<QString, QString> attributes = isGroup ? QMap<QString, QString>() : group;
        for (const QXmlStreamAttribute& a : xml.attributes())
            attributes[a.qualifiedName().toString()] = a.value().toString();
        if (isGroup) {
            group = attributes;
            continue;
        }
        const QString name = xml.name().toString();
        out.push_back({name, attributes, name == u"text" || name == u"title" ? xml.readElementText() : QString()});
    }
    if (xml.hasError()) *error = xml.errorString();
    return xml.hasError() ? QList<SvgElement>() : out;
}

// The straight lines of a path's data.
QList<QLineF> svgLines(const QString& d) {
    static const QRegularExpression step(QStringLiteral("([ML])(-?[0-9.]+) (-?[0-9.]+)"));
    QList<QLineF> lines;
    QPointF at;
    for (const QRegularExpressionMatch& m : step.globalMatch(d)) {
        const QPointF p(m.captured(2).toDouble(), m.captured(3).toDouble());
        if (m.captured(1) == u"L") lines << QLineF(at, p);
        at = p;
    }
    return lines;
}

} // namespace

class tst_toolpath : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void projection_data() {
        QTest::addColumn<ViewKind>("kind");
        QTest::addColumn<double>("yaw");
        QTest::addColumn<double>("pitch");
        QTest::addColumn<Position>("point");
        QTest::addColumn<QPointF>("screen");
        // Scale 10, the plane's origin at (100, 200); screen y grows downwards.
        const Position p{1, 2, 3, 0, 0};
        QTest::newRow("top: X right, Y up") << ViewKind::Top << 0.0 << 0.0 << p << QPointF(110, 180);
        QTest::newRow("front: X right, Z up") << ViewKind::Front << 0.0 << 0.0 << p << QPointF(110, 170);
        QTest::newRow("side: Y right, Z up") << ViewKind::Side << 0.0 << 0.0 << p << QPointF(120, 170);
        QTest::newRow("3D from above is top") << ViewKind::ThreeD << 0.0 << 90.0 << p << QPointF(110, 180);
        QTest::newRow("3D level is front") << ViewKind::ThreeD << 0.0 << 0.0 << p << QPointF(110, 170);
        QTest::newRow("3D turned a quarter is side") << ViewKind::ThreeD << -90.0 << 0.0 << p << QPointF(120, 170);
        // X turned 30 degrees towards the viewer, seen 35 degrees from above.
        QTest::newRow("3D default, X") << ViewKind::ThreeD << -30.0 << 35.0 << Position{1, 0, 0, 0, 0}
                                       << QPointF(100 + 10 * std::cos(qDegreesToRadians(30.0)),
                                                  200 + 10 * 0.5 * std::sin(qDegreesToRadians(35.0)));
        QTest::newRow("3D default, Z") << ViewKind::ThreeD << -30.0 << 35.0 << Position{0, 0, 1, 0, 0}
                                       << QPointF(100, 200 - 10 * std::cos(qDegreesToRadians(35.0)));
        QTest::newRow("A and B do not move the picture")
            << ViewKind::Top << 0.0 << 0.0 << Position{1, 2, 3, 45, 90} << QPointF(110, 180);
    }
    void projection() {
        QFETCH(ViewKind, kind);
        QFETCH(double, yaw);
        QFETCH(double, pitch);
        QFETCH(Position, point);
        QFETCH(QPointF, screen);
        ToolpathProjection p;
        p.kind = kind;
        p.yaw = yaw;
        p.pitch = pitch;
        p.scale = 10;
        p.offset = {100, 200};
        const QPointF got = p.toScreen(point);
        QVERIFY2(QLineF(got, screen).length() < 1e-9, qPrintable(QStringLiteral("%1, %2").arg(got.x()).arg(got.y())));
        QVERIFY(QLineF(p.toPlane(point), p.screenToPlane(got)).length() < 1e-9);
        // Zooming about a point keeps it where it is, and scales distances from it.
        p.zoomAbout(screen + QPointF(7, -3), 2.5);
        QVERIFY(QLineF(p.toScreen(point), screen + QPointF(7, -3)).length() > 7);
        const QPointF moved = p.toScreen(point);
        p.zoomAbout(moved, 3);
        QVERIFY(QLineF(p.toScreen(point), moved).length() < 1e-9);
    }

    void fitKeepsEveryEndInside_data() {
        QTest::addColumn<ViewKind>("kind");
        QTest::addColumn<QSize>("size");
        for (ViewKind k : {ViewKind::Top, ViewKind::Front, ViewKind::Side, ViewKind::ThreeD})
            for (QSize s : {QSize(500, 300), QSize(240, 460)})
                QTest::addRow("view %d, %dx%d", int(k), s.width(), s.height()) << k << s;
    }
    void fitKeepsEveryEndInside() {
        QFETCH(ViewKind, kind);
        QFETCH(QSize, size);
        auto trace = randomTrace(400, 7);
        ToolpathView view;
        view.resize(size);
        view.setViewKind(kind);
        view.setTrace(trace);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        // Also after a zoom: a double click fits again.
        const double fitted = view.scene().projection().scale;
        QWheelEvent wheel(QPointF(50, 50), view.mapToGlobal(QPointF(50, 50)), {}, {0, 360}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
        QVERIFY(view.scene().projection().scale > fitted * 1.5);
        // Sent straight to the view: QTest's window-level double click leaves its pressed state to later tests.
        const QPointF inside(size.width() / 3, size.height() / 3);
        QMouseEvent twice(QEvent::MouseButtonDblClick, inside, view.mapToGlobal(inside), Qt::LeftButton, Qt::LeftButton,
                          {});
        QApplication::sendEvent(&view, &twice);
        QRectF used;
        const ToolpathProjection& p = view.scene().projection();
        for (const Segment& s : trace->segments)
            for (const Position& end : {s.from, s.to}) {
                const QPointF at = p.toScreen(end);
                QVERIFY2(QRectF(view.rect()).contains(at),
                         qPrintable(QStringLiteral("%1, %2").arg(at.x()).arg(at.y())));
                used |= QRectF(at, QSizeF(0.001, 0.001));
            }
        // And the path fills the view along one side at least.
        QVERIFY(used.width() > size.width() * 0.6 || used.height() > size.height() * 0.6);
    }

    // The grid finds what looking at every segment finds.
    void hitTestAgreesWithEverySegment() {
        auto trace = randomTrace(3000, 11);
        ToolpathScene scene;
        scene.setTrace(trace);
        QRandomGenerator rng(5);
        for (ViewKind kind : {ViewKind::Top, ViewKind::Side, ViewKind::ThreeD}) {
            scene.setViewKind(kind);
            scene.fit(QSize(800, 600));
            const ToolpathProjection& p = scene.projection();
            int hits = 0;
            for (int probe = 0; probe < 400; ++probe) {
                // Near the path, where hits and near misses are: a Side view of a flat part is a thin band.
                const Segment& near = trace->segments[rng.bounded(3000)];
                const QPointF at = p.toScreen(near.from) +
                                   rng.bounded(1.0) * (p.toScreen(near.to) - p.toScreen(near.from)) +
                                   QPointF(rng.bounded(16.0) - 8, rng.bounded(16.0) - 8);
                const double radius = probe % 2 ? 5 : 1.5;
                double best = radius;
                for (const Segment& s : trace->segments) {
                    const QLineF l(p.toScreen(s.from), p.toScreen(s.to));
                    const QPointF d = l.p2() - l.p1();
                    const double len2 = QPointF::dotProduct(d, d);
                    const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(at - l.p1(), d) / len2, 0.0, 1.0) : 0;
                    best = std::min(best, QLineF(at, l.p1() + t * d).length());
                }
                const int found = scene.segmentAt(at, radius);
                QCOMPARE(found >= 0, best < radius);
                if (found < 0) continue;
                ++hits;
                const Segment& s = trace->segments[found];
                const QLineF l(p.toScreen(s.from), p.toScreen(s.to));
                const QPointF d = l.p2() - l.p1();
                const double len2 = QPointF::dotProduct(d, d);
                const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(at - l.p1(), d) / len2, 0.0, 1.0) : 0;
                QVERIFY(std::abs(QLineF(at, l.p1() + t * d).length() - best) < 1e-6);
            }
            QVERIFY(hits > 50 && hits < 390);
        }
    }

    void hoverAndClick_data() {
        QTest::addColumn<ViewKind>("kind");
        QTest::addColumn<bool>("mm");
        QTest::newRow("top") << ViewKind::Top << false;
        QTest::newRow("front, millimetres") << ViewKind::Front << true;
        QTest::newRow("side") << ViewKind::Side << false;
        QTest::newRow("3D, millimetres") << ViewKind::ThreeD << true;
    }
    void hoverAndClick() {
        QFETCH(ViewKind, kind);
        QFETCH(bool, mm);
        auto trace = fourSegments();
        trace->setup.unit = mm ? dryrun::Unit::Millimetre : dryrun::Unit::Inch;
        // A length as the view must show it: to the thousandth of an inch, the hundredth of a millimetre.
        const auto length = [mm](double v) { return QString::number(v, 'f', mm ? 2 : 3) + (mm ? " mm" : " in"); };
        ToolpathView view;
        view.resize(400, 300);
        view.setViewKind(kind);
        view.setTrace(trace);
        view.setLineText([](LineRef l) { return QStringLiteral("MX, <%1>").arg(l.line); });
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy hovered(&view, &ToolpathView::lineHovered);
        QSignalSpy activated(&view, &ToolpathView::lineActivated);
        for (const Segment& s : trace->segments) {
            const QPoint at = middleOf(view, s);
            QTest::mouseMove(&view, at);
            QVERIFY(!hovered.isEmpty());
            QCOMPARE(hovered.last().at(0).value<LineRef>(), s.source);
            const QString tip = view.toolTipText(at);
            QVERIFY2(tip.contains(QStringLiteral("job.cvp")) &&
                         tip.contains(QStringLiteral("line %1").arg(s.source.line)) &&
                         tip.contains(QStringLiteral("MX, <%1>").arg(s.source.line)) &&
                         tip.contains(
                             QStringLiteral("to X %1, Y %2, Z %3").arg(length(s.to.x), length(s.to.y), length(s.to.z))),
                     qPrintable(tip));
            QTest::mouseClick(&view, Qt::LeftButton, {}, at);
            QCOMPARE(activated.size(), 1);
            QCOMPARE(activated.takeFirst().at(0).value<LineRef>(), s.source);
        }
        // Away from the path a flat view reads out where the pointer is.
        const QPointF plane = view.scene().projection().screenToPlane(QPoint(2, 2));
        const QString readout =
            QStringLiteral("%1  %2 %3").arg(length(plane.x()), kind == ViewKind::Top ? "Y" : "Z", length(plane.y()));
        QCOMPARE(view.toolTipText(QPoint(2, 2)).contains(readout), kind != ViewKind::ThreeD);
        // Leaving every segment says so, and a click there activates nothing.
        QTest::mouseMove(&view, QPoint(2, 2));
        QCOMPARE(hovered.last().at(0).value<LineRef>(), LineRef{});
        QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(activated.isEmpty());
        // A drag pans and activates nothing.
        const QPoint from = middleOf(view, trace->segments[0]);
        const QPointF before = view.scene().projection().offset;
        QTest::mousePress(&view, Qt::LeftButton, {}, from);
        QTest::mouseMove(&view, from + QPoint(30, 20));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, from + QPoint(30, 20));
        QVERIFY(activated.isEmpty());
        QCOMPARE(view.scene().projection().offset - before, QPointF(30, 20));
    }

    // The current line's segments show in the highlight colour, wherever the line's segments lie.
    void currentLineIsHighlighted() {
        std::vector<Segment> s = fourSegments()->segments;
        s.push_back(segment({40, 0, 0, 0, 0}, {60, 0, 0, 0, 0}, 11)); // line 11 again, as in a loop
        auto trace = traceOf(s);
        ToolpathView view;
        view.resize(420, 320);
        view.setTrace(trace);
        const QColor colour = ToolpathScene::highlightColor();
        QCOMPARE(pixelsOf(shown(view), colour), 0);
        view.setCurrentLine({0, 11});
        const QImage lit = shown(view);
        QVERIFY(pixelsOf(lit, colour, middleOf(view, s[1]), 3) > 0);
        QVERIFY(pixelsOf(lit, colour, middleOf(view, s[4]), 3) > 0);
        QCOMPARE(pixelsOf(lit, colour, middleOf(view, s[0]), 3), 0);
        QCOMPARE(pixelsOf(lit, colour, middleOf(view, s[2]), 3), 0);
        view.setCurrentLine({});
        QCOMPARE(pixelsOf(shown(view), colour), 0);
    }

    void scrubberShowsPositionAndTime_data() {
        QTest::addColumn<int>("pauseEvery");
        QTest::newRow("moves only") << 0;
        QTest::newRow("a pause before every seventh segment and at the end") << 7;
        QTest::newRow("a pause before every segment and at the end") << 1;
    }
    // Position and running time after any number of segments, timed pauses before them included; the
    // end is the run's whole time.
    void scrubberShowsPositionAndTime() {
        QFETCH(int, pauseEvery);
        std::vector<double> pauses(251, 0.0);
        QRandomGenerator waits(17);
        for (int i = 0; pauseEvery > 0 && i <= 250; i += pauseEvery)
            pauses[i] = 10 + waits.bounded(50.0);
        if (pauseEvery > 0) pauses[250] = 10 + waits.bounded(50.0);
        auto trace = traceOf(randomTrace(250, 3)->segments, pauses);
        ToolpathScrubber scrubber;
        scrubber.setTrace(trace);
        auto* tool = scrubber.findChild<QLabel*>(QStringLiteral("lblToolPosition"));
        auto* time = scrubber.findChild<QLabel*>(QStringLiteral("lblRunTime"));
        auto* slider = scrubber.findChild<QSlider*>(QStringLiteral("sldScrub"));
        QVERIFY(tool && time && slider);
        QCOMPARE(scrubber.scrubPosition(), 250);
        QCOMPARE(slider->maximum(), 250);
        QSignalSpy moved(&scrubber, &ToolpathScrubber::scrubPositionChanged);
        QRandomGenerator rng(9);
        for (int k : {0, 1, 2, 249, int(rng.bounded(250)), int(rng.bounded(250)), int(rng.bounded(250)), 250}) {
            slider->setValue(k);
            QCOMPARE(scrubber.scrubPosition(), k);
            double elapsed = 0;
            for (int i = 0; i < k; ++i)
                elapsed += pauses[i] + trace->segments[i].time;
            if (k == 250) elapsed += pauses[250];
            const Position at = k == 0 ? trace->segments[0].from : trace->segments[k - 1].to;
            QCOMPARE(time->text(), formatRunTime(elapsed));
            QVERIFY2(tool->text().contains(QStringLiteral("Z %1 ").arg(at.z, 0, 'f', 3)) &&
                         tool->text().contains(QStringLiteral("X %1 ").arg(at.x, 0, 'f', 3)) &&
                         tool->text().contains(QStringLiteral("A %1 ").arg(at.a, 0, 'f', 3)),
                     qPrintable(tool->text()));
        }
        // The end, and anything past it, is the run's whole time, the pauses after the last segment included.
        ToolpathTimeline timeline;
        timeline.setTrace(trace);
        QCOMPARE(timeline.timeAt(250), trace->totalTime);
        QCOMPARE(timeline.timeAt(9999), trace->totalTime);
        QCOMPARE(timeline.timeAt(-3), 0.0);

        // Steps move by one and stop at the ends; Play at the end starts over, and pauses again.
        moved.clear();
        slider->setValue(1);
        auto* back = scrubber.findChild<QToolButton*>(QStringLiteral("cmdStepBack"));
        auto* forward = scrubber.findChild<QToolButton*>(QStringLiteral("cmdStepForward"));
        auto* play = scrubber.findChild<QToolButton*>(QStringLiteral("cmdPlay"));
        back->click();
        back->click();
        QCOMPARE(scrubber.scrubPosition(), 0);
        forward->click();
        QCOMPARE(scrubber.scrubPosition(), 1);
        QCOMPARE(moved.size(), 3); // 1, 0, 1: the refused step says nothing
        scrubber.setScrubPosition(250);
        play->click();
        QVERIFY(scrubber.isPlaying());
        QCOMPARE(scrubber.scrubPosition(), 0);
        play->click();
        QVERIFY(!scrubber.isPlaying());
    }

    // Scrubbing back dims what is not reached; playing forward brings the colours back.
    void scrubDimsTheRest() {
        std::vector<Segment> s;
        for (int i = 0; i < 6; ++i)
            s.push_back(segment({0, i * 10.0, -1, 0, 0}, {40, i * 10.0, -1, 0, 0}, i + 1));
        auto trace = traceOf(std::move(s));
        ToolpathDock dock;
        dock.setTrace(trace);
        ToolpathView* view = dock.view();
        view->resize(400, 300);
        auto* slider = dock.findChild<QSlider*>(QStringLiteral("sldScrub"));
        const auto inks = [&] {
            const QImage image = shown(*view);
            QString out;
            for (const Segment& s : trace->segments)
                out += inkAt(image, middleOf(*view, s) + QPoint(-50, 0));
            return out;
        };
        QCOMPARE(inks(), QStringLiteral("cccccc"));
        slider->setValue(0);
        QCOMPARE(view->scene().scrubPosition(), 0);
        QCOMPARE(inks(), QStringLiteral("dddddd"));
        // Each step forward draws onto the picture kept from before; the result is the same.
        for (int k = 1; k <= 6; ++k) {
            dock.findChild<QToolButton*>(QStringLiteral("cmdStepForward"))->click();
            QCOMPARE(inks(), QString(k, u'c') + QString(6 - k, u'd'));
        }
        slider->setValue(2);
        QCOMPARE(inks(), QStringLiteral("ccdddd"));
    }

    void answersRoundTrip() {
        auto trace = traceOf({});
        const auto input = [](LineRef at, const QString& variable) {
            dryrun::Stop s;
            s.source = at;
            s.kind = dryrun::Stop::Kind::Input;
            s.prompt = QStringLiteral("How deep for %1?").arg(variable);
            s.variable = variable;
            s.times = 1;
            return s;
        };
        dryrun::Stop pause;
        pause.source = {0, 2};
        trace->stops << input({0, 3}, QStringLiteral("DEPTH")) << pause << input({0, 7}, QStringLiteral("PASSES"))
                     << input({1, 4}, QStringLiteral("DEPTH"));
        InputAnswersTable table;
        table.setTrace(trace);
        dryrun::Answers given;
        given.byLine.insert({0, 3}, 2.5);
        given.byVariable.insert(QStringLiteral("DEPTH"), 0.75);
        table.setAnswers(given);
        table.show();
        QCOMPARE(table.rowCount(), 3);
        const auto answerAt = [&](int row) { return table.item(row, InputAnswersTable::AnswerColumn)->text(); };
        QCOMPARE(answerAt(0), QStringLiteral("2.5"));
        QCOMPARE(answerAt(1), QString());
        QCOMPARE(answerAt(2), QStringLiteral("0.75")); // by variable, in the called file
        QVERIFY(table.item(2, InputAnswersTable::LineColumn)->text().contains(QStringLiteral("called.cvp")));

        QSignalSpy changed(&table, &InputAnswersTable::answersChanged);
        const auto type = [&](int row, const QString& keys) {
            table.setCurrentCell(row, InputAnswersTable::AnswerColumn);
            table.editItem(table.item(row, InputAnswersTable::AnswerColumn));
            auto* edit = table.findChild<QLineEdit*>(QStringLiteral("txtAnswer"));
            QVERIFY(edit);
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, keys);
            QTest::keyClick(edit, Qt::Key_Return);
            // The delegate commits through a queued call, and the closed editor goes only when deferred
            // deletions run; the next edit needs an editor of its own.
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        type(1, QStringLiteral("x,y"));
        QCOMPARE(changed.size(), 0); // not a number: nothing taken
        type(1, QStringLiteral("-1.25"));
        QCOMPARE(changed.size(), 1);
        dryrun::Answers got = changed.last().at(0).value<dryrun::Answers>();
        QCOMPARE(got.byLine.value({0, 7}), -1.25);
        QCOMPARE(got.byLine.value({0, 3}), 2.5);
        QCOMPARE(got.byVariable, given.byVariable);
        // Cleared, the line takes its variable's answer again, and shows it.
        type(0, QString());
        got = changed.last().at(0).value<dryrun::Answers>();
        QVERIFY(!got.byLine.contains({0, 3}));
        QCOMPARE(answerAt(0), QStringLiteral("0.75"));

        // What was sent comes back as it was shown.
        InputAnswersTable again;
        again.setTrace(trace);
        again.setAnswers(got);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(again.item(row, InputAnswersTable::AnswerColumn)->text(), answerAt(row));
    }

    void exportsHoldThePath() {
        auto trace = fourSegments();
        QTemporaryDir dir;
        QString error;
        const QString png = dir.filePath(QStringLiteral("top.png")), svg = dir.filePath(QStringLiteral("top.svg"));
        QVERIFY2(writeToolpathPng(*trace, ViewKind::Top, QSize(300, 200), png, &error), qPrintable(error));
        const QImage image(png);
        QCOMPARE(image.size(), QSize(300, 200));
        QCOMPARE(image.convertToFormat(QImage::Format_RGB32),
                 renderToolpathImage(*trace, ViewKind::Top, QSize(300, 200)).convertToFormat(QImage::Format_RGB32));
        ToolpathScene scene;
        scene.setTrace(trace);
        scene.fit(QSize(300, 200));
        for (const Segment& s : trace->segments)
            QCOMPARE(
                inkAt(image, ((scene.projection().toScreen(s.from) + scene.projection().toScreen(s.to)) / 2).toPoint()),
                u'c');
        QCOMPARE(inkAt(image, scene.projection().toScreen(Position{2, 15, 0, 0, 0}).toPoint()), u' ');

        // The drawing holds each segment, where the view shows it, in its depth's colour.
        QVERIFY2(writeToolpathSvg(*trace, ViewKind::ThreeD, QSize(300, 200), svg, &error), qPrintable(error));
        const QList<SvgElement> drawing = svgElements(readAll(svg), &error);
        QVERIFY2(!drawing.isEmpty(), qPrintable(error));
        scene.setViewKind(ViewKind::ThreeD);
        scene.fit(QSize(300, 200));
        for (const Segment& s : trace->segments) {
            const QLineF want(scene.projection().toScreen(s.from), scene.projection().toScreen(s.to));
            const QString colour = scene.depthColor(std::min(s.from.z, s.to.z)).name();
            const auto holds = [&](const SvgElement& e) {
                const QList<QLineF> lines = svgLines(e.attributes.value(QStringLiteral("d")));
                return e.attributes.value(QStringLiteral("stroke")) == colour &&
                       std::any_of(lines.begin(), lines.end(), [&](QLineF l) {
                           return QLineF(l.p1(), want.p1()).length() < 0.01 &&
                                  QLineF(l.p2(), want.p2()).length() < 0.01;
                       });
            };
            QVERIFY2(std::any_of(drawing.begin(), drawing.end(), holds), qPrintable(colour));
        }

        // The dock exports through its chooser: by the name's ending, never over the part file, and a
        // failure says where.
        ToolpathDock dock;
        dock.setTrace(trace);
        const QString part = dir.filePath(QStringLiteral("job.cvp"));
        putBytes(part, "MX, 1\r\n");
        dock.setPartFile(part);
        dock.view()->resize(320, 240);
        QStringList asked;
        QString answer = dir.filePath(QStringLiteral("view.svg"));
        dock.setFileChooser([&](const QString& proposed) {
            asked << proposed;
            return answer;
        });
        auto* button = dock.findChild<QPushButton*>(QStringLiteral("cmdExportToolpath"));
        button->click();
        QCOMPARE(asked, QStringList{dir.filePath(QStringLiteral("job-toolpath.png"))});
        QVERIFY(readAll(answer).contains("<path"));
        answer = part;
        button->click();
        QCOMPARE(readAll(part), QByteArray("MX, 1\r\n"));
        putBytes(dir.filePath(QStringLiteral("file")), "x");
        answer = dir.filePath(QStringLiteral("file/view.png"));
        button->click();
        auto* status = dock.findChild<QLabel*>(QStringLiteral("lblExportStatus"));
        QVERIFY2(status->text().contains(answer), qPrintable(status->text()));
        answer.clear();
        button->click();
        QCOMPARE(entries(dir.path()),
                 (QStringList{QStringLiteral("file"), QStringLiteral("job.cvp"), QStringLiteral("top.png"),
                              QStringLiteral("top.svg"), QStringLiteral("view.svg")}));
    }

    // The SVG writer says what was painted, in order: each primitive as its element with the pen,
    // brush, opacity and transform it was painted with, and text as text, whatever it holds.
    void svgWriterElements() {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        {
            SvgWriter svg(out, QSize(40, 30), QStringLiteral("<&>\x01"));
            QPainter p(&svg);
            p.setPen(QPen(Qt::red, 2, Qt::DashLine, Qt::FlatCap));
            p.drawLine(QLineF(0, 0, 10, 0));
            p.setPen(QColor(0, 128, 0));
            p.drawText(QPointF(1, 20), QStringLiteral("a<b> & \x01\"c\""));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 255, 51));
            p.drawRect(QRectF(1, 2, 3, 4));
            p.setOpacity(0.5);
            p.drawPolygon(QPolygonF({{0, 0}, {4, 0}, {4, 3}}), Qt::WindingFill);
            p.translate(5, 6);
            p.scale(2, 2);
            p.drawEllipse(QPointF(0, 0), 3, 4);
        }
        const QList<SvgElement> expected{
            {"title", {}, "<&>"},
            {"path",
             {{"d", "M0 0L10 0"},
              {"fill", "none"},
              {"stroke", "#ff0000"},
              {"stroke-width", "2"},
              {"stroke-dasharray", "8,4"},
              {"stroke-linecap", "butt"}}},
            {"text", {{"x", "1"}, {"y", "20"}, {"fill", "#008000"}, {"stroke", "none"}}, "a<b> & \"c\""},
            {"rect",
             {{"x", "1"},
              {"y", "2"},
              {"width", "3"},
              {"height", "4"},
              {"fill", "#0000ff"},
              {"fill-opacity", "0.2"},
              {"stroke", "none"}}},
            {"polygon", {{"points", "0,0 4,0 4,3"}, {"opacity", "0.5"}, {"fill-rule", "nonzero"}}},
            {"ellipse",
             {{"cx", "0"}, {"rx", "3"}, {"ry", "4"}, {"opacity", "0.5"}, {"transform", "matrix(2 0 0 2 5 6)"}}},
        };
        QString error;
        const QList<SvgElement> elements = svgElements(out.data(), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(elements.size(), expected.size() + 1); // the svg element first
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const SvgElement& got = elements[i + 1];
            QCOMPARE(got.name, expected[i].name);
            QCOMPARE(got.text, expected[i].text);
            for (auto [name, value] : expected[i].attributes.asKeyValueRange())
                QVERIFY2(got.attributes.value(name) == value,
                         qPrintable(got.name + u' ' + name + u'=' + got.attributes.value(name)));
        }
    }

    void repeatedPassesDrawOnce_data() {
        QTest::addColumn<ViewKind>("view");
        QTest::newRow("top") << ViewKind::Top;
        QTest::newRow("3D") << ViewKind::ThreeD;
    }
    // A loop that runs the same lines forty times draws the picture of one pass, smoothing and all:
    // a line over the same pixels is drawn once, however often the run passes there.
    void repeatedPassesDrawOnce() {
        QFETCH(ViewKind, view);
        const auto once = randomTrace(300, 21);
        std::vector<Segment> passes;
        for (int pass = 0; pass < 40; ++pass)
            passes.insert(passes.end(), once->segments.begin(), once->segments.end());
        const auto looped = traceOf(std::move(passes));
        QCOMPARE(renderToolpathImage(*looped, view, QSize(500, 350)),
                 renderToolpathImage(*once, view, QSize(500, 350)));
    }

    // The unit of the settings: every length and speed label says it, and switching it keeps each
    // length and speed what it was (1 in/s is 25.4 mm/s); angle, calibration and step limit stay.
    void settingsFollowTheirUnit() {
        dryrun::Settings s;
        s.tableX = 100;
        s.tool = {dryrun::Tool::Shape::V, 0.5, 60};
        s.vBitDiameter = 0.75;
        s.acceleration = true;
        DryRunSettingsDialog dialog(s);
        auto* unit = dialog.findChild<QComboBox*>(QStringLiteral("cmbUnit"));
        const auto labels = [&] {
            QStringList out;
            for (const QLabel* l : dialog.findChildren<QLabel*>())
                out << l->text();
            return out;
        };
        QVERIFY(labels().contains(QStringLiteral("Table X (in)")));
        unit->setCurrentIndex(1);
        const std::optional<dryrun::Settings> mm = dialog.settings();
        QVERIFY(mm);
        QCOMPARE(mm->unit, dryrun::Unit::Millimetre);
        QCOMPARE(mm->move.xy, 25.4);
        QCOMPARE(mm->accelZ, 127.0);
        QCOMPARE(*mm->tableX, 2540.0);
        QCOMPARE(mm->tool.diameter, 12.7);
        QCOMPARE(*mm->vBitDiameter, 19.05);
        QCOMPARE(mm->tool.angle, 60.0);
        QCOMPARE(mm->calibration, 1.0);
        QVERIFY(labels().contains(QStringLiteral("Table X (mm)")));
        QVERIFY(labels().contains(QStringLiteral("Z acceleration (mm/s\u00b2)")));
        QCOMPARE(dialog.findChild<QGroupBox*>()->title(), QStringLiteral("Speeds (mm/s)"));
        unit->setCurrentIndex(0);
        QCOMPARE(dialog.settings()->move.xy, 1.0);
        QCOMPARE(*dialog.settings()->tableX, 100.0);
    }

    // The carve's memory budget: a whole number of MiB from 1 to 65536, and the one the settings hold
    // is kept when the field is left as it is.
    void carveBudgetField_data() {
        QTest::addColumn<QString>("typed"); // null: left as it is
        QTest::addColumn<double>("budget"); // 0: refused
        QTest::newRow("left as it is") << QString() << 256.0;
        QTest::newRow("the least") << "1" << 1.0;
        QTest::newRow("the most") << "65536" << 65536.0;
        QTest::newRow("none") << "0" << 0.0;
        QTest::newRow("too much") << "65537" << 0.0;
        QTest::newRow("a part of one") << "1.5" << 0.0;
        QTest::newRow("not a number") << "lots" << 0.0;
    }
    void carveBudgetField() {
        QFETCH(QString, typed);
        QFETCH(double, budget);
        dryrun::Settings s;
        s.carveBudgetMiB = 256;
        DryRunSettingsDialog dialog(s);
        if (!typed.isNull()) {
            auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("txtCarveBudget"));
            QVERIFY(field);
            field->setText(typed);
        }
        QString problem;
        const std::optional<dryrun::Settings> taken = dialog.settings(&problem);
        QCOMPARE(taken ? taken->carveBudgetMiB : 0.0, budget);
        QCOMPARE(problem.isEmpty(), budget > 0);
    }

    void runTimeFormat_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << 0.0 << "0:00:00.0";
        QTest::newRow("tenths under a minute") << 7.44 << "0:00:07.4";
        QTest::newRow("just under a minute") << 59.94 << "0:00:59.9";
        QTest::newRow("a minute by rounding") << 59.95 << "0:01:00";
        QTest::newRow("whole seconds from a minute on") << 61.4 << "0:01:01";
        QTest::newRow("just under an hour") << 3599.4 << "0:59:59";
        QTest::newRow("an hour") << 3600.0 << "1:00:00";
        QTest::newRow("hours, minutes, seconds") << 36061.0 << "10:01:01";
        QTest::newRow("past 99 hours") << 360000.0 << "100:00:00";
        QTest::newRow("negative") << -5.0 << "0:00:00.0";
        QTest::newRow("not a number") << std::nan("") << "0:00:00.0";
        QTest::newRow("beyond any run, bounded") << 1e300 << "277777777:46:40";
    }
    void runTimeFormat() {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(formatRunTime(seconds), text);
    }

    void summaryAndDock() {
        auto trace = fourSegments();
        trace->totalTime = 3725;
        trace->extent = {false, {0, 38}, {0, 21}, {-5, 0}};
        dryrun::Stop pause;
        pause.times = 3;
        trace->stops << pause << pause;
        trace->warnings << dryrun::Note{{0, 2}, QStringLiteral("w")} << dryrun::Note{{0, 5}, QStringLiteral("w")};
        trace->notSimulated << dryrun::Note{{0, 4}, QStringLiteral("Unknown command")}
                            << dryrun::Note{{1, 9}, QStringLiteral("Unknown command")};
        trace->stepLimitReached = true;
        ToolpathDock dock;
        dock.setTrace(trace);
        const auto text = [&](const char* name) { return dock.findChild<QLabel*>(QLatin1String(name))->text(); };
        QCOMPARE(text("lblEstimate"), QStringLiteral("1:02:05"));
        QCOMPARE(text("lblSegmentCount"), QStringLiteral("4"));
        QCOMPARE(text("lblStopCount"), QStringLiteral("6"));
        QCOMPARE(text("lblWarningCount"), QStringLiteral("2"));
        QVERIFY(text("lblExtent").contains(QStringLiteral("Z -5.000 to 0.000 in")));
        QVERIFY(!text("lblRunNote").isEmpty());
        // The current line's own time, to the tenth.
        trace->timePerLine.insert(LineRef{1, 9}, 12.34);
        dock.setCurrentLine({1, 9});
        QCOMPARE(text("lblLineTime"), QStringLiteral("called.cvp, line 9: 0:00:12.3"));

        QSignalSpy activated(&dock, &ToolpathDock::lineActivated);
        auto* list = dock.findChild<QListWidget*>(QStringLiteral("lstNotSimulated"));
        QCOMPARE(list->count(), 2);
        QVERIFY(list->item(1)->text().contains(QStringLiteral("called.cvp, line 9")));
        dock.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dock));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QVERIFY(!activated.isEmpty());
        QCOMPARE(activated.last().at(0).value<LineRef>(), (LineRef{1, 9}));
        // A long list names its first lines and counts the rest.
        for (int i = 0; i < ToolpathSummary::NotSimulatedShown + 48; ++i)
            trace->notSimulated << dryrun::Note{{1, 100 + i}, QStringLiteral("Unknown command")};
        dock.setTrace(trace);
        QCOMPARE(list->count(), ToolpathSummary::NotSimulatedShown + 1);
        QVERIFY(list->item(ToolpathSummary::NotSimulatedShown)->text().contains(QStringLiteral("50 more")));

        // The named parts are there, the view selector switches, busy shows and goes.
        for (const char* name : {"cmbToolpathView", "sldScrub", "cmdPlay", "cmdStepBack", "cmdStepForward",
                                 "lblToolPosition", "lblRunTime", "tblInputAnswers", "cmdFitToolpath", "picToolpath"})
            QVERIFY2(dock.findChild<QWidget*>(QLatin1String(name)), name);
        QCOMPARE(dock.objectName(), QStringLiteral("dockToolpath"));
        QVERIFY(dock.sizeHint().width() >= 400);
        auto* views = dock.findChild<QComboBox*>(QStringLiteral("cmbToolpathView"));
        views->setCurrentIndex(3);
        QCOMPARE(dock.view()->viewKind(), ViewKind::ThreeD);
        auto* busy = dock.findChild<QLabel*>(QStringLiteral("lblComputing"));
        dock.setBusy(true);
        QVERIFY(busy->isVisible());
        dock.setBusy(false);
        QVERIFY(!busy->isVisible());
    }
};

#include "testmain.h"
QTEST_MAIN(tst_toolpath)
#include "tst_toolpath.moc"
