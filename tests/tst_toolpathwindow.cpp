// The dry run in the main window: the panel and the toolpath point at each other's lines, the
// scrubber walks the run, the settings reach the run, and a burst of changes gives one run.
#include "core/headsmith/headertext.h"
#include "core/partfile/partfilereader.h"
#include "gui/batchmodes.h"
#include "gui/mainwindow/panelscrollarea.h"
#include "gui/mainwindow/panelview.h"
#include "gui/toolpath/dryruncontroller.h"
#include "gui/toolpath/toolpathdock.h"
#include "gui/toolpath/toolpathpanels.h"
#include "gui/toolpath/toolpathview.h"
#include "mainwindowfixture.h"
#include "shownastyped.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTextStream>
#include <QToolButton>

namespace {

// A 10 by 10 square at one depth, with a free command among its moves; worked out by hand with the
// default speeds: 0.25 + 0 + 2 + 4 x 10 + 0.5 = 42.75 s.
const QByteArray Square = "' Created using the Corvane Part File Stacker\r\n' a square\r\n'\r\n"
                          "JZ, , , 0.5   \r\nJ2, 0, 0   \r\nMZ, , , -0.5   \r\nM2, 10, 0   \r\nM2, 10, 10   \r\n"
                          "SPINDLE ON\r\nM2, 0, 10   \r\nM2, 0, 0   \r\nJZ, , , 0.5   \r\nEND\r\n";

// Where the tool is after each segment, from the start: X, Y, Z (the jog to where the tool already
// is makes no segment).
const QList<QVector3D> Ends = {{0, 0, 0.5},   {0, 0, -0.5}, {10, 0, -0.5}, {10, 10, -0.5},
                               {0, 10, -0.5}, {0, 0, -0.5}, {0, 0, 0.5}};

QByteArray header(int lines) {
    QByteArray h = headertext::HeaderStart.toLatin1() + "\r\n";
    for (int i = 2; i < lines; ++i)
        h += "' note " + QByteArray::number(i) + "\r\n";
    return h + headertext::HeaderEnd.toLatin1() + "\r\n";
}

QPoint middleOf(const ToolpathView& view, const dryrun::Segment& s) {
    const ToolpathProjection& p = view.scene().projection();
    return ((p.toScreen(s.from) + p.toScreen(s.to)) / 2).toPoint();
}

QString label(QWidget& w, const char* name) {
    auto* l = w.findChild<QLabel*>(QLatin1String(name));
    return l ? l->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

// Waits for the controller's next trace, as long as it takes: CTest's time-out is the guard.
void waitForTrace(QSignalSpy& spy, const DryRunController& controller) {
    while (spy.isEmpty() || controller.isBusy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace

class tst_toolpathwindow : public QObject, MainWindowFixture {
    Q_OBJECT

    std::unique_ptr<MainWindow> open(const QByteArray& content, const DialogRunner& runner = {}) {
        putBytes(path(QStringLiteral("square.cvp")), content);
        auto w = startWindow(runner, false, {}, path(QStringLiteral("square.cvp")));
        if (!w) return w;
        w->toolpathDock()->show();
        w->toolpathDock()->view()->resize(400, 400);
        w->dryRun().runNow();
        w->toolpathDock()->view()->fitToView();
        return w;
    }
    std::unique_ptr<MainWindow> openSquare(int headerLines, const DialogRunner& runner = {}) {
        return open((headerLines ? header(headerLines) : QByteArray()) + Square, runner);
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { resetFixture(); }

    void panelAndPathPointAtEachOther_data() {
        QTest::addColumn<int>("headerLines");
        QTest::newRow("no header") << 0;
        QTest::newRow("a kept header of 6 lines") << 6;
    }
    // Each row shows its own file line in the view, and a click on a segment makes the row that
    // wrote it current, whatever lines a kept header puts before the program.
    void panelAndPathPointAtEachOther() {
        QFETCH(int, headerLines);
        auto w = openSquare(headerLines);
        QVERIFY(w);
        QCOMPARE(model(*w).lineCount(), 10);
        const int firstRowLine = headerLines + 4; // the header, then three opening lines
        ToolpathView* view = w->toolpathDock()->view();
        PanelView* panel = w->scrollArea()->panel();
        for (int row = 1; row <= 10; ++row) {
            panel->setCurrentRow(row);
            QCOMPARE(view->currentLine(), (dryrun::LineRef{0, firstRowLine + row - 1}));
        }
        const std::shared_ptr<const dryrun::Trace> trace = w->dryRun().trace();
        QCOMPARE(int(trace->segments.size()), int(Ends.size()));
        for (const dryrun::Segment& s : trace->segments) {
            if (s.from.x == s.to.x && s.from.y == s.to.y) continue; // a point seen from the top
            panel->setCurrentRow(1);
            QTest::mouseClick(view, Qt::LeftButton, {}, middleOf(*view, s));
            QCOMPARE(panel->currentRow(), s.source.line - firstRowLine + 1);
        }
        // The free command is named with its line, and a click on it reaches its row.
        auto* list = w->toolpathDock()->findChild<QListWidget*>(QStringLiteral("lstNotSimulated"));
        QVERIFY(list && list->count() == 1);
        QVERIFY2(list->item(0)->text().contains(QStringLiteral("line %1:").arg(firstRowLine + 5)),
                 qPrintable(list->item(0)->text()));
        Q_EMIT list->itemActivated(list->item(0));
        QCOMPARE(panel->currentRow(), 6);
    }

    // An INPUT line's prompt reaches the answers table as typed, never as markup.
    void promptShowsAsTyped_data() { addMarkupRows(); }
    void promptShowsAsTyped() {
        QFETCH(QString, markup);
        auto w = open("' Created using the Corvane Part File Stacker\r\n' n\r\n'\r\nINPUT \"" + markup.toUtf8() +
                      "\" &d   \r\nMZ, , , &&d   \r\n");
        QVERIFY(w);
        InputAnswersTable* table = w->toolpathDock()->answersTable();
        QCOMPARE(table->rowCount(), 1);
        const QTableWidgetItem* prompt = table->item(0, InputAnswersTable::PromptColumn);
        QCOMPARE(prompt->text(), markup);
        QCOMPARE(shownAs(prompt->toolTip()), markup);
    }

    // Stepping back from the end, the scrubber shows where the tool was after each segment, and at
    // the end the run's whole time, the estimate's.
    void scrubberWalksTheRun() {
        auto w = openSquare(0);
        QVERIFY(w);
        ToolpathDock& dock = *w->toolpathDock();
        QCOMPARE(label(dock, "lblEstimate"), QStringLiteral("0:00:42.8"));
        QCOMPARE(label(dock, "lblRunTime"), QStringLiteral("0:00:42.8"));
        auto* back = dock.findChild<QToolButton*>(QStringLiteral("cmdStepBack"));
        QVERIFY(back);
        for (qsizetype i = Ends.size() - 1; i >= 0; --i) {
            const QVector3D e = Ends[i];
            // In the file's unit; A and B left out, since the square never turns them.
            QCOMPARE(label(dock, "lblToolPosition"), QStringLiteral("X %1 in  Y %2 in  Z %3 in")
                                                         .arg(e.x(), 0, 'f', 3)
                                                         .arg(e.y(), 0, 'f', 3)
                                                         .arg(e.z(), 0, 'f', 3));
            back->click();
        }
        QCOMPARE(label(dock, "lblToolPosition"), QStringLiteral("X 0.000 in  Y 0.000 in  Z 0.000 in"));
        QCOMPARE(label(dock, "lblRunTime"), QStringLiteral("0:00:00.0"));
    }

    void settingsReachTheRun_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("estimate");
        QTest::addColumn<int>("warnings");
        QTest::newRow("moves twice as fast") << QStringList{"txtMoveXY=2"} << true << "0:00:22.8" << 0;
        QTest::newRow("a decimal comma") << QStringList{"txtMoveZ=1,0"} << true << "0:00:41.8" << 0;
        QTest::newRow("a table the square leaves")
            << QStringList{"txtTableX=5", "txtTableY=20"} << true << "0:00:42.8" << 1;
        QTest::newRow("a step limit the run meets") << QStringList{"txtStepLimit=8"} << true << "0:00:22.3" << 1;
        // The square's numbers taken as millimetres, cut at 1 in/s = 25.4 mm/s: 42.75 / 25.4 s.
        QTest::newRow("settings in millimetres") << QStringList{"cmbUnit=1"} << true << "0:00:01.7" << 0;
        QTest::newRow("a V bit") << QStringList{"cmbToolShape=1", "txtToolAngle=60", "txtVBitDiameter=0.75"} << true
                                 << "0:00:42.8" << 0;
        QTest::newRow("a V bit of 180 degrees refused")
            << QStringList{"cmbToolShape=1", "txtToolAngle=180"} << false << "0:00:42.8" << 0;
        QTest::newRow("zero refused") << QStringList{"txtMoveXY=0"} << false << "0:00:42.8" << 0;
        QTest::newRow("a step limit past the most refused")
            << QStringList{"txtStepLimit=1000000000000"} << false << "0:00:42.8" << 0;
        QTest::newRow("text refused") << QStringList{"txtJogZ=fast"} << false << "0:00:42.8" << 0;
        QTest::newRow("a table of text refused") << QStringList{"txtTableX=wide"} << false << "0:00:42.8" << 0;
    }
    // What the operator types reaches the run, is refused with the field named, and stays set for
    // the next start.
    void settingsReachTheRun() {
        QFETCH(QStringList, typed);
        QFETCH(bool, taken);
        QFETCH(QString, estimate);
        QFETCH(int, warnings);
        QString problem;
        const DialogRunner runner = [&](QDialog& dialog) {
            for (const QString& field : typed) {
                auto* edit = dialog.findChild<QLineEdit*>(field.section(u'=', 0, 0));
                auto* box = dialog.findChild<QComboBox*>(field.section(u'=', 0, 0));
                if (!edit && !box) return false;
                if (edit) edit->setText(field.section(u'=', 1));
                if (box) box->setCurrentIndex(field.section(u'=', 1).toInt());
            }
            dialog.accept();
            problem = label(dialog, "lblSettingsProblem");
            return dialog.result() == QDialog::Accepted;
        };
        auto w = openSquare(0, runner);
        QVERIFY(w);
        QSignalSpy traces(&w->dryRun(), &DryRunController::traceReady);
        button(*w, "cmdDryRunSettings")->click();
        if (taken) waitForTrace(traces, w->dryRun());
        QCOMPARE(problem.isEmpty(), taken);
        if (!taken) QVERIFY2(problem.contains(QStringLiteral(" must be ")), qPrintable(problem));
        QCOMPARE(label(*w->toolpathDock(), "lblRunTime"), estimate);
        const auto dryRunWarnings = std::count_if(w->findings().begin(), w->findings().end(),
                                                  [](const checker::Finding& f) { return f.rule == "dry-run"; });
        QCOMPARE(dryRunWarnings > 0, warnings > 0);

        // The next start runs with what was taken.
        w.reset();
        QStringList shown;
        const DialogRunner look = [&](QDialog& dialog) {
            for (const QString& field : typed) {
                const QString name = field.section(u'=', 0, 0);
                auto* box = dialog.findChild<QComboBox*>(name);
                shown << name + u'=' +
                             (box ? QString::number(box->currentIndex()) : dialog.findChild<QLineEdit*>(name)->text());
            }
            return false;
        };
        w = startWindow(look, false, {}, path(QStringLiteral("square.cvp")));
        button(*w, "cmdDryRunSettings")->click();
        QCOMPARE(shown == typed, taken && !typed.first().contains(u','));
    }

    // The status bar counts what --check prints for the same file: a missing label that the checker
    // and the dry run both find is one error, a value that cannot be evaluated a warning, lines
    // ending in LF alone a note.
    void statusCountsAsCheckDoes() {
        auto w = open("' Created using the Corvane Part File Stacker\n' n\n'\nGOTO nowhere:   \nMX, 1e3\nEND\n");
        QVERIFY(w);
        w->updateChecks();
        QString printed, errors;
        QTextStream out(&printed), err(&errors);
        QCOMPARE(runCheck(parseCommandLine({"cvstacker", "--check", path(QStringLiteral("square.cvp"))}), out, err), 1);
        QStringList words;
        for (const QString& line : printed.split(u'\n', Qt::SkipEmptyParts))
            words << line.section(QStringLiteral(": "), 1, 1);
        QCOMPARE(words, (QStringList{"error", "warning", "note"}));
        QCOMPARE(w->findChild<QToolButton*>(QStringLiteral("problemsCount"))->text(),
                 QStringLiteral("1 error, 1 warning, 1 note"));
        // Once saved, every line ends in CR LF and nothing more will change.
        QVERIFY(w->document().save().ok);
        w->updateChecks();
        QCOMPARE(w->findChild<QToolButton*>(QStringLiteral("problemsCount"))->text(),
                 QStringLiteral("1 error, 1 warning"));
    }

    // Changes made one after another without the event loop in between give one run, of the last
    // program, whatever the debounce.
    void aBurstOfChangesGivesOneRunOfTheLast() {
        auto w = open(Square.chopped(int(qstrlen("END\r\n"))));
        QVERIFY(w);
        DryRunController& controller = w->dryRun();
        QSignalSpy traces(&controller, &DryRunController::traceReady);
        for (int i = 1; i <= 6; ++i) {
            w->document().addLine(Kind::Move, ComposedLine{QStringLiteral("MX, %1   ").arg(i * 10), {}, {}});
        }
        waitForTrace(traces, controller);
        QCoreApplication::processEvents();
        QCOMPARE(traces.size(), 1);
        const dryrun::Trace& trace = *controller.trace();
        // The last segment goes to X 60, six moves of 10 to 60 at 1 unit per second after the square.
        QCOMPARE(trace.segments.back().to.x, 60.0);
        QCOMPARE(trace.totalTime, 42.75 + 60);
    }
};

#include "testmain.h"
QTEST_MAIN(tst_toolpathwindow)
#include "tst_toolpathwindow.moc"
