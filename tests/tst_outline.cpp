// The outline: its lines lift first and trace the extent's rectangle at the safe Z, over generated
// extents; inserting lines keeps the panel's layout and is one undo step; the Tools command in the
// window, inserted, saved apart, and refused.
#include "core/dryrun/outline.h"
#include "core/language/linesyntax.h"
#include "core/language/statement.h"
#include "core/numberbox.h"
#include "core/partfile/partfilereader.h"
#include "gui/tools/outlinedialog.h"
#include "mainwindowfixture.h"
#include "onwindows.h"

#include "gui/mainwindow/panelscrollarea.h"
#include "gui/mainwindow/panelview.h"
#include "gui/toolpath/dryruncontroller.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QUndoStack>

#include <cmath>

using namespace dryrun;

namespace {

struct Lcg {
    quint32 state;
    int next(int bound) {
        state = state * 1103515245u + 12345u;
        return int((state >> 16) % quint32(bound));
    }
    double coordinate() { return (next(2000001) - 1000000) / 1000.0 + next(7) * 1e-7; }
};

Extent extentOf(double x0, double x1, double y0, double y1, double z0, double z1) {
    Extent e;
    e.empty = false;
    e.x = {std::min(x0, x1), std::max(x0, x1)};
    e.y = {std::min(y0, y1), std::max(y0, y1)};
    e.z = {std::min(z0, z1), std::max(z0, z1)};
    return e;
}

bool near(double a, double b) {
    return std::abs(a - b) <= 5e-7 + 1e-12 * std::abs(a);
}

ProgramModel::LabelWidth sixPixels() {
    return [](const QString& s) { return int(s.size()) * 6; };
}

} // namespace

class tst_outline : public QObject, MainWindowFixture {
    Q_OBJECT

    QString m_safeZ;
    bool m_separate = false;
    int m_dialogs = 0;

    bool answer(QDialog& d) {
        auto* dialog = qobject_cast<OutlineDialog*>(&d);
        if (!dialog || m_safeZ.isNull()) return false;
        ++m_dialogs;
        d.findChild<QLineEdit*>(QStringLiteral("txtSafeZ"))->setText(m_safeZ);
        d.findChild<QRadioButton*>(QStringLiteral("optOutlineFile"))->setChecked(m_separate);
        dialog->pressDone();
        return d.result() == QDialog::Accepted;
    }

    std::unique_ptr<MainWindow> windowOn(const QStringList& lines) {
        QByteArray file;
        for (const QString& l : QStringList{partfile::CreatedLine, partfile::NoticeLine, partfile::ThirdLine} + lines)
            file += l.toLatin1() + "\r\n";
        putBytes(path(QStringLiteral("job.cvp")), file);
        return startWindow([this](QDialog& d) { return answer(d); }, false, {}, path(QStringLiteral("job.cvp")));
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        resetFixture();
        m_safeZ = QString();
        m_separate = false;
        m_dialogs = 0;
    }

    // Run through the dry run, the lines go up to the safe Z first, visit the four corners of the
    // extent at that Z, close the rectangle, and end where asked; each is a jog the Jog dialog writes.
    void linesTraceTheExtent_data() {
        QTest::addColumn<double>("x0");
        QTest::addColumn<double>("x1");
        QTest::addColumn<double>("y0");
        QTest::addColumn<double>("y1");
        QTest::addColumn<double>("safeZ");
        QTest::addColumn<bool>("hasBack");
        QTest::addColumn<double>("backX");
        QTest::addColumn<double>("backY");
        QTest::newRow("a point") << 2.0 << 2.0 << 3.0 << 3.0 << 1.0 << false << 0.0 << 0.0;
        QTest::newRow("a line along X, back to its end") << -1.0 << 4.0 << 0.5 << 0.5 << 0.25 << true << 4.0 << 0.5;
        QTest::newRow("back to the first corner") << 0.0 << 10.0 << 0.0 << 5.0 << 2.0 << true << 0.0 << 0.0;
        QTest::newRow("sums of tenths") << 0.1 << 0.1 + 0.2 << -0.7 << 0.3 << 0.6 << true << 0.2 << 0.0;
        Lcg rng{7};
        for (int i = 0; i < 40; ++i) {
            const bool back = rng.next(2) == 1;
            QTest::addRow("generated %d", i)
                << rng.coordinate() << rng.coordinate() << rng.coordinate() << rng.coordinate()
                << std::abs(rng.coordinate()) << back << rng.coordinate() << rng.coordinate();
        }
    }
    void linesTraceTheExtent() {
        QFETCH(double, x0);
        QFETCH(double, x1);
        QFETCH(double, y0);
        QFETCH(double, y1);
        QFETCH(double, safeZ);
        QFETCH(bool, hasBack);
        QFETCH(double, backX);
        QFETCH(double, backY);
        const Extent e = extentOf(x0, x1, y0, y1, -0.5, safeZ);
        const std::optional<outline::Point> back =
            hasBack ? std::optional<outline::Point>(outline::Point{backX, backY}) : std::nullopt;
        const QStringList lines = outline::lines(e, safeZ, back);

        QVERIFY(lines.size() >= 2);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const statement::Statement st = statement::parse(lines[i]);
            QCOMPARE(st.kind, statement::Kind::Jog);
            QCOMPARE(linesyntax::composeAxes(u'J', linesyntax::fillAxes(u'J', lines[i])), lines[i]);
            QCOMPARE(st.axes[2].isEmpty(), i > 0); // only the first line moves Z
            if (i > 0) QVERIFY(lines[i] != lines[i - 1]);
        }

