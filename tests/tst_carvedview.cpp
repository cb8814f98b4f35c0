// The carved views of the Toolpath dock: the region a zoom carves again at one cell a pixel (at the
// scrubber's moment, within the budget), its cancel by the next zoom, the readout and the measure, and
// the carved picture's export.
#include "core/carve/carve.h"
#include "gui/carve/carvedpane.h"
#include "gui/carve/carvedview.h"
#include "gui/carve/carverelief.h"
#include "gui/toolpath/toolpathdock.h"
#include "testfiles.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace dryrun;

namespace {

struct Carved {
    std::shared_ptr<const Trace> trace;
    std::shared_ptr<const carve::Job> job;
};

// A 10 x 6 blank, 1 thick, a 60 degree V bit 0.5 across, in inches or the same in millimetres: a groove
// 0.2 deep up X 2, then a shallower one on a slant.
Carved carved(Unit unit) {
    const double k = unit == Unit::Inch ? 1 : 25.4;
    Settings s;
    s.unit = unit;
    s.blankX = 10 * k;
    s.blankY = 6 * k;
    s.thickness = 1 * k;
    s.tool = {Tool::Shape::V, 0.5 * k, 60};
    QString program;
    for (const char* line : {"JZ, , , 0.5", "J2, 2, 1", "MZ, , , -0.2", "M2, 2, 5", "JZ, , , 0.5", "J2, 6, 1",
                             "MZ, , , -0.1", "M2, 8, 5", "JZ, , , 0.5"}) {
        QStringList words = QString::fromLatin1(line).split(QStringLiteral(", "));
        for (int w = 1; w < words.size(); ++w)
            if (!words[w].isEmpty()) words[w] = QString::number(words[w].toDouble() * k);
        program += words.join(QStringLiteral(", ")) + u'\n';
    }
    auto trace = std::make_shared<const Trace>(run(programFromText("c.cvp", "/job", program), s, {}, {}));
    return {trace, carve::Job::fromTrace(*trace)};
}

// A view of 400 x 300 on the run, its plane at scale pixels a unit with the plane's origin at (10, 290).
struct Fixture {
    Carved job;
    CarveWorker worker;
    CarvedView view{&worker};
    Fixture(Unit unit, std::size_t budget, double scale = 20) : job(carved(unit)) {
        view.resize(400, 300);
        view.setTrace(job.trace);
        worker.setJob(job.job, budget);
        ToolpathProjection p = view.scene().projection();
        p.scale = scale;
        p.offset = {10, 290};
        view.scene().setProjection(p);
    }
    QPointF at(double x, double y) const { return view.scene().projection().toScreen(QPointF(x, y)); }
};

CarvedPicture nextRegion(QSignalSpy& spy) {
    if (spy.isEmpty() && !spy.wait(60000)) return {}; // a test fails on the empty picture, rather than hangs
    return spy.takeFirst().at(0).value<CarvedPicture>();
}

void wheel(QWidget& w, QPointF at, int delta) {
    QWheelEvent e(at, w.mapToGlobal(at), {}, {0, delta}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &e);
}

} // namespace

Q_DECLARE_METATYPE(CarvedPicture)

