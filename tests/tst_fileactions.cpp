// File > Open, Save As, the recent files and a part file named on the command line, driven through
// the real main window with a scripted user.
#include "gui/mainwindow/filecontroller.h"
#include "gui/mainwindow/firstrundialog.h"
#include "gui/mainwindow/panelscrollarea.h"
#include "gui/mainwindow/panelview.h"
#include "gui/mainwindow/programpanes.h"
#include "mainwindowfixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

namespace {

const QByteArray Opening = "' Created using the Corvane Part File Stacker\r\n"
                           "' Corvane Part File Stacker (c) Corvane; free to use and share, provided as is, without "
                           "warranty.\r\n'\r\n";
const QByteArray Header = "'' Header file created by Corvane Headsmith\r\n''\r\n'' Sign for the door\r\n"
                          "' End of header file\r\n\r\n";
const QByteArray Closing = "' Start of Closing file\r\n \r\nFP, close.cvp,,,,, 0\r\n \r\n' End of Closing file\r\n";

} // namespace

class tst_fileactions : public QObject, public MainWindowFixture {
    Q_OBJECT

    static QStringList held(MainWindow& w) { return heldTexts(w); }

    // A started main window (not a first run) on part file job.cvp, or on a file named to open.
    std::unique_ptr<MainWindow> started(const QString& startFile = {}) {
        auto w = startWindow([](QDialog&) { return false; }, false, QStringLiteral("job.cvp"), startFile);
        [&] {
            // The status bar names the part file from the start, however it was chosen.
            const auto* status = w->findChild<QLabel*>(QStringLiteral("lblStatusPath"));
            QVERIFY(status);
            QCOMPARE(status->text(), w->document().filePath());
        }();
        m_platform.asked.clear();
        return w;
    }

    // Unsaved work, as a toolbox add leaves it.
    void addUnsaved(MainWindow& w, const QString& text) { w.document().addLine(Kind::Move, ComposedLine{text}); }

