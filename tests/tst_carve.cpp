// The carved blank: heights worked out by hand on small grids, the closed forms against the bit swept
// in fine steps, volumes against their exact formulas at the budget's cell, the field at any moment,
// and the checks that know the bit.
#include "core/carve/carve.h"
#include "core/templates/templates.h"
#include "randompicks.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <numbers>

using namespace dryrun;

namespace {

// Words of a setup: "flat 0.5", "v 0.5 60", "ball 0.5", "blank=96x48", "thick=0.75", "mm".
Settings settingsOf(const QString& setup) {
    Settings s;
    s.blankX = 10;
    s.blankY = 6;
    s.thickness = 1;
    const QStringList words = setup.split(u' ', Qt::SkipEmptyParts);
    const QStringList shapes{"flat", "v", "ball"};
    for (int w = 0; w < words.size(); ++w) {
        if (shapes.contains(words[w])) {
            s.tool.shape = Tool::Shape(shapes.indexOf(words[w]));
            s.tool.diameter = words.value(w + 1).toDouble();
            if (s.tool.shape == Tool::Shape::V) s.tool.angle = words.value(w + 2).toDouble();
        } else if (words[w].startsWith("blank=")) {
            const QStringList xy = words[w].mid(6).split(u'x');
            s.blankX = xy[0].toDouble();
            s.blankY = xy[1].toDouble();
        } else if (words[w].startsWith("thick=")) {
            s.thickness = words[w].mid(6).toDouble();
        } else if (words[w] == "mm") {
            s.unit = Unit::Millimetre;
        }
    }
    return s;
}

Trace runText(const QString& text, const QString& setup) {
    return run(programFromText("c.cvp", "/job", text), settingsOf(setup), {}, {});
}

// Rows from the highest Y down, "." where the top is untouched.
QString shown(const carve::Field& f, double top) {
    QStringList rows;
    for (int j = f.grid.height - 1; j >= 0; --j) {
        QStringList row;
        for (int i = 0; i < f.grid.width; ++i)
            row << (f.at(i, j) >= top - 1e-6
                        ? QStringLiteral(".")
                        : QString::number(f.at(i, j), 'f', 4).remove(QRegularExpression("\\.?0+$")));
        rows << row.join(u' ');
    }
    return rows.join(" | ");
}

// The bit swept in steps: its lowest point over (x, y) from above, in 2,000 steps along the segment
// and then 2,000 more about the lowest of them; +infinity where no step reaches the point.
double sweptInSteps(const Segment& s, const Tool& tool, double x, double y) {
    const double r = tool.diameter / 2, k = 1 / std::tan(tool.angle / 2 * std::numbers::pi / 180);
    const auto at = [&](double t) {
        const double px = s.from.x + (s.to.x - s.from.x) * t, py = s.from.y + (s.to.y - s.from.y) * t;
        const double rho = std::hypot(x - px, y - py);
        if (rho > r) return std::numeric_limits<double>::infinity();
        const double lift = tool.shape == Tool::Shape::Flat ? 0
                            : tool.shape == Tool::Shape::V  ? rho * k
                                                            : r - std::sqrt(r * r - rho * rho);
        return s.from.z + (s.to.z - s.from.z) * t + lift;
    };
    double best = std::numeric_limits<double>::infinity(), bestT = 0;
    for (int n = 0; n <= 2000; ++n)
        if (at(n / 2000.0) < best) best = at(bestT = n / 2000.0);
    for (int n = -1000; n <= 1000; ++n)
        best = std::min(best, at(std::clamp(bestT + n / 1e6, 0.0, 1.0)));
    return best;
}

double real(RandomPicks& pick, double from, double to) {
    return from + (to - from) * pick.below(1000001) / 1e6;
}

QStringList rules(const Trace& t) {
    QStringList out;
    for (const Note& n : t.warnings)
        out << QStringLiteral("%1@%2").arg(n.rule).arg(n.source.line);
    return out;
}

} // namespace