class TestCarvedView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        qRegisterMetaType<CarvedPicture>();
    }

    // Once a zoom rests, the visible rectangle is carved again at one cell a pixel, at the scrubber's
    // moment; within a quarter of the budget however large the view.
    void regionFollowsTheView_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("moment"); // -1: the end
        QTest::addColumn<int>("budgetKiB");
        QTest::addColumn<double>("cell");
        QTest::newRow("as it opens") << 0 << 1.0 << -1 << 65536 << 1 / 20.0;
        QTest::newRow("zoomed on a groove's end") << 0 << 1.2 * 1.2 * 1.2 << -1 << 65536 << 1 / (20 * 1.728);
        QTest::newRow("zoomed, millimetres") << 1 << 1.2 << -1 << 65536 << 1 / (20 * 1.2);
        QTest::newRow("scrubbed into the first groove") << 0 << 1.2 << 3 << 65536 << 1 / (20 * 1.2);
        // The field in view, 210 x 130 cells, takes 107 KiB: over a quarter of 256 KiB, so the cell grows.
        QTest::newRow("coarsened for the budget") << 0 << 1.0 << -1 << 256 << 0.0;
    }
    void regionFollowsTheView() {
        QFETCH(int, unit);
        QFETCH(double, zoom);
        QFETCH(int, moment);
        QFETCH(int, budgetKiB);
        QFETCH(double, cell);
        Fixture f(Unit(unit), std::size_t(budgetKiB) * 1024);
        QSignalSpy regions(&f.worker, &CarveWorker::regionReady);
        if (moment >= 0) f.view.setMoment(moment);
        // A zoom of 1 is a step in and a step out, so that a zoom rests in every row whatever events
        // the platform sends a hidden view on its own.
        const int delta = int(std::lround(std::log(zoom) / std::log(1.2) * 120));
        if (delta == 0) wheel(f.view, f.at(2, 5), 120);
        wheel(f.view, f.at(2, 5), delta == 0 ? -120 : delta);
        const CarvedPicture region = nextRegion(regions);

        const ToolpathProjection& p = f.view.scene().projection();
        const std::optional<carve::Grid> grid = f.view.visibleGrid();
        QVERIFY(grid);
        if (cell > 0) QVERIFY2(std::abs(grid->cell - cell) < 1e-9 * cell, qPrintable(QString::number(grid->cell)));
        QVERIFY(grid->cells() * carve::BytesPerCell <= std::size_t(budgetKiB) * 1024 / 4);
        // It covers what the view shows of the field, and no more than a cell beyond.
        const QRectF shown = QRectF(p.screenToPlane(QPointF(0, 300)), p.screenToPlane(QPointF(400, 0)))
                                 .intersected(carvepictures::planeOf(f.job.job->wholeGrid(f.worker.budgetBytes())));
        const QRectF plane = carvepictures::planeOf(*grid);
        QVERIFY(plane.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(shown));
        QVERIFY(shown.adjusted(-grid->cell, -grid->cell, grid->cell, grid->cell).contains(plane));
        // And the picture delivered is that grid carved at that moment.
        const std::size_t m = moment < 0 ? f.job.trace->segments.size() : std::size_t(moment);
        QCOMPARE(region.moment, m);
        QCOMPARE(region.plane, plane);
        QCOMPARE(region.relief, reliefImage(*f.job.job, *carve::carve(*f.job.job, *grid, m)));
    }

    // Zoomed to the whole blank's own cell, the sharp region's cells stand on the coarse field's points
    // and its picture is the coarse picture's, cell for cell.
    void regionAgreesWithTheWholeBlank() {
        Fixture f(Unit::Inch, std::size_t(4) << 20);
        QSignalSpy whole(&f.worker, &CarveWorker::wholeReady), regions(&f.worker, &CarveWorker::regionReady);
        QVERIFY(whole.wait(60000));
        const carve::Grid g = f.job.job->wholeGrid(f.worker.budgetBytes());
        const QImage coarse = f.worker.whole().relief;
        QCOMPARE(coarse.size(), QSize(g.width, g.height)); // one pixel a cell
        ToolpathProjection p = f.view.scene().projection();
        p.scale = 1 / g.cell;
        p.offset = {-(g.x0 + 20 * g.cell) / g.cell, 300 + (g.y0 + 10 * g.cell) / g.cell};
        f.view.scene().setProjection(p);
        // A region the view asked for itself while the whole blank carved is of the first view.
        regions.clear();
        f.worker.requestRegion(*f.view.visibleGrid(), carve::AllDone);
        const CarvedPicture region = nextRegion(regions);
        QVERIFY(region.relief.width() > 100 && region.relief.height() > 100);
        int differ = 0;
        for (int j = 1; j + 1 < region.relief.height(); ++j)
            for (int i = 1; i + 1 < region.relief.width(); ++i) {
                const QRgb a = region.relief.pixel(i, region.relief.height() - 1 - j);
                const QRgb b = coarse.pixel(i + 20, g.height - 1 - (j + 10));
                differ += std::abs(qRed(a) - qRed(b)) > 1 || std::abs(qGreen(a) - qGreen(b)) > 1 ||
                          std::abs(qBlue(a) - qBlue(b)) > 1 || qAlpha(a) != qAlpha(b);
            }
        QCOMPARE(differ, 0);
    }

    // The next zoom cancels the region under way: only the newest view's region arrives.
    void nextZoomCancelsTheRunningRegion() {
        Fixture f(Unit::Inch, std::size_t(64) << 20);
        QSignalSpy regions(&f.worker, &CarveWorker::regionReady);
        f.worker.requestRegion(*f.view.visibleGrid(), carve::AllDone);
        wheel(f.view, f.at(2, 5), 240);
        const CarvedPicture region = nextRegion(regions);
        QCOMPARE(f.worker.regionsCancelled(), 1);
        QCOMPARE(region.plane, carvepictures::planeOf(*f.view.visibleGrid()));
        QVERIFY(regions.isEmpty());
    }

    // The readout gives X, Y and the depth of cut under the pointer at the scrubber's moment, each
    // with its unit.
    void readout_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<int>("moment");
        QTest::addColumn<QString>("text");
        QTest::newRow("in the groove") << 0 << QPointF(2, 3) << -1 << "X 2.000 in  Y 3.000 in  Depth of cut 0.200 in";
        QTest::newRow("on its wall") << 0 << QPointF(2.05, 3) << -1 << "X 2.050 in  Y 3.000 in  Depth of cut 0.113 in";
        QTest::newRow("before it is cut") << 0 << QPointF(2, 3) << 2 << "X 2.000 in  Y 3.000 in  Depth of cut 0.000 in";
        QTest::newRow("millimetres") << 1 << QPointF(50.8, 76.2) << -1
                                     << "X 50.80 mm  Y 76.20 mm  Depth of cut 5.08 mm";
        QTest::newRow("off the blank") << 0 << QPointF(-0.5, 3) << -1 << "X -0.500 in  Y 3.000 in  (off the blank)";
    }
    void readout() {
        QFETCH(int, unit);
        QFETCH(QPointF, point);
        QFETCH(int, moment);
        QFETCH(QString, text);
        Fixture f(Unit(unit), std::size_t(1) << 20, unit == 0 ? 20 : 20 / 25.4);
        if (moment >= 0) f.view.setMoment(moment);
        QCOMPARE(f.view.readoutAt(f.at(point.x(), point.y())), text);
    }

    // Two clicks measure between them; a third starts again, and so does Escape.
    void measure_data() {
        QTest::addColumn<QList<QPoint>>("clicks"); // in plane units of 1/20 inch from the origin
        QTest::addColumn<bool>("escape");
        QTest::addColumn<QString>("text");
        QTest::newRow("two clicks") << QList<QPoint>{{20, 20}, {80, 100}} << false
                                    << QString::fromUtf8("Distance 5.000 in  ΔX 3.000 in  ΔY 4.000 in");
        QTest::newRow("back and down") << QList<QPoint>{{80, 100}, {20, 20}} << false
                                       << QString::fromUtf8("Distance 5.000 in  ΔX -3.000 in  ΔY -4.000 in");
        QTest::newRow("a third click starts over") << QList<QPoint>{{20, 20}, {80, 100}, {40, 40}} << false << "";
        QTest::newRow("Escape starts over") << QList<QPoint>{{20, 20}, {80, 100}} << true << "";
    }
    void measure() {
        QFETCH(QList<QPoint>, clicks);
        QFETCH(bool, escape);
        QFETCH(QString, text);
        Fixture f(Unit::Inch, std::size_t(1) << 20);
        f.view.setMeasuring(true);
        for (const QPoint& c : clicks)
            QTest::mouseClick(&f.view, Qt::LeftButton, {}, f.at(c.x() / 20.0, c.y() / 20.0).toPoint());
        if (escape) QTest::keyClick(&f.view, Qt::Key_Escape);
        QCOMPARE(f.view.measureText(), text);
    }

    // Export in the carved view writes the carved picture as PNG; an SVG, or the part file, it refuses.
    void exportCarved_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("png") << "carved.png" << true;
        QTest::newRow("svg") << "carved.svg" << false;
        QTest::newRow("the part file") << "job.cvp" << false;
    }
    void exportCarved() {
        QFETCH(QString, answer);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString part = dir.filePath(QStringLiteral("job.cvp"));
        putBytes(part, "MX, 1\r\n");
        const Carved job = carved(Unit::Inch);
        ToolpathDock dock;
        dock.setPartFile(part);
        dock.resize(420, 520);
        dock.show();
        dock.setTrace(job.trace, job.job, std::size_t(1) << 20);
        auto* kind = dock.findChild<QComboBox*>(QStringLiteral("cmbToolpathView"));
        kind->setCurrentIndex(kind->findText(QStringLiteral("Carved")));
        QSignalSpy whole(dock.carvedPane()->worker(), &CarveWorker::wholeReady);
        QVERIFY(whole.wait(60000));
        QStringList asked;
        dock.setFileChooser([&](const QString& proposed) {
            asked << proposed;
            return dir.filePath(answer);
        });
        dock.findChild<QPushButton*>(QStringLiteral("cmdExportToolpath"))->click();
        QCOMPARE(asked, QStringList{dir.filePath(QStringLiteral("job-carved.png"))});
        QCOMPARE(readAll(part), QByteArray("MX, 1\r\n"));
        const QString status = dock.findChild<QLabel*>(QStringLiteral("lblExportStatus"))->text();
        QVERIFY2(status.contains(answer) && status.startsWith(QStringLiteral("Saved")) == written, qPrintable(status));
        const QImage image(dir.filePath(answer));
        QCOMPARE(image.isNull(), !written);
        // The picture is the carved blank's: its untouched top fills much of it.
        int top = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                top += image.pixel(x, y) == qRgb(0xEA, 0xD7, 0xB0);
        QVERIFY2(top > image.width() * image.height() / 10 || !written,
                 qPrintable(QStringLiteral("%1 %2x%3").arg(top).arg(image.width()).arg(image.height())));
    }
};

#include "testmain.h"
QTEST_MAIN(TestCarvedView)
#include "tst_carvedview.moc"