        // The lines run from a place below the safe Z, off the rectangle.
        const QString start = QStringLiteral("J3, %1, %2, -3\n").arg(outline::field(x1 + 7), outline::field(y0 - 5));
        const Trace t =
            run(programFromText(QStringLiteral("o.cvp"), {}, start + lines.join(u'\n')), Settings{}, {}, {});
        QVERIFY(t.notSimulated.isEmpty());
        std::vector<Segment> path(t.segments.begin() + 1, t.segments.end());
        QVERIFY(!path.empty());
        // Up first, in Z alone.
        QCOMPARE(path.front().to.x, path.front().from.x);
        QCOMPARE(path.front().to.y, path.front().from.y);
        QVERIFY(near(path.front().to.z, safeZ));
        QList<outline::Point> visited;
        for (const Segment& s : path) {
            QVERIFY(near(s.to.z, safeZ));
            QVERIFY(s.jog);
            visited << outline::Point{s.to.x, s.to.y};
        }
        visited.removeFirst();
        // The corners in order, closed at the first, then back where asked; a jog to where the tool
        // stands already is no segment.
        QList<outline::Point> route{
            {e.x.min, e.y.min}, {e.x.max, e.y.min}, {e.x.max, e.y.max}, {e.x.min, e.y.max}, {e.x.min, e.y.min}};
        if (hasBack) route << outline::Point{backX, backY};
        QList<outline::Point> expected;
        for (const outline::Point& p : route)
            if (expected.isEmpty() || !near(expected.last().x, p.x) || !near(expected.last().y, p.y)) expected << p;
        QCOMPARE(visited.size(), expected.size());
        for (qsizetype i = 0; i < visited.size(); ++i)
            QVERIFY2(near(visited[i].x, expected[i].x) && near(visited[i].y, expected[i].y),
                     qPrintable(QStringLiteral("point %1").arg(i)));
    }

    // Inserting keeps every other line where it stood, the ones below moved down by the new lines
    // only, and is one step that undo takes back whole.
    void insertLinesKeepsTheLayout_data() {
        QTest::addColumn<int>("seed");
        for (int seed = 1; seed <= 30; ++seed)
            QTest::addRow("program %d", seed) << seed;
    }
    void insertLinesKeepsTheLayout() {
        QFETCH(int, seed);
        Lcg rng{quint32(seed)};
        PartDocument doc(sixPixels());
        ProgramModel& m = doc.model();
        const Kind kinds[] = {Kind::Move, Kind::Jog, Kind::Comment, Kind::Blank, Kind::Label, Kind::GoSub};
        const int count = rng.next(40);
        for (int i = 0; i < count; ++i) {
            const Kind k = kinds[rng.next(6)];
            const QString text = QStringLiteral("L%1").arg(i);
            k == Kind::GoSub ? m.addGoSub(QStringLiteral("GOSUB %1:").arg(text), text + u':')
                             : m.add(k, text, QString());
        }
        const QList<ProgramLine> before = m.lines();
        const int n = m.lineCount();
        std::vector<int> tops;
        for (int r = 1; r <= n; ++r)
            tops.push_back(m.row(r).top);
        const ProgramModel::Snapshot snapshot = m.snapshot();
        const int row = 1 + rng.next(n + 1);
        std::vector<LoadedLine> added;
        const int adding = 1 + rng.next(8);
        for (int i = 0; i < adding; ++i)
            added.push_back({i % 2 ? Kind::Jog : Kind::Blank, QStringLiteral("N%1").arg(i), {}});
        const int steps = doc.undoStack()->count();

        const bool fits = n + adding <= ProgramModel::MaxLines;
        QCOMPARE(doc.insertLines(row, added, QStringLiteral("Insert")), fits);
        if (!fits) {
            QCOMPARE(m.snapshot(), snapshot);
            QCOMPARE(doc.undoStack()->count(), steps);
            return;
        }
        QCOMPARE(m.checkInvariants(), QString());
        QList<ProgramLine> expected = before;
        for (int i = 0; i < adding; ++i)
            expected.insert(row - 1 + i, ProgramLine{added[std::size_t(i)].kind, added[std::size_t(i)].held, {}});
        QCOMPARE(m.lines(), expected);
        for (int r = 1; r <= n; ++r) {
            const int now = r < row ? r : r + adding;
            // Lines above stay; lines below move down, never further than the new lines need.
            const int moved = int(m.row(now).top) - tops[std::size_t(r - 1)];
            if (r < row)
                QCOMPARE(moved, 0);
            else
                QVERIFY2(moved >= 0 && moved <= adding * blocklayout::LineSpacing, qPrintable(QString::number(moved)));
            if (now > 1) QVERIFY(m.row(now).top > m.row(now - 1).top);
            const PanelBlock& b = m.block(m.row(now).kind, m.row(now).blockIndex);
            QCOMPARE(int(b.shape.top), int(m.row(now).top));
        }
        QCOMPARE(doc.undoStack()->count(), steps + 1);
        QCOMPARE(doc.undoStack()->undoText(), QStringLiteral("Insert"));
        doc.undoStack()->undo();
        QCOMPARE(m.lines(), before);
        QVERIFY(!ProgramModel::programDiffers(m.snapshot(), snapshot));
    }

    // Tools > Trace the outline in the window: the lines go after the current line as one step, and
    // the lines after them start from the X and Y they started from before.
    void outlineInsertedInTheWindow_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("typed");
        QTest::newRow("as opened: after the first line") << 0 << "1.5";
        QTest::newRow("inside the program, a comma for the point") << 3 << " 0,75 ";
        QTest::newRow("after the last line") << 5 << "1";
    }
    void outlineInsertedInTheWindow() {
        QFETCH(int, selected);
        QFETCH(QString, typed);
        const double safeZ = numberbox::read(typed).value();
        const QStringList program{"J2, 1, 1", "MZ, , , -0.5", "M2, 6, 1", "M2, 6, 4", "JZ, , , 0.5"};
        auto w = windowOn(program);
        const int lines = model(*w).lineCount();
        QCOMPARE(lines, 5);
        if (selected > 0) model(*w).select(model(*w).row(selected).kind, model(*w).row(selected).blockIndex);
        const int after = selected > 0 ? selected : 1;
        const dryrun::Program before =
            partfile::dryRunProgram(model(*w), w->document().kept(), QStringLiteral("job.cvp"), w->document().folder());
        Settings watching;
        watching.watchLine = after + 4;
        const Trace original = run(before, watching, {}, {});
        const int steps = w->document().undoStack()->count();

        m_safeZ = typed;
        m_platform.asked.clear();
        action(*w, "mnuTraceOutline")->trigger();
        QCOMPARE(m_dialogs, 1);
        QCOMPARE(m_platform.messageTexts(), QStringList());

        const QStringList expected = outline::lines(original.extent, safeZ, outline::toolAt(original, after == lines));
        QStringList held = heldTexts(*w);
        QCOMPARE(held.mid(after, expected.size()), expected);
        held.remove(after, expected.size());
        QCOMPARE(held, program);
        QCOMPARE(w->document().undoStack()->count(), steps + 1);
        QCOMPARE(w->document().undoStack()->undoText(), QStringLiteral("Trace Outline"));
        QCOMPARE(w->scrollArea()->panel()->currentRow(), after + int(expected.size()));

        // After the outline the tool stands at the safe Z over the place it had left.
        const dryrun::Program now =
            partfile::dryRunProgram(model(*w), w->document().kept(), QStringLiteral("job.cvp"), w->document().folder());
        Settings next;
        next.watchLine = after + 4 + int(expected.size());
        const Trace t = run(now, next, {}, {});
        const Position at = !t.watched.empty() ? t.watched.front().position : t.segments.back().to;
        const Position was =
            !original.watched.empty() ? original.watched.front().position : original.segments.back().to;
        QCOMPARE(at.x, was.x);
        QCOMPARE(at.y, was.y);
        QCOMPARE(at.z, safeZ);

        w->document().undoStack()->undo();
        QCOMPARE(heldTexts(*w), program);
    }

    // Saved apart, refused, cancelled: the program stays as it was, and the user is told why.
    void outlineNotInserted_data() {
        QTest::addColumn<QStringList>("program");
        QTest::addColumn<QString>("safeZ");
        QTest::addColumn<bool>("separate");
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<QString>("told");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("file");
        QStringList full;
        for (int i = 0; i < 97; ++i)
            full << QStringLiteral("MX, %1").arg(i % 5);
        QTest::newRow("saved as its own part file")
            << QStringList{"M2, 1, 2", "M3, 4, 8, -1"} << "3" << true << 1 << "" << true << "outline.cvp";
        // Never written over the part file it came from: the name is refused, the choice cancelled.
        QTest::newRow("over the part file")
            << QStringList{"M2, 1, 2"} << "3" << true << 1 << "part file itself" << false << "job.cvp";
        QTest::newRow("through a link to the part file")
            << QStringList{"M2, 1, 2"} << "3" << true << 1 << "part file itself" << false << "link.cvp";
        QTest::newRow("nothing moves") << QStringList{"'just a comment", "PAUSE"} << "1" << false << 0
                                       << "moves the tool nowhere" << false << "";
        QTest::newRow("past 100 lines") << full << "1" << false << 1 << "room for 3 more of its 100" << false << "";
        QTest::newRow("dialog cancelled") << QStringList{"MX, 2"} << QString() << false << 0 << "" << false << "";
    }
    void outlineNotInserted() {
        QFETCH(QStringList, program);
        QFETCH(QString, safeZ);
        QFETCH(bool, separate);
        QFETCH(QString, told);
        QFETCH(bool, written);
        QFETCH(QString, file);
        auto w = windowOn(program);
        const QByteArray part = readAll(path(QStringLiteral("job.cvp")));
        const int steps = w->document().undoStack()->count();
        m_safeZ = safeZ;
        m_separate = separate;
        m_platform.asked.clear();
        const QString target = path(file);
        // Windows's QFile::link makes a shortcut, a file of its own that the program does not follow.
        if (file == QLatin1String("link.cvp") && (onWindows() || !QFile::link(path(QStringLiteral("job.cvp")), target)))
            QSKIP("This system makes no symbolic links");
        if (separate) m_platform.files << target << std::nullopt;
        action(*w, "mnuTraceOutline")->trigger();

        QTEST(m_dialogs, "dialogs");
        const QStringList messages = m_platform.messageTexts();
        QCOMPARE(messages.size(), told.isEmpty() ? 0 : 1);
        if (!told.isEmpty()) QVERIFY2(messages[0].contains(told), qPrintable(messages[0]));
        QCOMPARE(heldTexts(*w), program);
        QCOMPARE(w->document().undoStack()->count(), steps);
        QCOMPARE(readAll(path(QStringLiteral("job.cvp"))), part);
        if (!written) return;
        const partfilereader::ReadResult read = partfilereader::readFile(target);
        QVERIFY(read.ok);
        QStringList jogs;
        for (const LoadedLine& l : read.lines) {
            QCOMPARE(l.kind, Kind::Jog);
            jogs << l.held;
        }
        const Trace t = run(partfile::dryRunProgram(model(*w), w->document().kept(), QStringLiteral("job.cvp"), {}),
                            Settings{}, {}, {});
        QCOMPARE(jogs, outline::lines(t.extent, safeZ.toDouble(), std::nullopt));
    }
};

#include "testmain.h"
QTEST_MAIN(tst_outline)
#include "tst_outline.moc"
