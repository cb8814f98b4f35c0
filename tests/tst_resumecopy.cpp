// The copy to resume from a line: its dry run reaches the original's positions from the line on, for
// every line of programs with loops, subroutines, file calls and INPUTs; which earlier lines it
// keeps; what it says about loops and subroutines; and the window's question and file.
#include "core/dryrun/resumecopy.h"
#include "mainwindowfixture.h"

#include "gui/mainwindow/panelscrollarea.h"
#include "gui/mainwindow/panelview.h"
#include "gui/toolpath/dryruncontroller.h"
#include "gui/toolpath/toolpathdock.h"
#include "gui/toolpath/toolpathview.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using namespace dryrun;

namespace {

// "H|" in front of a line puts it into the header.
Program program(const QString& text, const QString& folder = QStringLiteral("/job")) {
    Program p = programFromText(QStringLiteral("main.cvp"), folder, text);
    for (SourceLine& l : p.lines)
        if (l.text.startsWith(QLatin1String("H|"))) {
            l.region = Region::Header;
            l.text.remove(0, 2);
        }
    return p;
}

// Called files by path, found without regard to case as the router finds them.
Loader memoryLoader(const QHash<QString, QString>& files) {
    return [files](const QString& path) {
        for (auto it = files.begin(); it != files.end(); ++it)
            if (it.key().compare(path, Qt::CaseInsensitive) == 0)
                return Loaded{true, {}, programFromText(path.section(u'/', -1), path.section(u'/', 0, -2), *it)};
        return Loaded{false, QStringLiteral("no such file"), {}};
    };
}

// "var:NAME=v" answers by variable, "lineN=v" by main-file line.
Answers answersFrom(const QString& words) {
    Answers a;
    for (const QString& w : words.split(u' ', Qt::SkipEmptyParts)) {
        const QString key = w.section(u'=', 0, 0);
        const double v = w.section(u'=', 1).toDouble();
        if (key.startsWith(QLatin1String("var:"))) a.byVariable.insert(key.mid(4), v);
        if (key.startsWith(QLatin1String("line"))) a.byLine.insert(LineRef{0, key.mid(4).toInt()}, v);
    }
    return a;
}

Trace watchedRun(const Program& p, int line, const Answers& answers, const Loader& loader) {
    Settings s;
    s.watchLine = line;
    return run(p, s, answers, loader);
}

// Exact to the last bit, so a value written with too few digits shows.
QString exact(double v) {
    return QString::number(v, 'g', 17);
}
QString pos(const Position& p) {
    return QStringList{exact(p.x), exact(p.y), exact(p.z), exact(p.a), exact(p.b)}.join(u',');
}

// Original lines as "#n", lines made here as their text; the comment lines made here left out.
QString layoutOf(const resumecopy::Copy& c) {
    QStringList out;
    for (qsizetype i = 0; i < c.lines.size(); ++i) {
        const int source = c.sourceLine[std::size_t(i)];
        if (source > 0)
            out << QStringLiteral("#%1").arg(source);
        else if (!c.lines[i].startsWith(u'\''))
            out << c.lines[i];
    }
    return out.join(u'|');
}

QString numbers(const QList<resumecopy::NamedLine>& lines) {
    QStringList out;
    for (const resumecopy::NamedLine& l : lines)
        out << QString::number(l.number);
    return out.join(u',');
}

const QString Loop = QStringLiteral("' a loop stepping by a tenth\n"
                                    "VS, 2, 1, , , 6, 3\n"
                                    "&&i = 0\n"
                                    "&&step = 0.1\n"
                                    "JZ, , , 1\n"
                                    "top:\n"
                                    "M2, &i, &i * 2\n"
                                    "MZ, , , -0.25\n"
                                    "&&i = &i + &step\n"
                                    "IF &&i < 0.5 THEN GOTO top:\n"
                                    "JZ, , , 1\n"
                                    "J2, 0, 0");

const QString Subroutines = QStringLiteral("GOTO main:\n"
                                           "cut:\n"
                                           "MZ, , , -0.1\n"
                                           "GOSUB lift:\n"
                                           "MX, &x + 1\n"
                                           "RETURN\n"
                                           "lift:\n"
                                           "JZ, , , 0.5\n"
                                           "RETURN\n"
                                           "main:\n"
                                           "&&x = 2\n"
                                           "J2, &x, 1\n"
                                           "GOSUB cut:\n"
                                           "&&x = 5\n"
                                           "J2, &x, 3\n"
                                           "GOSUB cut:\n"
                                           "END\n"
                                           "MX, 99");

const QString Calls = QStringLiteral("H|'' Cut this file out of a 24 x 12 piece of plywood that's 1/2 thick\n"
                                     "H|FP, open.cvp\n"
                                     "INPUT \"Depth?\" &depth\n"
                                     "J2, 1, 1\n"
                                     "FP, sub.cvp,,,,, 2\n"
                                     "J2, 5, 5\n"
                                     "FP, sub.cvp,,,,, 1\n"
                                     "JZ, , , 2\n"
                                     "FP, SUB.CVP\n"
                                     "INPUT \"Passes?\" &passes\n"
                                     "&&n = 0\n"
                                     "again:\n"
                                     "FP, deep\\inner.cvp,,,,, 0\n"
                                     "&&n = &n + 1\n"
                                     "IF &&n < &passes THEN GOTO again:\n"
                                     "SO, 1, 0");

const QString Rotary = QStringLiteral("VS, , 0.25\n"
                                      "J4, 1, 1, 1, 45\n"
                                      "&&k = 1 / 3\n"
                                      "mark:\n"
                                      "M4, 2 + &k, , , 90\n"
                                      "GOTO nowhere:\n"
                                      "mark:\n"
                                      "&&k = &k + 1\n"
                                      "VS, 3\n"
                                      "IF &&k < 2 THEN GOTO mark:\n"
                                      "GOTO &k\n"
                                      "J5, 0, 0, 0, 0, 0");

// A hand-made program whose blank and Z zero are typed into it, not into a header, and which cuts into
// the table: its copies must warn as it does.
const QString BelowTable = QStringLiteral("'' Cut this file out of a 24 x 12 piece of plywood that's 1/2 thick\n"
                                          "'' with the Z-axis zeroed at the top surface of the blank\n"
                                          "J2, 1, 1\n"
                                          "MZ, , , -0.75\n"
                                          "M2, 30, 1\n"
                                          "JZ, , , 1\n"
                                          "MZ, , , -0.6\n"
                                          "J2, 0, 0");

// A subroutine that calls itself 900 times: the line after the call is reached at every depth.
const QString Recursion = QStringLiteral("&&d = 0\n"
                                         "down:\n"
                                         "&&d = &d + 1\n"
                                         "IF &&d < 900 THEN GOSUB down:\n"
                                         "MX, &d\n"
                                         "RETURN");

// Warnings of the main file's lines as "rule@line", in the original's numbering.
QStringList warningsOf(const Trace& t, const std::function<int(int)>& original) {
    QStringList out;
    for (const Note& n : t.warnings)
        if (n.source.file == 0 && original(n.source.line) > 0)
            out << QStringLiteral("%1@%2").arg(n.rule).arg(original(n.source.line));
    out.sort();
    return out;
}

const QHash<QString, QString> Files{
    {QStringLiteral("/job/open.cvp"), QStringLiteral("VS, 1.5, 0.75\nJZ, , , 1.5\nSO, 1, 1")},
    {QStringLiteral("/job/sub.cvp"), QStringLiteral("MZ, , , -&depth\nM2, 1, 0\nM2, 1, 1\nJZ, , , 0.5")},
    {QStringLiteral("/job/deep/inner.cvp"), QStringLiteral("MX, &n\nMY, &n * 2 + 0.1")},
};

} // namespace