class tst_carve : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each cell lowered to the bit's lowest point over its point, worked out by hand. Z is zeroed on
    // the blank's top.
    void heights_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("grid"); // x0 y0 cell width height
        QTest::addColumn<QString>("expected");
        // A disc of radius 0.25 about (1, 1): the points 0.0625 and 0.1875 off along both axes are in,
        // 0.1875 off along both is out (0.265).
        QTest::newRow("flat plunge") << "flat 0.5"
                                     << "J2, 1, 1\nMZ, , , -0.25"
                                     << "0.5 0.5 0.125 8 8"
                                     << ". . . . . . . . | . . . . . . . . | . . . -0.25 -0.25 . . . | "
                                        ". . -0.25 -0.25 -0.25 -0.25 . . | . . -0.25 -0.25 -0.25 -0.25 . . | "
                                        ". . . -0.25 -0.25 . . . | . . . . . . . . | . . . . . . . .";
        // Round ends reach 0.25 past X 0.5 and 1.5 on the centre line; the rows 0.25 off lie exactly on
        // the bit's edge and are cut along the straight part only.
        QTest::newRow("flat slot, cells on the edge")
            << "flat 0.5"
            << "J2, 0.5, 1\nMZ, , , -0.125\nMX, 1.5"
            << "0 0.625 0.25 8 3"
            << ". . -0.125 -0.125 -0.125 -0.125 . . | . -0.125 -0.125 -0.125 -0.125 -0.125 -0.125 . | "
               ". . -0.125 -0.125 -0.125 -0.125 . .";
        // Down 0.5 over 1: the lowest point over a point is where the bit's edge last touches it, s + w
        // along (w = 0.25 on the centre line, 0 on the edge), held at -0.5 past the end.
        QTest::newRow("ramp") << "flat 0.5"
                              << "J2, 0.5, 1\nM3, 1.5, 1, -0.5"
                              << "0 0.875 0.25 8 2"
                              << ". . -0.0625 -0.1875 -0.3125 -0.4375 . . | "
                                 ". -0.0625 -0.1875 -0.3125 -0.4375 -0.5 -0.5 .";
        // 90 degrees: 0.2 deep, 0.4 wide; the cone at the start 0.1414 from X 0.4, Y 1.1.
        QTest::newRow("V groove, 90 degrees")
            << "v 0.5 90"
            << "J2, 0.5, 1\nMZ, , , -0.2\nMX, 1.5"
            << "0.35 0.75 0.1 4 5"
            << ". . . . | -0.0586 -0.1 -0.1 -0.1 | -0.1 -0.2 -0.2 -0.2 | -0.0586 -0.1 -0.1 -0.1 | . . . .";
        // 60 degrees: the side rises sqrt(3) per unit, 0.2 deep is 0.231 wide.
        QTest::newRow("V groove, 60 degrees")
            << "v 0.5 60"
            << "J2, 0.5, 1\nMZ, , , -0.2\nMX, 1.5"
            << "0.35 0.75 0.1 4 5"
            << ". . . . | . -0.0268 -0.0268 -0.0268 | -0.0268 -0.2 -0.2 -0.2 | . -0.0268 -0.0268 -0.0268 | . . . .";
        // A ball plunged 0.25: -sqrt(0.0625 - rho^2).
        QTest::newRow("ball plunge") << "ball 0.5"
                                     << "J2, 1, 1\nMZ, , , -0.25"
                                     << "0.75 0.75 0.125 4 4"
                                     << ". -0.1531 -0.1531 . | -0.1531 -0.2339 -0.2339 -0.1531 | "
                                        "-0.1531 -0.2339 -0.2339 -0.1531 | . -0.1531 -0.1531 .";
        QTest::newRow("segment shorter than a cell") << "flat 0.25"
                                                     << "J2, 0.95, 1\nMZ, , , -0.1\nMX, 1.05"
                                                     << "0.625 0.625 0.25 3 3"
                                                     << ". . . | . -0.1 . | . . .";
    }
    void heights() {
        QFETCH(QString, setup);
        QFETCH(QString, text);
        QFETCH(QString, grid);
        QFETCH(QString, expected);
        const Trace t = runText(text, setup);
        const auto job = carve::Job::fromTrace(t);
        QVERIFY(job);
        const QStringList g = grid.split(u' ');
        const carve::Grid at{g[0].toDouble(), g[1].toDouble(), g[2].toDouble(), g[3].toInt(), g[4].toInt()};
        const carve::Field f = *carve::carve(*job, at);
        QCOMPARE(shown(f, job->top()), expected);
        // The readout of one point gives the same heights.
        for (int j = 0; j < at.height; ++j)
            for (int i = 0; i < at.width; ++i)
                QVERIFY(std::abs(carve::heightAt(*job, at.x(i), at.y(j)) - f.at(i, j)) < 1e-6);
    }

    // The closed forms give the bit's lowest point, for ramps up and down, steeper and flatter than a V
    // bit's side: never above the bit swept in fine steps, and below it by no more than one step's rise.
    void closedFormsMatchTheSweep_data() {
        QTest::addColumn<QString>("setup");
        QTest::newRow("flat") << "flat 0.5";
        QTest::newRow("V 60") << "v 0.5 60";
        QTest::newRow("V 90") << "v 0.5 90";
        QTest::newRow("ball") << "ball 0.5";
    }
    void closedFormsMatchTheSweep() {
        QFETCH(QString, setup);
        RandomPicks pick(7);
        for (int round = 0; round < 24; ++round) {
            const double z0 = -real(pick, 0, 0.5), z1 = -real(pick, 0, 0.5);
            const double x0 = real(pick, 1, 3), y0 = real(pick, 1, 3);
            // Some segments plunge steeply (a short XY run), some are long.
            const double len = round % 4 == 0 ? real(pick, 0, 0.05) : real(pick, 0.1, 2);
            const double a = real(pick, 0, 2 * std::numbers::pi);
            const QString text = QStringLiteral("J3, %1, %2, %3\nM3, %4, %5, %6")
                                     .arg(x0)
                                     .arg(y0)
                                     .arg(z0)
                                     .arg(x0 + len * std::cos(a))
                                     .arg(y0 + len * std::sin(a))
                                     .arg(z1);
            const Trace t = runText(text, setup + " blank=6x6");
            const auto job = carve::Job::fromTrace(t);
            const Segment& s = t.segments.back();
            const carve::Grid grid{x0 - 1, y0 - 1, 0.17, 12, 12};
            // Only the second segment, the move: the jog's own cut starts at the first.
            const carve::Field f = *carve::carve(*job, grid);
            const carve::Field before = *carve::carve(*job, grid, t.segments.size() - 1);
            for (int j = 0; j < grid.height; ++j)
                for (int i = 0; i < grid.width; ++i) {
                    const double swept = std::max(sweptInSteps(s, t.setup.tool, grid.x(i), grid.y(j)), -1.0);
                    if (std::isinf(swept)) continue; // no step of the sweep reached the point
                    const double carved = f.at(i, j);
                    if (carved >= before.at(i, j)) { // the move did not lower it: the sweep is no lower
                        QVERIFY2(swept >= carved - 1e-6,
                                 qPrintable(QStringLiteral("%1 %2 %3").arg(i).arg(j).arg(swept)));
                        continue;
                    }
                    QVERIFY2(std::abs(carved - swept) < 1e-4, qPrintable(QStringLiteral("round %1 at %2,%3: %4 vs %5")
                                                                             .arg(round)
                                                                             .arg(i)
                                                                             .arg(j)
                                                                             .arg(carved)
                                                                             .arg(swept)));
                }
        }
    }

    // At the budget's cell of a 96 x 48 inch blank (the coarsest the program uses), the removed volume
    // is within 0.5 % of the exact one: a slot is a box and the two half cylinders of its ends, a V
    // groove a prism and one cone.
    void volume_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("exact");
        const double pi = std::numbers::pi;
        const auto slot = [pi](double d, double length, double depth) { return (length * d + pi * d * d / 4) * depth; };
        const auto groove = [pi](double angle, double length, double depth) {
            const double w = depth * std::tan(angle / 2 * pi / 180);
            return length * w * depth + pi * w * w * depth / 3;
        };
        QTest::newRow("1/8 slot along X") << "flat 0.125 blank=96x48"
                                          << "J2, 10.31, 20.17\nMZ, , , -0.25\nMX, 30.31" << slot(0.125, 20, 0.25);
        QTest::newRow("1/8 slot along Y") << "flat 0.125 blank=96x48"
                                          << "J2, 40.013, 7.7\nMZ, , , -0.25\nMY, , 27.7" << slot(0.125, 20, 0.25);
        QTest::newRow("1/4 slot at an angle") << "flat 0.25 blank=96x48"
                                              << "J2, 5, 5\nMZ, , , -0.5\nM2, 21, 17" << slot(0.25, 20, 0.5);
        QTest::newRow("3 mm slot on a millimetre blank")
            << "flat 3 blank=2440x1220 thick=18 mm"
            << "J2, 300.3, 200.7\nMZ, , , -6\nMX, 800.3" << slot(3, 500, 6);
        QTest::newRow("V groove, 90 degrees") << "v 0.5 90 blank=96x48"
                                              << "J2, 10.31, 20.17\nMZ, , , -0.2\nMX, 30.31" << groove(90, 20, 0.2);
        QTest::newRow("V groove, 60 degrees") << "v 0.5 60 blank=96x48"
                                              << "J2, 10.31, 20.17\nMZ, , , -0.2\nMX, 30.31" << groove(60, 20, 0.2);
        QTest::newRow("shallow V groove, 60 degrees, three cells wide")
            << "v 0.5 60 blank=96x48"
            << "J2, 10.31, 20.17\nMZ, , , -0.05\nMX, 30.31" << groove(60, 20, 0.05);
    }
    void volume() {
        QFETCH(QString, setup);
        QFETCH(QString, text);
        QFETCH(double, exact);
        const Trace t = runText(text, setup);
        const auto job = carve::Job::fromTrace(t);
        const carve::Grid whole = job->wholeGrid(carve::budgetBytes(Settings{}));
        QVERIFY(whole.cells() * carve::BytesPerCell <= carve::budgetBytes(Settings{}));
        const double v = *carve::removedVolume(*job, *carve::carve(*job, whole));
        QVERIFY2(std::abs(v - exact) / exact < 0.005,
                 qPrintable(QStringLiteral("%1 vs %2, cell %3").arg(v).arg(exact).arg(whole.cell)));
    }

    // Over a made-up run: a finer field agrees with the coarse one at the coarse cells' points, and the
    // scrubber's field at any moment, reached forward or back, is the field of the run stopped there.
    void finerFieldsAndScrubbing_data() { closedFormsMatchTheSweep_data(); }
    void finerFieldsAndScrubbing() {
        QFETCH(QString, setup);
        RandomPicks pick(11);
        QString text;
        for (int n = 0; n < 80; ++n)
            text += QStringLiteral("%1, %2, %3, %4\n")
                        .arg(n % 7 == 0 ? "J3" : "M3")
                        .arg(real(pick, -0.5, 6.5))
                        .arg(real(pick, -0.5, 4.5))
                        .arg(real(pick, -0.4, 0.1));
        const Trace t = runText(text, setup + " blank=6x4 thick=0.3");
        const auto job = carve::Job::fromTrace(t);
        const carve::Grid coarse = job->wholeGrid(0.09);
        const carve::Field c = *carve::carve(*job, coarse);
        // A third of the cell over a corner region: every third point, from the second, is a coarse one.
        const carve::Grid fine{coarse.x0 + 10 * coarse.cell, coarse.y0 + 5 * coarse.cell, coarse.cell / 3, 90, 60};
        const carve::Field f = *carve::carve(*job, fine);
        for (int j = 0; j < 20; ++j)
            for (int i = 0; i < 30; ++i)
                QVERIFY(std::abs(f.at(3 * i + 1, 3 * j + 1) - c.at(i + 10, j + 5)) < 1e-5);

        carve::Scrubber scrubber(job, coarse, coarse.cells() * carve::BytesPerCell * 4);
        QVERIFY(scrubber.prepare());
        QCOMPARE(scrubber.checkpoints(), std::size_t(3));
        const std::size_t n = t.segments.size();
        for (std::size_t moment : {n / 2, n, std::size_t(3), n - 1, std::size_t(0), n / 3, n / 3 + 1, n * 2 / 3}) {
            Trace stopped = t;
            stopped.segments.resize(moment);
            const carve::Field expected = *carve::carve(*carve::Job::fromTrace(stopped), coarse);
            QVERIFY2(scrubber.at(moment)->z == expected.z, qPrintable(QString::number(moment)));
        }
    }

    // The checks that know the bit: its edge leaving the blank, a V bit's shank, a jog through
    // material still there (but not through a slot already cut), below the table.
    void checks_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("text0"); // the first warning's text, when it matters
        QTest::newRow("centre inside, edge outside")
            << "flat 0.25"
            << "J2, 2, 0.1\nMZ, , , -0.1\nMX, 4\nJZ, , , 1" << QStringList{"outside-blank@2", "outside-blank@3"}
            << "The bit's edge goes 0.025 in outside the 10 x 6 in blank during a cut, at X 2 in, Y 0.1 in.";
        QTest::newRow("a V bit's edge grows with the depth")
            << "v 0.5 90"
            << "J2, 2, 0.1\nMZ, , , -0.05\nMX, 4\nMZ, , , -0.2" << QStringList{"outside-blank@4"}
            << "The bit's edge goes 0.1 in outside the 10 x 6 in blank during a cut, at X 4 in, Y 0.1 in.";
        QTest::newRow("a V bit deeper than its cone")
            << "v 0.5 90"
            << "J2, 2, 2\nMZ, , , -0.3\nMX, 3" << QStringList{"shank-cuts@2", "shank-cuts@3"}
            << "The V bit cuts 0.3 in deep, deeper than its cone is tall (0.25 in): its shank would cut.";
        QTest::newRow("a jog through material, not through the slot")
            << "flat 0.25"
            << "J2, 1, 1\nMZ, , , -0.25\nMX, 3\nJZ, , , 0.5\nJX, 1\nJZ, , , -0.2\nJX, 2\nJX, 5"
            << QStringList{"rapid-into-material@8"}
            << "A jog goes up to 0.2 in deep through material still there, first at X 3.0547 in, Y 0.8828 in: a rapid "
               "into the blank.";
        QTest::newRow("below the table, from the tip")
            << "ball 0.5 thick=0.5"
            << "J2, 2, 2\nMZ, , , -0.6\nJZ, , , 1" << QStringList{"below-table@2"}
            << "The bit's tip goes below the table top, to Z -0.6 in (the table top is at Z -0.5 in).";
    }
    void checks() {
        QFETCH(QString, setup);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QFETCH(QString, text0);
        Trace t = runText(text, setup);
        carve::checkRapids(*carve::Job::fromTrace(t), t);
        QCOMPARE(rules(t), expected);
        QCOMPARE(t.warnings.first().text, text0);
    }

    // The built-in pocket started at X 0, Y 0 runs half a bit outside the blank.
    void pocketTemplateAtTheOrigin() {
        const QList<templates::Template> all = templates::builtIns();
        const auto pocket = std::find_if(
            all.begin(), all.end(), [](const templates::Template& t) { return t.lines.join(u'\n').contains("pk_"); });
        QVERIFY(pocket != all.end());
        const Trace t = runText(templates::instantiate(*pocket, {}).join(u'\n'), "flat 0.25");
        QVERIFY(!t.warnings.isEmpty());
        QCOMPARE(t.warnings.first().rule, QStringLiteral("outside-blank"));
        QVERIFY(t.warnings.first().text.contains("0.125 in outside"));
    }
};

#include "testmain.h"
QTEST_GUILESS_MAIN(tst_carve)
#include "tst_carve.moc"