    QStringList asked() const {
        QStringList out;
        for (const auto& a : m_platform.asked)
            out << a.what + QLatin1Char(':') + a.text.section(u'\n', 0, 0);
        return out;
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() { resetFixture(); }

    // Unsaved work is asked about first; the opened file then becomes the part file, shown from the top.
    // Cancel backs out of the whole Open.
    void openAsksAboutUnsavedWork_data() {
        QTest::addColumn<Platform::Answer>("reply");
        QTest::addColumn<bool>("choose");
        QTest::newRow("save, then open") << Platform::Answer::Yes << true;
        QTest::newRow("don't save, open") << Platform::Answer::No << true;
        QTest::newRow("don't save, cancel the dialog") << Platform::Answer::No << false;
        QTest::newRow("cancel the question") << Platform::Answer::Cancel << false;
    }
    void openAsksAboutUnsavedWork() {
        QFETCH(Platform::Answer, reply);
        QFETCH(bool, choose);
        const bool saveFirst = reply == Platform::Answer::Yes;
        const bool cancel = reply == Platform::Answer::Cancel;
        const QString other = path(QStringLiteral("other.cvp"));
        putBytes(other, Opening + "JX, 3   'slow\nEND\n");
        auto w = started();
        for (int i = 0; i < 40; ++i)
            addUnsaved(*w, QStringLiteral("MX, 1"));
        QScrollBar* bar = w->scrollArea()->scrollBar();
        bar->setValue(bar->maximum());
        QVERIFY(bar->value() > 0);
        m_platform.yesNoCancel << reply;
        if (saveFirst) m_platform.yesNo << false; // no header
        if (!cancel) m_platform.files << (choose ? std::optional<QString>(other) : std::nullopt);
        QCOMPARE(action(*w, "mnuOpen")->shortcut(), QKeySequence(QKeySequence::Open));
        action(*w, "mnuOpen")->trigger();

        QStringList expected{QStringLiteral("yesnocancel:Save all your hard work?")};
        if (saveFirst) expected << QStringLiteral("yesno:Do you want to add a header to this file?");
        if (!cancel) expected << QStringLiteral("open:Open a part file");
        QCOMPARE(asked(), expected);
        if (!cancel) {
            // The dialog opens beside the part file, on its name.
            QCOMPARE(m_platform.asked.last().title, w->document().folder());
            QCOMPARE(m_platform.asked.last().name, QStringLiteral("job.cvp"));
            QCOMPARE(m_platform.asked.last().filter, QStringLiteral(" Corvane (*.cvp)|*.cvp"));
        }
        QCOMPARE(QFile::exists(path(QStringLiteral("job.cvp"))), saveFirst);
        if (!choose) {
            QCOMPARE(held(*w), QStringList(40, QStringLiteral("MX, 1")));
            QCOMPARE(w->document().fileName(), QStringLiteral("job.cvp"));
            QVERIFY(w->document().isModified());
            QVERIFY(w->statusText().endsWith(QStringLiteral("Modified")));
            return;
        }
        QCOMPARE(held(*w), (QStringList{QStringLiteral("JX, 3"), QStringLiteral("END")}));
        QCOMPARE(w->document().filePath(), other);
        QCOMPARE(w->document().folder() + w->document().fileName(), other);
        QCOMPARE(w->document().fileName(), QStringLiteral("other.cvp"));
        QVERIFY(!w->document().isModified());
        QCOMPARE(w->statusText(), other);
        QCOMPARE(w->document().model().row(1).top, qint16(32));
        QCOMPARE(bar->value(), 0);
        QCOMPARE(w->scrollArea()->panel()->currentRow(), 1);
        QVERIFY(action(*w, "mnuSave")->isEnabled());
        QCOMPARE(w->files().recentFiles().value(0), other);
        QCOMPARE(w->windowTitle(), QStringLiteral("Corvane Part File Stacker"));
    }

    // A file that cannot be read is reported with its name and the reason; the panel keeps its lines.
    void unreadableFileKeepsThePanel_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // empty: not made
        QTest::addColumn<QString>("reason");
        QByteArray many;
        for (int i = 0; i < 101; ++i)
            many += "END\r\n";
        QTest::newRow("missing") << "gone.cvp" << QByteArray() << "no such file";
        QTest::newRow("folder") << "folder.cvp" << QByteArray() << "folder";
        QTest::newRow("NUL bytes") << "binary.cvp" << QByteArray("MX, 1\0\1\2", 8) << "NUL";
        QTest::newRow("101 lines") << "long.cvp" << many << "101";
    }
    void unreadableFileKeepsThePanel() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        const QString file = path(name);
        if (name == QLatin1String("folder.cvp")) QVERIFY(QDir().mkdir(file));
        if (!content.isEmpty()) putBytes(file, content);
        auto w = started();
        addUnsaved(*w, QStringLiteral("MX, 1"));
        m_platform.yesNo << false;
        m_platform.files << file;
        action(*w, "mnuOpen")->trigger();
        QCOMPARE(m_platform.asked.last().what, QStringLiteral("tell"));
        QVERIFY2(m_platform.asked.last().text.contains(file), qPrintable(m_platform.asked.last().text));
        QVERIFY2(m_platform.asked.last().text.contains(reason, Qt::CaseInsensitive),
                 qPrintable(m_platform.asked.last().text));
        QCOMPARE(held(*w), QStringList{QStringLiteral("MX, 1")});
        QCOMPARE(w->document().fileName(), QStringLiteral("job.cvp"));
        QVERIFY(w->document().isModified());
    }

    // Opened with Headsmith's header and closing block, a line dragged, saved without a new header:
    // the file differs from the old one only by the moved line.
    void headerAndClosingSurviveAnEdit() {
        const QString file = path(QStringLiteral("sign.cvp"));
        putBytes(file, Header + Opening + "MX, 1   \r\nMX, 2   \r\nMX, 3   \r\n" + Closing + "' mine\r\n");
        auto w = started(file);
        QCOMPARE(w->document().filePath(), file);
        QCOMPARE(asked(), QStringList()); // no name choice
        // The first line carried below the third.
        PanelView* panel = w->findChild<PanelView*>(QStringLiteral("picPanel"));
        panel->pointerPressed(LeftButton, 23, 40, {});
        panel->pointerMoved(LeftButton, 23, 110);
        panel->pointerMoved(LeftButton, 23, 110);
        panel->pointerReleased(LeftButton, 23, 110);
        QVERIFY(w->document().isModified());
        m_platform.yesNo << false;
        action(*w, "mnuSave")->trigger();
        QCOMPARE(readAll(file), Header + Opening + "MX, 2   \r\nMX, 3   \r\nMX, 1   \r\n" + Closing + "' mine\r\n");
    }

    // Save As writes under the new name and names the File call lines whose files the new folder lacks.
    void saveAsReportsRelativeFileCalls() {
        auto w = started();
        putBytes(path(QStringLiteral("here.cvp")), "END\r\n");
        QVERIFY(QDir().mkdir(path(QStringLiteral("moved"))));
        putBytes(path(QStringLiteral("moved/there.cvp")), "END\r\n");
        w->document().model().add(Kind::FileCall, QStringLiteral("FP, here.cvp,,,,, 0"), {});
        w->document().model().add(Kind::FileCall, QStringLiteral("FP, there.cvp,,,,, 0"), {});
        w->document().model().add(Kind::FileCall, QStringLiteral("FP, %1,,,,, 1").arg(path(QStringLiteral("here.cvp"))),
                                  {});
        const QString target = path(QStringLiteral("moved/new.cvp"));
        m_platform.files << target;
        m_platform.yesNo << false; // no header
        const QString folder = w->document().folder();
        action(*w, "mnuSaveAs")->trigger();
        // The dialog starts beside the part file, on its name.
        QCOMPARE(m_platform.asked.first().title, folder);
        QCOMPARE(m_platform.asked.first().name, QStringLiteral("job.cvp"));
        QCOMPARE(w->document().filePath(), target);
        QCOMPARE(w->document().fileName(), QStringLiteral("new.cvp"));
        QVERIFY(readAll(target).contains("FP, there.cvp"));
        QVERIFY(!QFile::exists(path(QStringLiteral("job.cvp"))));
        const QString told = m_platform.asked.last().text;
        QCOMPARE(m_platform.asked.last().what, QStringLiteral("tell"));
        QVERIFY2(told.contains(QStringLiteral("line 1: FP, here.cvp,,,,, 0")), qPrintable(told));
        QVERIFY(!told.contains(QStringLiteral("there.cvp")));
        QVERIFY(!told.contains(QStringLiteral("line 3")));

        // Within the same folder nothing is reported.
        m_platform.asked.clear();
        m_platform.files << path(QStringLiteral("moved/again.cvp"));
        m_platform.yesNo << false;
        action(*w, "mnuSaveAs")->trigger();
        QCOMPARE(asked(), (QStringList{"save:Select a name for the Part File that you will be assembling.",
                                       "yesno:Do you want to add a header to this file?"}));
    }

    // A recent file that was deleted is reported and leaves the list; the others open.
    void recentFileThatWasDeleted() {
        const QString a = path(QStringLiteral("a.cvp"));
        const QString b = path(QStringLiteral("b.cvp"));
        putBytes(a, "MX, 1   \r\n");
        putBytes(b, "MX, 2   \r\n");
        auto w = started();
        QVERIFY(w->files().openFile(a));
        QVERIFY(w->files().openFile(b));
        QCOMPARE(w->files().recentFiles(), (QStringList{b, a}));
        QVERIFY(QFile::remove(a));
        m_platform.asked.clear();
        w->findChild<QAction*>(QStringLiteral("mnuRecent_2"))->trigger();
        QCOMPARE(asked(), QStringList{QStringLiteral("tell:The part file")});
        QVERIFY(m_platform.asked.last().text.contains(a));
        QCOMPARE(w->files().recentFiles(), QStringList{b});
        QCOMPARE(w->document().filePath(), b);
        QVERIFY(!w->findChild<QAction*>(QStringLiteral("mnuRecent_2")));
        for (int i = 0; i < 8; ++i) {
            const QString f = path(QStringLiteral("r%1.cvp").arg(i));
            putBytes(f, "END\r\n");
            QVERIFY(w->files().openFile(f));
        }
        QCOMPARE(w->files().recentFiles().size(), 6);
        QCOMPARE(w->files().recentFiles().first(), path(QStringLiteral("r7.cvp")));
    }

    // A file named on the command line replaces the name choice, on a first run too (the first-run
    // window explains a choice that is already made); one that cannot be read is reported and the
    // name choice follows.
    void fileNamedOnTheCommandLine() {
        const QString bad = path(QStringLiteral("missing.cvp"));
        putBytes(path(QStringLiteral("stacker.ini")), "advanced = 0\r\n");
        m_platform.files << path(QStringLiteral("chosen.cvp"));
        {
            MainWindow w(m_platform);
            w.setStartFile(bad);
            QVERIFY(w.start());
            QCOMPARE(asked(), (QStringList{"tell:The part file could not be opened:",
                                           "save:Select a name for the Part File that you will be assembling."}));
            QCOMPARE(w.document().fileName(), QStringLiteral("chosen.cvp"));
        }
        QFile::remove(path(QStringLiteral("stacker.ini")));
        m_platform.asked.clear();
        const QString good = path(QStringLiteral("good.cvp"));
        putBytes(good, "PAUSE\r\n");
        QStringList windows;
        MainWindow w(m_platform);
        w.setDialogRunner([&windows](QDialog& d) {
            windows << d.objectName();
            return false;
        });
        w.setStartFile(good);
        QVERIFY(w.start());
        QCOMPARE(windows, QStringList());
        QCOMPARE(asked(), QStringList());
        QCOMPARE(held(w), QStringList{QStringLiteral("PAUSE")});
        QCOMPARE(w.document().filePath(), good);
        QVERIFY2(!action(w, "mnuUndo")->isEnabled(), "the file opened at start-up is where the history starts");

        // A first run whose file cannot be read: the reason, then the first-run window and the choice.
        QFile::remove(path(QStringLiteral("stacker.ini")));
        m_platform.asked.clear();
        m_platform.files << path(QStringLiteral("named.cvp"));
        windows.clear();
        MainWindow again(m_platform);
        again.setDialogRunner([&windows](QDialog& d) {
            windows << d.objectName();
            return false;
        });
        again.setStartFile(bad);
        QVERIFY(again.start());
        QCOMPARE(windows, QStringList{QStringLiteral("frmGetStarted")});
        QCOMPARE(asked(), (QStringList{"tell:The part file could not be opened:",
                                       "save:Select a name for the Part File that you will be assembling."}));
    }

    // Open is one step; undoing it brings back the program and the part file it belonged to, so a
    // save never writes one file's program under the other's name.
    void openIsUndoneWithItsFile() {
        const QString other = path(QStringLiteral("other.cvp"));
        putBytes(other, Opening + "JX, 3\r\n");
        auto w = started();
        addUnsaved(*w, QStringLiteral("MX, 1"));
        m_platform.yesNo << false; // don't save first
        m_platform.files << other;
        action(*w, "mnuOpen")->trigger();
        QCOMPARE(action(*w, "mnuUndo")->text(), tr("&Undo Open File"));

        action(*w, "mnuUndo")->trigger();
        QCOMPARE(held(*w), QStringList{QStringLiteral("MX, 1")});
        QCOMPARE(w->document().fileName(), QStringLiteral("job.cvp"));
        QVERIFY(w->document().isModified());
        QVERIFY(w->statusText().endsWith(QStringLiteral("Modified")));

        action(*w, "mnuRedo")->trigger();
        QCOMPARE(held(*w), QStringList{QStringLiteral("JX, 3")});
        QCOMPARE(w->document().filePath(), other);
        QVERIFY(!w->document().isModified());
        QCOMPARE(w->statusText(), other);
    }

    // A part file changed on disk since it was opened or saved is not overwritten unasked: No leaves
    // it as the other program left it; Yes writes the panel's lines, keeping the header and closing
    // block as they now stand. A file that vanished cannot give its header back: nothing is written.
    void saveAsksBeforeReplacingAChangedFile_data() {
        QTest::addColumn<QByteArray>("onDisk"); // what another program leaves in the file after Open
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QByteArray>("saved"); // the file after Save; empty: not there
        const QByteArray lines = "MX, 1   \r\nMX, 2   \r\n";
        const QByteArray appended = Header + Opening + lines + Closing + "' appended\r\n";
        QTest::newRow("appended, keep theirs") << appended << false << appended;
        QTest::newRow("appended, replace") << appended << true << Header + Opening + lines + Closing + "' appended\r\n";
        const QByteArray newHeader = QByteArray(Header).replace("Sign for the door", "Sign for the gate");
        QTest::newRow("new header, replace") << newHeader + Opening + "MX, 9   \r\n"
                                             << true << newHeader + Opening + lines;
        QTest::newRow("removed") << QByteArray() << true << QByteArray();
    }

    void saveAsksBeforeReplacingAChangedFile() {
        QFETCH(QByteArray, onDisk);
        QFETCH(bool, answer);
        QFETCH(QByteArray, saved);
        const QString file = path(QStringLiteral("sign.cvp"));
        putBytes(file, Header + Opening + "MX, 1   \r\n" + Closing);
        auto w = started(file);
        addUnsaved(*w, QStringLiteral("MX, 2"));
        // A later modification time, as another program's write leaves it.
        QFile::remove(file);
        if (!onDisk.isEmpty()) putBytes(file, onDisk);
        m_platform.yesNo << answer << false; // replace?, then no new header
        action(*w, "mnuSave")->trigger();
        QCOMPARE(readAll(file), saved.isEmpty() ? QByteArray("<missing>") : saved);
        if (onDisk.isEmpty()) {
            QCOMPARE(asked().value(0).section(u':', 0, 0), QStringLiteral("tell"));
            QVERIFY(w->document().isModified());
            return;
        }
        QVERIFY(!m_platform.asked.isEmpty());
        QVERIFY2(m_platform.asked.first().text.contains(QStringLiteral("has been changed by another program")),
                 qPrintable(m_platform.asked.first().text));
        QCOMPARE(w->document().isModified(), !answer);
        if (!answer) return;
        // Saved now: the next save asks nothing and writes the same.
        m_platform.asked.clear();
        m_platform.yesNo << false;
        action(*w, "mnuSave")->trigger();
        QCOMPARE(asked().size(), 1);
        QCOMPARE(readAll(file), saved);
    }

    // Undoing an Open brings back the earlier file's header and closing block with its program:
    // a save then writes them, not the other file's.
    void openUndoneKeepsTheEarlierKeptBlocks() {
        const QString sign = path(QStringLiteral("sign.cvp"));
        const QString plain = path(QStringLiteral("plain.cvp"));
        putBytes(sign, Header + Opening + "MX, 1   \r\n" + Closing);
        putBytes(plain, Opening + "JX, 3   \r\n");
        auto w = started(sign);
        m_platform.files << plain;
        action(*w, "mnuOpen")->trigger();
        QCOMPARE(w->document().kept().headLines(), qint64(0));
        action(*w, "mnuUndo")->trigger();
        QCOMPARE(w->document().filePath(), sign);
        QCOMPARE(w->document().kept().headLines(), qint64(5));
        addUnsaved(*w, QStringLiteral("MX, 2"));
        m_platform.yesNo << false;
        action(*w, "mnuSave")->trigger();
        QCOMPARE(readAll(sign), Header + Opening + "MX, 1   \r\nMX, 2   \r\n" + Closing);
        QCOMPARE(readAll(plain), Opening + "JX, 3   \r\n");
    }

    // What the part file keeps beside its program: the status bar counts it, the Part File Text pane
    // shows the whole file as Save writes it with the kept lines greyed (a long block by its ends),
    // and a click on a count shows that block in the pane.
    void keptBlocksShown_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("status"); // empty: the note is hidden
        QTest::addColumn<int>("skipped");    // lines of a long closing block left out of the pane
        QByteArray longClosing = "' Start of Closing file\r\n";
        for (int i = 0; i < 500; ++i)
            longClosing += "J2, " + QByteArray::number(i) + "\r\n";
        longClosing += "' End of Closing file\r\n";
        const QByteArray program = Opening + "MX, 1   \r\n";
        QTest::newRow("none") << program << QString() << 0;
        QTest::newRow("header") << Header + program << QStringLiteral("Header: 5 lines") << 0;
        QTest::newRow("closing block") << program + Closing << QStringLiteral("Closing block: 5 lines") << 0;
        QTest::newRow("both") << Header + program + Closing
                              << QStringLiteral("Header: 5 lines \u00b7 Closing block: 5 lines") << 0;
        QTest::newRow("long closing block, mark")
            << "\xEF\xBB\xBF" + program + longClosing + "\x1a" << QStringLiteral("Closing block: 502 lines") << 302;
    }

    void keptBlocksShown() {
        QFETCH(QByteArray, file);
        QFETCH(QString, status);
        QFETCH(int, skipped);
        const QString name = path(QStringLiteral("sign.cvp"));
        putBytes(name, file);
        auto w = started(name);
        KeptStatus* note = w->keptStatus();
        QCOMPARE(note->isVisibleTo(w.get()), !status.isEmpty());
        if (!status.isEmpty()) QCOMPARE(note->text(), status);
        ProgramTextView* view = w->textPane()->view();
        QStringList lines = view->lines();
        // The text shown is the file's lines; a long block stands for the lines it leaves out.
        QByteArray body = file;
        if (body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);
        if (body.endsWith('\x1a')) body.chop(1);
        QStringList expected = QString::fromLatin1(body).split(QStringLiteral("\r\n"));
        expected.removeLast();
        if (skipped > 0) {
            const qsizetype at = lines.indexOf(QStringLiteral("\u2026 %1 lines \u2026").arg(skipped));
            QVERIFY(at > 0);
            expected.remove(at, skipped);
            lines.removeAt(at);
            QCOMPARE(view->fileLine(int(at) + 1), qint64(at + skipped + 1));
        }
        QCOMPARE(lines, expected);
        const int program = int(expected.indexOf(QStringLiteral("MX, 1   ")));
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(view->isKept(i), i < program - 3 || i > program);
        if (status.isEmpty()) return;
        // A click on the right end of the note: the last block named, shown at the top of the pane.
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->textPane()->hide();
        QTest::mouseClick(note, Qt::LeftButton, {}, QPoint(note->width() - 2, note->height() / 2));
        QVERIFY(w->textPane()->isVisibleTo(w.get()));
        const QString shown = view->textCursor().block().text();
        QCOMPARE(shown, status.endsWith(QStringLiteral("Header: 5 lines")) ? QString::fromLatin1(Header.left(43))
                                                                           : QStringLiteral("' Start of Closing file"));
    }
};

#include "testmain.h"
QTEST_MAIN(tst_fileactions)
#include "tst_fileactions.moc"