class tst_resumecopy : public QObject, MainWindowFixture {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { resetFixture(); }

    // For every line the run reaches, each time it reaches it: the copy's segments after its set-up
    // lines are the original's from that time on, ends, kind and time alike, checked against the same
    // blank; a program without loops gives the same warnings from the line on.
    void positionsFromEveryLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("reached"); // lines reached, times each is reached summed
        QTest::newRow("loop") << Loop << QString() << "/job" << 32;
        QTest::newRow("nested subroutines") << Subroutines << QString() << "/job" << 25;
        QTest::newRow("file calls and INPUT") << Calls << "var:depth=0.25 line10=3"
                                              << "/job" << 24;
        QTest::newRow("file calls, copy elsewhere") << Calls << "var:depth=0.5 line10=2"
                                                    << "/job/copies" << 20;
        QTest::newRow("rotary, duplicate and missing labels") << Rotary << QString() << "/job" << 19;
        QTest::newRow("set-up typed into the program, cuts into the table") << BelowTable << QString() << "/job" << 8;
    }
    void positionsFromEveryLine() {
        QFETCH(QString, text);
        QFETCH(QString, answers);
        QFETCH(QString, folder);
        QFETCH(int, reached);
        const Program original = program(text);
        const Answers given = answersFrom(answers);
        const Loader loader = memoryLoader(Files);
        int copies = 0;
        for (const SourceLine& chosen : original.lines) {
            const Trace t = watchedRun(original, chosen.number, given, loader);
            QVERIFY(!t.stepLimitReached);
            QCOMPARE(qint64(t.watched.size()), t.watchedTimes);
            QCOMPARE(resumecopy::fromTrace(original, t, chosen.number, folder, t.watched.size()).ok, false);
            for (std::size_t time = 0; time < t.watched.size(); ++time) {
                QCOMPARE(t.watched[time].pass, int(time) + 1);
                const resumecopy::Copy copy = resumecopy::fromTrace(original, t, chosen.number, folder, time);
                QVERIFY(copy.ok);
                ++copies;
                QCOMPARE(copy.sourceLine.size(), std::size_t(copy.lines.size()));

                // The answers by line follow their lines into the copy.
                Answers copied;
                copied.byVariable = given.byVariable;
                for (std::size_t i = 0; i < copy.sourceLine.size(); ++i)
                    if (given.byLine.contains(LineRef{0, copy.sourceLine[i]}))
                        copied.byLine.insert(LineRef{0, int(i) + 1}, given.byLine[LineRef{0, copy.sourceLine[i]}]);
                const Program resumed =
                    programFromText(QStringLiteral("copy.cvp"), folder, copy.lines.join(QLatin1Char('\n')));
                const Trace r = run(resumed, Settings{}, copied, loader);
                QVERIFY(!r.stepLimitReached);
                QVERIFY2(std::none_of(r.warnings.begin(), r.warnings.end(),
                                      [](const Note& n) { return n.rule == QLatin1String("missing-file"); }),
                         qPrintable(copy.lines.join(u'\n')));

                QCOMPARE(r.setup.blankX, t.setup.blankX);
                QCOMPARE(r.setup.thickness, t.setup.thickness);
                QCOMPARE(r.setup.zeroOnTable, t.setup.zeroOnTable);
                if (text == BelowTable)
                    QCOMPARE(warningsOf(r, [&](int l) { return copy.sourceLine[std::size_t(l - 1)]; }),
                             warningsOf(t, [&](int l) { return l >= chosen.number ? l : 0; }));

                QStringList expected, got;
                for (std::size_t i = t.watched[time].segmentsBefore; i < t.segments.size(); ++i) {
                    const Segment& s = t.segments[i];
                    expected << pos(s.from) + u'>' + pos(s.to) + (s.jog ? "j" : "m") + exact(s.time);
                }
                for (const Segment& s : r.segments) {
                    if (s.source.file == 0 && copy.sourceLine[std::size_t(s.source.line - 1)] == 0) continue;
                    got << pos(s.from) + u'>' + pos(s.to) + (s.jog ? "j" : "m") + exact(s.time);
                }
                QVERIFY2(got == expected,
                         qPrintable(QStringLiteral("from line %1, pass %2:\n%3\nexpected\n%4\ngot\n%5")
                                        .arg(chosen.number)
                                        .arg(time + 1)
                                        .arg(copy.lines.join(u'\n'), expected.join(u'\n'), got.join(u'\n'))));
            }
        }
        QCOMPARE(copies, reached);
    }

    // A line reached more often than can be kept: every time counted, the first ones recorded, and
    // the states recorded within their bound (a loop of 5,000 passes; 900 calls deep, under the dry run's bound on
    // pending RETURNs).
    void watchedTimesAreBounded() {
        const std::pair<QString, qint64> runs[] = {
            {QStringLiteral("&&i = 0\nagain:\n&&i = &i + 1\n'\nMX, &i\nIF &&i < 5000 THEN GOTO again:"), 5000},
            {Recursion, 900}};
        for (const auto& [text, times] : runs) {
            const Trace t = watchedRun(program(text), 5, {}, {});
            qint64 values = 0;
            for (const LineState& s : t.watched)
                values += s.variables.size() + qint64(s.returnTo.size());
            QCOMPARE(t.watchedTimes, times);
            QVERIFY(!t.watched.empty() && t.watched.size() <= std::size_t(MaxWatchedTimes) &&
                    values <= MaxWatchedValues);
            QCOMPARE(t.watched.back().pass, int(t.watched.size()));
        }
    }

    // The lines each copy keeps and makes, the comments it begins with left out.
    void layout_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("loop body kept above the line")
            << Loop << 8
            << "JZ, , , 1|VS, 2, 1, , , 6, 3, , |&&i = 0|&&step = 0.1|J2, 0, 0|MZ, , , 1|GOTO resume_here:|#6|#7|"
               "resume_here:|#8|#9|#10|#11|#12";
        QTest::newRow("after the loop, nothing above")
            << Loop << 11
            << "JZ, , , 1|VS, 2, 1, , , 6, 3, , |&&i = 0.5|&&step = 0.1|J2, 0.4, 0.8|MZ, , , -0.25|#11|#12";
        QTest::newRow("subroutines kept, the jump to main left out")
            << Subroutines << 14
            << "JZ, , , 0.5|&&x = 2|J2, 3, 1|MZ, , , 0.5|GOTO resume_here:|#2|#3|#4|#5|#6|#7|#8|#9|resume_here:|"
               "#14|#15|#16|#17|#18";
        QTest::newRow("two pending RETURNs")
            << Subroutines << 8
            << "JZ, , , 0.5|&&x = 2|J2, 2, 1|MZ, , , -0.1|GOSUB resume_call_2:|GOTO resume_return_1:|resume_call_2:|"
               "GOSUB resume_here:|GOTO resume_return_2:|#2|#3|#4|resume_return_2:|#5|#6|#7|resume_here:|#8|#9|#10|"
               "#11|#12|#13|resume_return_1:|#14|#15|#16|#17|#18";
        QTest::newRow("the first of two labels, and what goes on into the line")
            << Rotary << 8
            << "JZ, , , 1|VS, , 0.25, , , , , , |&&k = 0.3333333333333333|J5, 2.3333333333333335, 1, , 90, 0|MZ, , , "
               "1|GOTO resume_here:|#4|#5|#6|#7|resume_here:|"
               "#8|#9|#10|#11|#12";
        QTest::newRow("header comment kept, its call not") << Calls << 12
                                                           << "#1|JZ, , , 2|VS, 1.5, 0.75, , , , , , |&&depth = "
                                                              "0.25|&&passes = 3|&&n = 0|J2, 1, 1|MZ, , , 0.5|#12|#13|"
                                                              "#14|#15|#16";
    }
    void layout() {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(QString, expected);
        const Program p = program(text);
        const resumecopy::Copy copy = resumecopy::fromTrace(
            p, watchedRun(p, line, answersFrom(QStringLiteral("var:depth=0.25 line10=3")), memoryLoader(Files)), line,
            QStringLiteral("/job"));
        QVERIFY(copy.ok);
        QCOMPARE(layoutOf(copy), expected);
    }

    // What the window is told before writing: the loop's jumps, the subroutine's call, label and RETURN;
    // and what cannot be restored.
    void cautions_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("loops");
        QTest::addColumn<QString>("goSubs");
        QTest::addColumn<QString>("labels");
        QTest::addColumn<int>("returnLine");
        QTest::addColumn<int>("unrestored");
        QTest::newRow("inside the loop") << Loop << 7 << "10"
                                         << ""
                                         << "" << 0 << 0;
        QTest::newRow("the loop's own label") << Loop << 6 << "10"
                                              << ""
                                              << "" << 0 << 0;
        QTest::newRow("after the loop") << Loop << 11 << ""
                                        << ""
                                        << "" << 0 << 0;
        QTest::newRow("in a subroutine") << Subroutines << 5 << "13,16"
                                         << "13"
                                         << "2" << 6 << 0;
        QTest::newRow("two deep") << Subroutines << 8 << "13,16"
                                  << "13,4"
                                  << "2,7" << 9 << 0;
        QTest::newRow("main line between the calls") << Subroutines << 14 << "16"
                                                     << ""
                                                     << "" << 0 << 0;
        QTest::newRow("loop around a file call, spindle switched in the opening file") << Calls << 13 << "15"
                                                                                       << ""
                                                                                       << "" << 0 << 1;
        QTest::newRow("spindle after everything") << Calls << 16 << ""
                                                  << ""
                                                  << "" << 0 << 1;
    }
    void cautions() {
        QFETCH(QString, text);
        QFETCH(int, line);
        const Program p = program(text);
        const resumecopy::Copy copy = resumecopy::fromTrace(
            p, watchedRun(p, line, answersFrom(QStringLiteral("var:depth=0.25 line10=3")), memoryLoader(Files)), line,
            QStringLiteral("/job"));
        QVERIFY(copy.ok);
        QTEST(numbers(copy.loopJumps), "loops");
        QTEST(numbers(copy.goSubs), "goSubs");
        QTEST(numbers(copy.bodyLabels), "labels");
        QTEST(copy.bodyReturn ? copy.bodyReturn->number : 0, "returnLine");
        QTEST(int(copy.unrestored.size()), "unrestored");
    }

    // A line the run never reaches has no state to resume from.
    void unreachedLineMakesNoCopy() {
        const Program p = program(Subroutines);
        for (const int line : {18, 99}) {
            const resumecopy::Copy copy = resumecopy::fromTrace(p, watchedRun(p, line, {}, {}), line, {});
            QVERIFY(!copy.ok);
            QVERIFY(copy.lines.isEmpty());
            QVERIFY(!copy.error.isEmpty());
        }
    }

    // Numbers read back exactly, and never with an exponent the router cannot read.
    void exactNumbersReadBack() {
        const double values[] = {0, -0.0, 0.1 + 0.2, -1e-7, 123456789.123, 1.0 / 3, -2.5e-12, 7e15, 0.5};
        for (const double v : values) {
            const QString text = resumecopy::exactNumber(v);
            QVERIFY2(!text.contains(u'e') && !text.contains(u'E'), qPrintable(text));
            QCOMPARE(text.toDouble(), v);
        }
    }

    // The part file job.cvp: the three opening lines, then the program.
    void putProgram(const QString& text) {
        QByteArray file;
        for (const QString& l :
             QStringList{partfile::CreatedLine, partfile::NoticeLine, partfile::ThirdLine} + text.split(u'\n'))
            file += l.toLatin1() + "\r\n";
        putBytes(path(QStringLiteral("job.cvp")), file);
    }

    // The window: which pass of a line reached more than once (the first unless another is chosen),
    // the question before a copy from inside a subroutine, naming a few lines however deep, then the
    // file as composed, or what the copy cannot restore.
    void windowAsksAndWrites_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("pass");     // chosen in the pass dialog; 0: no dialog, -1: the default taken
        QTest::addColumn<QString>("said"); // the question asked or the notice told, if any
        const QString spindle = QStringLiteral("SO, 1, 1\nJ2, 1, 1\nMZ, , , -0.5\nMX, 3");
        QTest::newRow("inside the loop, the third pass") << Loop << 7 << 3 << "";
        QTest::newRow("inside the loop, the first pass by default") << Loop << 7 << -1 << "";
        QTest::newRow("after the loop") << Loop << 11 << 0 << "";
        QTest::newRow("in a subroutine, its second call")
            << Subroutines << 5 << 2 << "line 19 (GOSUB cut:) calls it, the body begins at line 5 (cut:)";
        QTest::newRow("900 calls deep") << Recursion << 5 << -1
                                        << "line 7 (IF &&d < 900 THEN GOSUB down:) calls it, 899 calls deep";
        QTest::newRow("spindle switched before") << spindle << 4 << 0 << "line 4: SO, 1, 1";
    }
    void windowAsksAndWrites() {
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(int, pass);
        QFETCH(QString, said);
        putProgram(text);
        int passDialogs = 0;
        auto w = startWindow(
            [&](QDialog& d) {
                auto* passes = d.findChild<QListWidget*>(QStringLiteral("lstResumePass"));
                if (passes && pass > 0) passes->setCurrentRow(pass - 1);
                return passes && ++passDialogs;
            },
            false, {}, path(QStringLiteral("job.cvp")));
        w->scrollArea()->panel()->setCurrentRow(row);
        m_platform.asked.clear();
        m_platform.yesNo << true;
        const QString target = path(QStringLiteral("resume.cvp"));
        m_platform.files << target;
        action(*w, "mnuSaveResume")->trigger();

        QCOMPARE(passDialogs, pass != 0 ? 1 : 0);
        const QStringList messages = m_platform.messageTexts();
        QCOMPARE(messages.size(), said.isEmpty() ? 0 : 1);
        if (!said.isEmpty()) QVERIFY2(messages[0].contains(said) && messages[0].size() < 600, qPrintable(messages[0]));
        const dryrun::Program p =
            partfile::dryRunProgram(model(*w), w->document().kept(), QStringLiteral("job.cvp"), w->document().folder());
        const resumecopy::Copy copy =
            resumecopy::build(p, w->dryRun().settings(), w->dryRun().answers(), w->dryRun().loader(), row + 3,
                              m_dir->path(), std::size_t(std::max(pass, 1) - 1));
        QCOMPARE(readAll(target), (copy.lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
    }

    // One line is current: a press on a block (on its labels too, either button, or a drag's end) makes
    // it current for the toolpath's highlight and the resume copy, after the keyboard chose another.
    void pressMakesTheCurrentLine_data() {
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("row");     // pressed
        QTest::addColumn<int>("current"); // then current
        QTest::newRow("left, on the block") << "shape" << 4 << 4;
        QTest::newRow("left, on its text") << "text" << 4 << 4;
        QTest::newRow("right, on its text") << "right" << 5 << 5;
        QTest::newRow("a RETURN line") << "text" << 6 << 6;
        QTest::newRow("dragged below the next line") << "drag" << 4 << 5;
    }
    void pressMakesTheCurrentLine() {
        QFETCH(QString, press);
        QFETCH(int, row);
        QFETCH(int, current);
        putProgram(QStringLiteral("J2, 1, 1\nGOSUB cut:\nEND\ncut:\nMZ, , , -0.25\nRETURN\nMX, 2"));
        auto w = startWindow([](QDialog&) { return false; }, false, {}, path(QStringLiteral("job.cvp")));
        PanelView* panel = w->scrollArea()->panel();
        QCOMPARE(panel->currentRow(), 1);
        QTest::keyClick(panel, Qt::Key_Down);
        QTest::keyClick(panel, Qt::Key_Down);
        QCOMPARE(panel->currentRow(), 3);

        const LineRow& r = model(*w).row(row);
        const PanelBlock& b = model(*w).block(r.kind, r.blockIndex);
        const float y = b.shape.top + b.shape.height / 2;
        const bool onShape = press == QLatin1String("shape") || press == QLatin1String("drag");
        const float x = onShape ? b.shape.left + b.shape.width - 3 : b.text.left + 2;
        const float to = press == QLatin1String("drag") ? y + 40 : y;
        panel->pointerPressed(press == QLatin1String("right") ? RightButton : LeftButton, x, y, {});
        for (float at = y; at < to; at += 4)
            panel->pointerMoved(LeftButton, x, at);
        if (press != QLatin1String("right")) panel->pointerReleased(LeftButton, x, to);
        QCOMPARE(panel->currentRow(), current);
        QCOMPARE(w->toolpathDock()->view()->currentLine(), (dryrun::LineRef{0, current + 3}));
        m_platform.yesNo << true; // inside the subroutine
        m_platform.files << path(QStringLiteral("resume.cvp"));
        action(*w, "mnuSaveResume")->trigger();
        QVERIFY(
            readAll(path(QStringLiteral("resume.cvp"))).contains("from its line " + QByteArray::number(current + 3)));
    }

    // Cancel in the progress box of a long run stops it: nothing is asked or written.
    void progressBoxCancels() {
        // Each step slow enough that the limit's ten million take seconds in any build.
        const QString slow = QStringLiteral("+ 0 * (%1 1)").arg(QStringLiteral("1 + ").repeated(60));
        putProgram(QStringLiteral("&&k = 0\nspin:\n&&k = &k + 1 %1\nIF &&k > 0 THEN GOTO spin:").arg(slow));
        auto w = startWindow([](QDialog&) { return false; }, false, {}, path(QStringLiteral("job.cvp")));
        dryrun::Settings endless = w->dryRun().settings();
        endless.stepLimit = dryrun::Settings::MaxStepLimit;
        w->dryRun().setSettings(endless);
        w->scrollArea()->panel()->setCurrentRow(3);
        m_platform.asked.clear();
        QPushButton* cancel = nullptr;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (QWidget* box = QApplication::activeModalWidget(); box && box->objectName() == "frmRunProgress")
                if ((cancel = box->findChild<QPushButton*>(QStringLiteral("cmdCancelRun")))) cancel->click();
        });
        poll.start(50);
        action(*w, "mnuSaveResume")->trigger();
        QVERIFY(cancel);
        QVERIFY(m_platform.asked.isEmpty());
    }
};

#include "testmain.h"
QTEST_MAIN(tst_resumecopy)
#include "tst_resumecopy.moc"
