// Whole flows through the real main window: start-up, adding through the dialogs, dragging on the
// panel, saving, the pop-up menu, Reset and exit. Dialogs are answered by a scripted user.
#include "gui/about.h"
#include "gui/dialogs/commanddialog.h"
#include "gui/dialogs/inlinecommentdialog.h"
#include "gui/headsmith/headsmithwindow.h"
#include "gui/mainwindow/firstrundialog.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/mainwindow/panelscrollarea.h"
#include "gui/mainwindow/panelview.h"
#include "gui/mainwindow/programpanes.h"
#include "gui/toolpath/toolpathdock.h"
#include "mainwindowfixture.h"
#include "offscreenscreen.h"
#include "platform/platform.h"
#include "systemfiles.h"
#include "waiting.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QQueue>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>

#include <ranges>

namespace {

// One answer of the scripted user: which window is expected, what to type and tick, and whether
// to press Done or to close the window through its frame.
struct Answer {
    QString window;
    QList<QPair<QString, QString>> type;
    QStringList tick;
    bool closeInstead = false;
};

const QByteArray Opening = "' Created using the Corvane Part File Stacker\r\n"
                           "' Corvane Part File Stacker (c) Corvane; free to use and share, provided as is, without "
                           "warranty.\r\n'\r\n";

} // namespace

class tst_mainwindow : public QObject, public MainWindowFixture {
    Q_OBJECT

    QQueue<Answer> m_answers;
    QStringList m_windowsSeen;

    bool answer(QDialog& dialog) {
        m_windowsSeen << dialog.objectName();
        if (m_answers.isEmpty()) {
            QTest::qFail(qPrintable(QStringLiteral("unexpected window ") + dialog.objectName()), __FILE__, __LINE__);
            return false;
        }
        const Answer a = m_answers.dequeue();
        if (a.window != dialog.objectName()) {
            QTest::qFail(qPrintable(QStringLiteral("expected %1, got %2").arg(a.window, dialog.objectName())), __FILE__,
                         __LINE__);
            return false;
        }
        for (const auto& [name, text] : a.type) {
            auto* box = dialog.findChild<QLineEdit*>(name);
            if (!box) {
                QTest::qFail(qPrintable(QStringLiteral("no box ") + name), __FILE__, __LINE__);
                return false;
            }
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClicks(box, text);
        }
        for (const QString& name : a.tick)
            dialog.findChild<QCheckBox*>(name)->setChecked(true);
        auto* command = qobject_cast<CommandDialog*>(&dialog);
        if (a.closeInstead) {
            dialog.show();
            dialog.close();
            return command && command->doneRan();
        }
        if (auto* getStarted = qobject_cast<FirstRunDialog*>(&dialog)) {
            QTest::mouseClick(getStarted->findChild<QPushButton*>(QStringLiteral("cmdGetStarted")), Qt::LeftButton);
            return true;
        }
        if (command) {
            command->pressDone();
            return command->doneRan();
        }
        return false; // Headsmith: left without writing
    }

    // A started main window on part file "job.cvp" (or the name given).
    std::unique_ptr<MainWindow> started(bool firstRun = false, const QString& partFile = QStringLiteral("job.cvp")) {
        if (firstRun) m_answers << Answer{QStringLiteral("frmGetStarted"), {}, {}, false};
        auto w = startWindow([this](QDialog& d) { return answer(d); }, firstRun, partFile);
        w->show();
        return w;
    }

    PanelView* picPanel(MainWindow& w) { return w.findChild<PanelView*>(QStringLiteral("picPanel")); }

    void addMove(MainWindow& w, const QString& x, const QString& comment = {}) {
        Answer a{QStringLiteral("frmMove"), {{QStringLiteral("txtAxis_1"), x}}, {}, false};
        if (!comment.isEmpty()) {
            a.tick << QStringLiteral("chkInline");
            m_answers << a << Answer{QStringLiteral("frmInlineComment"), {{QStringLiteral("txtInline"), comment}}};
        } else {
            m_answers << a;
        }
        button(w, "cmdMove")->click();
    }

    void saveWithoutHeader(MainWindow& w) {
        m_platform.yesNo << false;
        action(w, "mnuSave")->trigger();
    }

public:
    // A large screen, and beside it one as small as a laptop's 1920 x 1080 at 150 %.
    static void initMain() { useOffscreenScreens({QRect(0, 0, 1920, 1200), SmallScreen}); }
    static constexpr QRect SmallScreen{1920, 0, 1280, 680};

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        resetFixture();
        m_answers.clear();
        m_windowsSeen.clear();
    }

    void cleanup() { QVERIFY2(m_answers.isEmpty(), "the scripted user had answers left"); }

    void firstRunShowsGetStarted() {
        auto w = started(true);
        QCOMPARE(m_windowsSeen, QStringList{QStringLiteral("frmGetStarted")});
        QCOMPARE(w->windowTitle(), QStringLiteral("Corvane Part File Stacker"));
        QCOMPARE(w->centralWidget()->size(), QSize(827, 635));
        QVERIFY(!action(*w, "mnuSave")->isEnabled());
        QVERIFY(!action(*w, "mnuReset")->isEnabled());
        QVERIFY(action(*w, "mnuBasic")->isChecked());
        QVERIFY(!action(*w, "mnuAdvanced")->isChecked());
        for (const char* name : {"cmdGoTo", "cmdInput", "cmdIfThen", "cmdEnd", "cmdLabel", "cmdVar", "cmdGoSub"})
            QVERIFY2(!button(*w, name)->isVisible(), name);
        for (const char* name : {"cmdMove", "cmdJog", "cmdBlank", "cmdFile", "cmdPause", "cmdSpeed", "cmdComment"})
            QVERIFY2(button(*w, name)->isVisible(), name);
        QCOMPARE(button(*w, "cmdFile")->geometry(), QRect(16, 152, 57, 33));
        QCOMPARE(button(*w, "cmdBlank")->toolTip(), QStringLiteral("Type a command that isn't included yet"));
        QCOMPARE(w->document().fileName(), QStringLiteral("job.cvp"));
        QCOMPARE(w->document().model().nextTop(), qint16(8));
        QVERIFY(!w->document().isModified());

        // Exit right after start-up asks nothing and writes the mode, per user: nothing new goes
        // beside the program.
        w->close();
        QCOMPARE(m_platform.messageTexts(), QStringList());
        QCOMPARE(readAll(userIni()), QByteArray("advanced = 0\r\n"));
        QVERIFY(!QFile::exists(path(QStringLiteral("stacker.ini"))));
    }

    void getStartedClosedThroughItsFrameStillChoosesAName() {
        m_answers << Answer{QStringLiteral("frmGetStarted"), {}, {}, true};
        m_platform.files << path(QStringLiteral("framed.cvp"));
        MainWindow w(m_platform);
        w.setDialogRunner([this](QDialog& d) { return answer(d); });
        QVERIFY(w.start());
        QCOMPARE(w.document().fileName(), QStringLiteral("framed.cvp"));
        QCOMPARE(m_platform.asked.size(), 1);
    }

    void givingUpEndsWithoutSettings() {
        m_answers << Answer{QStringLiteral("frmGetStarted"), {}, {}, false};
        m_platform.files << std::nullopt;
        m_platform.yesNo << false;
        {
            MainWindow w(m_platform);
            w.setDialogRunner([this](QDialog& d) { return answer(d); });
            QVERIFY(!w.start());
            w.close();
        }
        QVERIFY(!QFile::exists(path(QStringLiteral("stacker.ini"))));
        QVERIFY(!QFile::exists(userIni()));
    }

    void settingsSelectMode_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("advanced");
        QTest::newRow("advanced=1") << QByteArray("advanced=1") << true;
        QTest::newRow("blanks") << QByteArray("  advanced  =  1  \r\n") << true;
        QTest::newRow("capital") << QByteArray("Advanced = 1\r\n") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("no equals") << QByteArray("advanced\r\n") << false;
    }
    void settingsSelectMode() {
        QFETCH(QByteArray, ini);
        QFETCH(bool, advanced);
        QFile f(path(QStringLiteral("stacker.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ini);
        f.close();
        auto w = started();
        QVERIFY(m_windowsSeen.isEmpty()); // no first-run window once the file exists
        QCOMPARE(action(*w, "mnuAdvanced")->isChecked(), advanced);
        QCOMPARE(button(*w, "cmdVar")->isVisible(), advanced);
        QVERIFY(!button(*w, "cmdGoSub")->isVisible());

        // Exit writes the mode as it stands then.
        action(*w, advanced ? "mnuBasic" : "mnuAdvanced")->trigger();
        w->close();
        QCOMPARE(readAll(path(QStringLiteral("stacker.ini"))),
                 advanced ? QByteArray("advanced = 0\r\n") : QByteArray("advanced = 1\r\n"));
    }

    // Yes saves and ends, No ends without saving, Cancel (Escape, the close box) keeps the window
    // and the work as they were, and a later exit asks again.
    void exitQuestionAnswers_data() {
        QTest::addColumn<Platform::Answer>("reply");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("Yes") << Platform::Answer::Yes << Opening + "MX, 1   \r\nMX, 2   \r\n";
        QTest::newRow("No") << Platform::Answer::No << Opening + "MX, 1   \r\n";
        QTest::newRow("Cancel") << Platform::Answer::Cancel << Opening + "MX, 1   \r\n";
    }
    void exitQuestionAnswers() {
        QFETCH(Platform::Answer, reply);
        QFETCH(QByteArray, written);
        const bool cancel = reply == Platform::Answer::Cancel;
        auto w = started();
        addMove(*w, QStringLiteral("1"));
        QVERIFY(action(*w, "mnuSave")->isEnabled());
        QVERIFY(action(*w, "mnuReset")->isEnabled());
        QVERIFY(w->document().isModified());
        saveWithoutHeader(*w);
        QVERIFY(!w->document().isModified());
        addMove(*w, QStringLiteral("2"));
        m_platform.asked.clear();
        m_platform.yesNoCancel << reply;
        if (reply == Platform::Answer::Yes) m_platform.yesNo << false; // no header
        QCOMPARE(w->close(), !cancel);
        QCOMPARE(m_platform.asked.at(0).what, QStringLiteral("yesnocancel"));
        QCOMPARE(m_platform.asked.at(0).text, QStringLiteral("Save all your hard work?"));
        QCOMPARE(m_platform.asked.at(0).title, QStringLiteral("Save???"));
        QCOMPARE(w->isVisible(), cancel);
        QCOMPARE(readAll(path(QStringLiteral("job.cvp"))), written);
        if (!cancel) return;
        QCOMPARE(heldTexts(*w), (QStringList{QStringLiteral("MX, 1"), QStringLiteral("MX, 2")}));
        QVERIFY(w->document().isModified());
        QVERIFY(w->document().undoStack()->canUndo());
        m_platform.yesNoCancel << Platform::Answer::No;
        QVERIFY(w->close());
        QCOMPARE(m_platform.messageTexts().size(), 2);
        QCOMPARE(readAll(path(QStringLiteral("job.cvp"))), written);
    }

    void savedThenExitAsksNothing() {
        auto w = started();
        addMove(*w, QStringLiteral("1"));
        saveWithoutHeader(*w);
        m_platform.asked.clear();
        w->close();
        QCOMPARE(m_platform.asked.size(), 0);
    }

    void failedSaveKeepsWindowAndWork() {
        auto w = started();
        addMove(*w, QStringLiteral("1"));
        // The folder is gone: its path now runs through a regular file.
        QFile blocker(path(QStringLiteral("gone")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        w->document().setFilePath(path(QStringLiteral("gone/job.cvp")));
        action(*w, "mnuSave")->trigger();
        QCOMPARE(m_platform.asked.last().what, QStringLiteral("tell"));
        QVERIFY(m_platform.asked.last().text.contains(w->document().filePath()));
        QVERIFY(w->document().isModified());

        // Exit asks to save; the save fails again, so the window stays open with the work.
        m_platform.yesNo << true;
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        QCOMPARE(w->document().model().lineCount(), qint16(1));
        QVERIFY(m_platform.asked.last().text.contains(QStringLiteral("could not be saved")));

        // Once the folder is back the same exit saves and ends.
        w->document().setFilePath(path(QStringLiteral("job.cvp")));
        m_platform.yesNo << true << false; // save? yes; header? no
        QVERIFY(w->close());
        QCOMPARE(readAll(path(QStringLiteral("job.cvp"))), Opening + "MX, 1   \r\n");
    }

    // The part file's folder goes away while the user works (deleted, or its drive gone): the save
    // says so and names the file, the work stays on the panel, and saves again once the folder is back.
    void folderGoneBeforeSave() {
        QVERIFY(QDir().mkpath(path(QStringLiteral("jobs"))));
        auto w = started(false, QStringLiteral("jobs/job.cvp"));
        addMove(*w, QStringLiteral("1"));
        addMove(*w, QStringLiteral("2"), QStringLiteral("'two"));
        QVERIFY(QDir(path(QStringLiteral("jobs"))).removeRecursively());

        action(*w, "mnuSave")->trigger();
        QCOMPARE(m_platform.asked.last().what, QStringLiteral("tell"));
        const QString told = m_platform.asked.last().text;
        QVERIFY2(told.contains(path(QStringLiteral("jobs/job.cvp"))), qPrintable(told));
        QVERIFY2(told.contains(QStringLiteral("The folder %1 does not exist.").arg(path(QStringLiteral("jobs")))),
                 qPrintable(told));
        QVERIFY(w->document().isModified());
        QCOMPARE(w->document().model().lineCount(), qint16(2));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("jobs"))));

        QVERIFY(QDir().mkpath(path(QStringLiteral("jobs"))));
        saveWithoutHeader(*w);
        QVERIFY(!w->document().isModified());
        QCOMPARE(readAll(path(QStringLiteral("jobs/job.cvp"))), Opening + "MX, 1   \r\nMX, 2   'two\r\n");
    }

    void dialogClosedWithoutDoneAddsNothing() {
        auto w = started();
        addMove(*w, QStringLiteral("7"));
        m_answers << Answer{QStringLiteral("frmMove"), {{QStringLiteral("txtAxis_1"), QStringLiteral("9")}}, {}, true};
        button(*w, "cmdMove")->click();
        QCOMPARE(w->document().model().lineCount(), qint16(1));
        QCOMPARE(w->document().model().count(Kind::Move), qint16(1));
        QCOMPARE(w->document().model().nextTop(), qint16(32));
        // A fresh window: nothing added, nothing enabled.
        auto fresh = started();
        m_answers << Answer{QStringLiteral("frmComment"), {}, {}, true};
        button(*fresh, "cmdComment")->click();
        QCOMPARE(fresh->document().model().lineCount(), qint16(0));
        QVERIFY(!action(*fresh, "mnuSave")->isEnabled());
        QVERIFY(!fresh->document().isModified());
    }

    void addDragSaveFlow() {
        auto w = started();
        addMove(*w, QStringLiteral("1"), QStringLiteral("go home"));
        m_answers << Answer{QStringLiteral("frmJog"), {{QStringLiteral("txtAxis_2"), QStringLiteral("2")}}}
                  << Answer{QStringLiteral("frmComment"), {{QStringLiteral("txtComment"), QStringLiteral("done")}}};
        button(*w, "cmdJog")->click();
        button(*w, "cmdComment")->click();
        button(*w, "cmdEnd")->click();
        QCOMPARE(w->document().model().lineCount(), qint16(4));

        // Drag the Jog line (row 2, top 56) to the top row with real mouse events on the panel.
        PanelView* panel = picPanel(*w);
        const PanelBlock& jog = w->document().model().block(Kind::Jog, 1);
        const QPoint grab(static_cast<int>(jog.shape.left + jog.shape.width) - 4, 64);
        QTest::mousePress(panel, Qt::LeftButton, {}, grab);
        for (int y = 54; y >= 14; y -= 10)
            QTest::mouseMove(panel, QPoint(grab.x(), y));
        QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(grab.x(), 14));
        QCOMPARE(w->document().model().row(1).kind, Kind::Jog);

        saveWithoutHeader(*w);
        QCOMPARE(readAll(path(QStringLiteral("job.cvp"))),
                 Opening + "JY, , 2   \r\nMX, 1   'go home\r\n'done\r\nEND\r\n");
        QCOMPARE(m_platform.asked.last().text, QStringLiteral("Do you want to add a header to this file?"));
        QCOMPARE(m_platform.asked.last().title, QStringLiteral("Add a header"));
    }

    void headerYesOpensHeadsmith() {
        auto w = started();
        addMove(*w, QStringLiteral("1"));
        m_platform.yesNo << true;
        m_answers << Answer{QStringLiteral("frmHeader"), {}, {}, false};
        action(*w, "mnuSave")->trigger();
        QCOMPARE(m_windowsSeen.last(), QStringLiteral("frmHeader"));
        QVERIFY(!w->document().isModified());
    }

    void popupCopyDeleteEdit() {
        auto w = started();
        addMove(*w, QStringLiteral("1"), QStringLiteral("first"));
        addMove(*w, QStringLiteral("2"));
        PanelView* panel = picPanel(*w);
        const PanelBlock& second = w->document().model().block(Kind::Move, 2);
        const QPoint onSecond(static_cast<int>(second.shape.left + second.shape.width) - 4, 64);
        const PanelBlock& first = w->document().model().block(Kind::Move, 1);
        const QPoint onFirst(static_cast<int>(first.shape.left + first.shape.width) - 4, 40);

        // Right press on the first block, Copy from the pop-up.
        auto choose = [&](const char* item) {
            QTimer::singleShot(0, w.get(), [&w, item, this] {
                QMenu* menu = w->blockMenu();
                QVERIFY(menu->isVisible());
                action(*w, item)->trigger();
                menu->close();
            });
        };
        choose("mnuCopy");
        QTest::mousePress(panel, Qt::RightButton, {}, onFirst);
        QTest::mouseRelease(panel, Qt::RightButton, {}, onFirst);
        QCOMPARE(m_platform.clipboard, QStringList{QStringLiteral("MX, 1   'first")});

        // Edit the second through its dialog.
        m_answers << Answer{QStringLiteral("frmMove"), {{QStringLiteral("txtAxis_3"), QStringLiteral("5")}}};
        choose("mnuEdit");
        QTest::mousePress(panel, Qt::RightButton, {}, onSecond);
        QTest::mouseRelease(panel, Qt::RightButton, {}, onSecond);
        QCOMPARE(w->document().model().heldText(Kind::Move, 2), QStringLiteral("M3, 2, , 5"));

        // An edit closed without Done leaves the line as it was.
        m_answers << Answer{QStringLiteral("frmMove"), {{QStringLiteral("txtAxis_1"), QStringLiteral("8")}}, {}, true};
        w->editSelectedLine();
        QCOMPARE(w->document().model().heldText(Kind::Move, 2), QStringLiteral("M3, 2, , 5"));

        // Delete the first: asked, then gone; the second keeps its place.
        m_platform.yesNo << true;
        choose("mnuDelete");
        QTest::mousePress(panel, Qt::RightButton, {}, onFirst);
        QTest::mouseRelease(panel, Qt::RightButton, {}, onFirst);
        QCOMPARE(m_platform.asked.last().text, QStringLiteral("Are you sure you want to delete this command line?"));
        QCOMPARE(m_platform.asked.last().title, QStringLiteral("Are you sure?"));
        QCOMPARE(w->document().model().lineCount(), qint16(1));
        QCOMPARE(w->document().model().row(1).top, qint16(56));
        QVERIFY(action(*w, "mnuSave")->isEnabled());

        // Deleting the only line disables Save and Reset.
        m_platform.yesNo << true;
        w->deleteSelectedLine();
        QCOMPARE(w->document().model().lineCount(), qint16(0));
        QVERIFY(!action(*w, "mnuSave")->isEnabled());
        QVERIFY(!action(*w, "mnuReset")->isEnabled());
    }

    void changesAfterSaveAreUnsavedWork() {
        auto w = started();
        addMove(*w, QStringLiteral("1"));
        addMove(*w, QStringLiteral("2"));
        saveWithoutHeader(*w);
        QVERIFY(!w->document().isModified());

        // A drop onto its own row changes nothing to save; a new order does.
        PanelView* panel = picPanel(*w);
        panel->pointerPressed(LeftButton, 23, 64, {});
        panel->pointerMoved(LeftButton, 23, 67);
        panel->pointerReleased(LeftButton, 23, 67);
        QVERIFY(!w->document().isModified());
        panel->pointerPressed(LeftButton, 23, 64, {});
        panel->pointerMoved(LeftButton, 23, 14);
        panel->pointerReleased(LeftButton, 23, 14);
        QCOMPARE(w->document().model().row(1).blockIndex, qint16(2));
        QVERIFY(w->document().isModified());
        saveWithoutHeader(*w);

        // An edit whose Done gives back the same line is nothing new; a changed line is.
        PanelPointer(model(*w)).mouseDown(RightButton, 23, 16);
        m_answers << Answer{QStringLiteral("frmMove")};
        w->editSelectedLine();
        QVERIFY(!w->document().isModified());
        m_answers << Answer{QStringLiteral("frmMove"), {{QStringLiteral("txtAxis_1"), QStringLiteral("9")}}};
        w->editSelectedLine();
        QVERIFY(w->document().isModified());
        saveWithoutHeader(*w);

        m_platform.yesNo << true;
        w->deleteSelectedLine();
        QVERIFY(w->document().isModified());
        m_platform.asked.clear();
        m_platform.yesNo << false;
        w->close();
        QCOMPARE(m_platform.messageTexts(), QStringList{QStringLiteral("Save all your hard work?")});
    }

    void freeCommandIsEditedWhole() {
        auto w = started();
        m_answers << Answer{QStringLiteral("frmBlank"), {{QStringLiteral("txtBlank"), QStringLiteral("MX, 2 'home")}}};
        button(*w, "cmdBlank")->click();
        QCOMPARE(w->document().model().heldText(Kind::Blank, 1), QStringLiteral("MX, 2 "));
        saveWithoutHeader(*w);

        // The dialog shows the whole command; Done at once changes nothing.
        PanelPointer(model(*w)).mouseDown(RightButton, 23, 40);
        QString shown;
        m_answers << Answer{QStringLiteral("frmBlank")};
        w->setDialogRunner([this, &shown](QDialog& d) {
            shown = d.findChild<QLineEdit*>(QStringLiteral("txtBlank"))->text();
            return answer(d);
        });
        w->editSelectedLine();
        QCOMPARE(shown, QStringLiteral("MX, 2 'home"));
        QVERIFY(!w->document().isModified());

        m_answers << Answer{QStringLiteral("frmBlank"), {{QStringLiteral("txtBlank"), QStringLiteral("MY, 3 'away")}}};
        w->editSelectedLine();
        QCOMPARE(w->document().model().heldText(Kind::Blank, 1), QStringLiteral("MY, 3 "));
        QCOMPARE(w->document().model().block(Kind::Blank, 1).comment.caption, QStringLiteral("'away"));
        QVERIFY(w->document().isModified());
        saveWithoutHeader(*w);
        QCOMPARE(readAll(path(QStringLiteral("job.cvp"))), Opening + "MY, 3 'away\r\n");
    }

    void endCanBeDeletedButNotEdited() {
        auto w = started();
        button(*w, "cmdEnd")->click();
        const PanelBlock& end = w->document().model().block(Kind::End, 1);
        const QPoint onEnd(static_cast<int>(end.shape.left) + 3, 40);
        m_platform.yesNo << true;
        QTimer::singleShot(0, w.get(), [&w, this] {
            QVERIFY(!action(*w, "mnuEdit")->isEnabled());
            action(*w, "mnuDelete")->trigger();
            w->blockMenu()->close();
        });
        QTest::mousePress(picPanel(*w), Qt::RightButton, {}, onEnd);
        QCOMPARE(w->document().model().lineCount(), qint16(0));
    }

    // The exit question follows the undo history: back at the saved state nothing is unsaved.
    void undoFollowsSavedState_data() {
        QTest::addColumn<bool>("addAfterSave");
        QTest::addColumn<bool>("asks");
        QTest::newRow("add, save, add, undo") << true << false;
        QTest::newRow("add, save, undo") << false << true;
    }

    void undoFollowsSavedState() {
        QFETCH(bool, addAfterSave);
        QFETCH(bool, asks);
        auto w = started();
        addMove(*w, QStringLiteral("1"));
        saveWithoutHeader(*w);
        if (addAfterSave) addMove(*w, QStringLiteral("2"));
        QAction* undo = action(*w, "mnuUndo");
        QCOMPARE(undo->text(), QStringLiteral("&Undo Add Move"));
        QCOMPARE(undo->shortcut(), QKeySequence(QKeySequence::Undo));
        undo->trigger();
        QCOMPARE(action(*w, "mnuRedo")->text(), QStringLiteral("&Redo Add Move"));
        QCOMPARE(!w->document().isModified(), !asks);
        QCOMPARE(action(*w, "mnuSave")->isEnabled(), addAfterSave);
        m_platform.asked.clear();
        if (asks) m_platform.yesNo << false;
        w->close();
        QCOMPARE(m_platform.messageTexts(),
                 asks ? QStringList{QStringLiteral("Save all your hard work?")} : QStringList{});
    }

    // Reset, deletion and edit are steps too; each undo gives back the panel and the file it had.
    void everyChangeIsUndone() {
        auto w = started();
        addMove(*w, QStringLiteral("1"), QStringLiteral("first"));
        addMove(*w, QStringLiteral("2"));
        m_answers << Answer{QStringLiteral("frmGoSub"), {{QStringLiteral("txtGoSub"), QStringLiteral("sub")}}};
        button(*w, "cmdGoSub")->setVisible(true);
        const int before = w->document().undoStack()->count();
        button(*w, "cmdGoSub")->click();
        const int goSubSteps = w->document().undoStack()->count() - before;
        const QStringList menuNames = {QStringLiteral("Edit Line"), QStringLiteral("Delete Line"),
                                       QStringLiteral("Reset")};

        // Edit the first line, delete the GOSUB set, reset: three steps.
        w->document().model().select(Kind::Move, 1);
        const ProgramModel::Snapshot full = w->document().model().snapshot();
        m_answers << Answer{QStringLiteral("frmMove"), {{QStringLiteral("txtAxis_1"), QStringLiteral("9")}}}
                  << Answer{QStringLiteral("frmInlineComment"), {{QStringLiteral("txtInline"), QStringLiteral("f")}}};
        action(*w, "mnuEdit")->trigger();
        w->document().model().select(Kind::GoSub, 1);
        m_platform.yesNo << true;
        action(*w, "mnuDelete")->trigger();
        QCOMPARE(w->document().model().blocks(Kind::Return).size(), std::size_t(1));
        action(*w, "mnuReset")->trigger();
        QCOMPARE(w->document().model().lineCount(), qint16(0));
        for (const QString& name : std::as_const(menuNames) | std::views::reverse) {
            QCOMPARE(action(*w, "mnuUndo")->text(), QStringLiteral("&Undo ") + name);
            action(*w, "mnuUndo")->trigger();
        }
        QCOMPARE(goSubSteps, 1);
        QVERIFY(w->document().model().snapshot() == full);
        QCOMPARE(action(*w, "mnuUndo")->text(), QStringLiteral("&Undo Add GOSUB"));
        QCOMPARE(picPanel(*w)->height(), int(w->document().model().panelHeight()));
        m_platform.yesNo << false;
        w->close();
    }

    // The panel steered from the keyboard alone; the saved file after each step.
    void keyboardFlow() {
        auto w = started();
        for (const char* x : {"1", "2", "3"})
            addMove(*w, QString::fromLatin1(x));
        PanelView* panel = picPanel(*w);
        QCOMPARE(panel->currentRow(), 3);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        // Tab reaches the panel from the toolbox.
        w->findChild<QWidget*>(QStringLiteral("cmdJog"))->setFocus();
        for (int i = 0; i < 20 && QApplication::focusWidget() != panel; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), panel);
        const auto saved = [&](const QByteArray& lines) {
            saveWithoutHeader(*w);
            return readAll(path(QStringLiteral("job.cvp"))) == Opening + lines;
        };

        QTest::keyClick(panel, Qt::Key_Up);
        QTest::keyClick(panel, Qt::Key_Up);
        QTest::keyClick(panel, Qt::Key_Up); // stays on the first line
        QCOMPARE(panel->currentRow(), 1);
        QTest::keyClick(panel, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(panel->currentRow(), 2);
        QVERIFY(saved("MX, 2   \r\nMX, 1   \r\nMX, 3   \r\n"));
        QTest::keyClick(panel, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(panel->currentRow(), 3);
        QVERIFY(saved("MX, 2   \r\nMX, 3   \r\nMX, 1   \r\n"));
        QTest::keyClick(panel, Qt::Key_Down, Qt::ControlModifier); // already the last line
        QCOMPARE(action(*w, "mnuUndo")->text(), QStringLiteral("&Undo Move Line"));

        m_platform.asked.clear();
        m_platform.yesNo << true;
        QTest::keyClick(panel, Qt::Key_Delete);
        QCOMPARE(m_platform.messageTexts(),
                 QStringList{QStringLiteral("Are you sure you want to delete this command line?")});
        QVERIFY(saved("MX, 2   \r\nMX, 3   \r\n"));
        QTest::keyClick(panel, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->document().model().lineCount(), qint16(3));
        QVERIFY(saved("MX, 2   \r\nMX, 3   \r\nMX, 1   \r\n"));

        // The line the undo brought back is current again.
        QCOMPARE(panel->currentRow(), 3);
        QTest::keyClick(panel, Qt::Key_Up);
        m_answers << Answer{QStringLiteral("frmMove"), {{QStringLiteral("txtAxis_1"), QStringLiteral("7")}}};
        QTest::keyClick(panel, Qt::Key_Return);
        QVERIFY(saved("MX, 2   \r\nMX, 7   \r\nMX, 1   \r\n"));
        QTest::keyClick(panel, Qt::Key_End);
        QCOMPARE(panel->currentRow(), 3);
        m_answers << Answer{QStringLiteral("frmJog"), {{QStringLiteral("txtAxis_1"), QStringLiteral("6")}}};
        QTest::keyClick(panel, Qt::Key_J, Qt::AltModifier);
        QCOMPARE(panel->currentRow(), 4);
        QVERIFY(saved("MX, 2   \r\nMX, 7   \r\nMX, 1   \r\nJX, 6   \r\n"));
        // Alt+M is the toolbox's, not the Mode menu's mnemonic.
        m_answers << Answer{QStringLiteral("frmMove"), {{QStringLiteral("txtAxis_1"), QStringLiteral("8")}}};
        QTest::keyClick(panel, Qt::Key_M, Qt::AltModifier);
        QCOMPARE(panel->currentRow(), 5);
        QVERIFY(saved("MX, 2   \r\nMX, 7   \r\nMX, 1   \r\nJX, 6   \r\nMX, 8   \r\n"));
        QTest::keyClick(panel, Qt::Key_Up);
        QTest::keyClick(panel, Qt::Key_Up);
        QTest::keyClick(panel, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(m_platform.clipboard, QStringList{QStringLiteral("MX, 1   ")});
        m_platform.asked.clear();
        w->close();
        QCOMPARE(m_platform.asked.size(), 0);
    }

    // While a block is carried the drop line marks its landing row; near the visible bottom the panel
    // scrolls by itself and the block comes along.
    void dropLineAndAutoscroll() {
        auto w = started();
        for (int i = 0; i < 40; ++i)
            w->document().model().add(Kind::Move, QStringLiteral("X%1").arg(i), {});
        PanelView* panel = picPanel(*w);
        panel->refresh();
        auto* frame = w->findChild<PanelScrollArea*>(QStringLiteral("Picture1"));
        QScrollBar* scroll = frame->scrollBar();
        QVERIFY(scroll->maximum() > 0);
        QCOMPARE(scroll->value(), 0);

        const PanelShape first = w->document().model().block(Kind::Move, 1).shape;
        const QPoint grip(int(first.left) + 2, int(first.top) + 8);
        QTest::mousePress(panel, Qt::LeftButton, {}, grip);
        QCOMPARE(panel->dropLineTop(), -1);
        // Into the fourth row's band: the line marks row top 8 + 3 * 24.
        QTest::mouseMove(panel, QPoint(30, 8 + 3 * 24 + 10));
        QTest::mouseMove(panel, QPoint(30, 8 + 3 * 24 + 10));
        QCOMPARE(panel->dropLineTop(), 8 + 3 * 24);
        QCOMPARE(scroll->value(), 0);

        // Near the visible bottom: the view scrolls, and the drop line follows the rows brought in.
        QTest::mouseMove(panel, QPoint(30, frame->visibleHeight() - 6));
        waiting::until([&] { return scroll->value() >= 3 * PanelScrollArea::ArrowStep; });
        const int value = scroll->value();
        QVERIFY(panel->dropLineTop() >= value + frame->visibleHeight() - 30);
        QCOMPARE(panel->y(), -value);
        // Back in the middle the scrolling stops: a step would have come by now, however slow the
        // machine, had it gone on.
        QTest::mouseMove(panel, QPoint(30, value + 300));
        waiting::past(200);
        QCOMPARE(scroll->value(), value);
        QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(30, value + 300));
        QCOMPARE(panel->dropLineTop(), -1);
        QCOMPARE(w->document().model().checkInvariants(), QString());
        m_platform.yesNo << false;
        w->close();
    }

    // The window grows: the panel is seen taller, the scroll range follows, and the next start
    // comes back at the size left.
    void windowGrowsAndRemembersItsSize() {
        QSettings().clear();
        auto w = started();
        const QSize design = w->size();
        QCOMPARE(w->centralWidget()->size(), QSize(827, 635));
        QCOMPARE(w->minimumSizeHint().expandedTo(w->minimumSize()), design);
        for (int i = 0; i < 40; ++i)
            w->document().model().add(Kind::Move, QStringLiteral("X%1").arg(i), {});
        picPanel(*w)->refresh();
        auto* frame = w->findChild<PanelScrollArea*>(QStringLiteral("Picture1"));
        const int designMax = frame->scrollBar()->maximum();
        QCOMPARE(frame->visibleHeight(), ProgramModel::StartHeight);

        w->resize(design + QSize(200, 150));
        waiting::until([&] { return w->centralWidget()->size() == QSize(1027, 785); });
        QCOMPARE(frame->visibleHeight(), ProgramModel::StartHeight + 150);
        QCOMPARE(frame->scrollBar()->maximum(), designMax - 150);
        QCOMPARE(frame->scrollBar()->height(), frame->visibleHeight());
        QCOMPARE(w->findChild<QGroupBox*>(QStringLiteral("Frame1"))->height(), 633 + 150);
        m_platform.yesNo << false;
        w->close();

        auto again = started();
        QCOMPARE(again->size(), design + QSize(200, 150));
        again->close();
        QSettings().clear();
    }

    // In a grown window the panel is white to the frame's edges, and a drop anywhere on that white
    // lands: beside the model's width it counts as the right edge, below its height as a low row.
    void grownPanelTakesDropsToItsEdges() {
        QSettings().clear();
        auto w = started();
        for (const char* x : {"1", "2", "3"})
            addMove(*w, QString::fromLatin1(x));
        w->resize(w->size() + QSize(200, 150));
        waiting::until([&] { return w->centralWidget()->size() == QSize(1027, 785); });
        auto* frame = w->findChild<PanelScrollArea*>(QStringLiteral("Picture1"));
        PanelView* panel = picPanel(*w);
        QCOMPARE(panel->size(), QSize(700 + 200, frame->visibleHeight()));
        QCOMPARE(frame->scrollBar()->mapTo(frame, QPoint()).x() - frame->contentsRect().x(), panel->width());

        const auto drag = [&](int row, QPoint to) {
            const PanelShape s =
                w->document().model().block(Kind::Move, w->document().model().row(row).blockIndex).shape;
            QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(int(s.left) + 2, int(s.top) + 8));
            QTest::mouseMove(panel, to);
            QTest::mouseMove(panel, to);
            QTest::mouseRelease(panel, Qt::LeftButton, {}, to);
            QCOMPARE(w->document().model().checkInvariants(), QString());
        };
        drag(1, QPoint(860, 32 + 3 * 24 + 10)); // right of the model's width, onto the row below the last
        saveWithoutHeader(*w);
        QCOMPARE(readAll(path(QStringLiteral("job.cvp"))), Opening + "MX, 2   \r\nMX, 3   \r\nMX, 1   \r\n");
        drag(1, QPoint(300, 700)); // below the model's height
        saveWithoutHeader(*w);
        QCOMPARE(readAll(path(QStringLiteral("job.cvp"))), Opening + "MX, 3   \r\nMX, 1   \r\nMX, 2   \r\n");
        w->close();
        QSettings().clear();
    }

    void resetKeepsFileAndMenus() {
        auto w = started();
        addMove(*w, QStringLiteral("1"));
        addMove(*w, QStringLiteral("2"));
        action(*w, "mnuReset")->trigger();
        QCOMPARE(w->document().model().lineCount(), qint16(0));
        QCOMPARE(w->document().model().nextTop(), qint16(8));
        QVERIFY(action(*w, "mnuSave")->isEnabled());
        QVERIFY(action(*w, "mnuReset")->isEnabled());
        QVERIFY(w->document().isModified());
        QCOMPARE(w->document().fileName(), QStringLiteral("job.cvp"));
        addMove(*w, QStringLiteral("3"));
        QCOMPARE(w->document().model().row(1).top, qint16(32));
        QCOMPARE(w->document().model().row(1).blockIndex, qint16(1));
        // Exit still asks about the unsaved work.
        m_platform.yesNo << false;
        w->close();
        QCOMPARE(m_platform.messageTexts().last(), QStringLiteral("Save all your hard work?"));
    }

    void scrollBarAndPanelEndShowWhole() {
        // The picture runs below the window's client area; what the scroll bar spans must show.
        auto w = started();
        for (int i = 0; i < 40; ++i)
            QVERIFY(w->document().model().add(Kind::End, {}, {}));
        picPanel(*w)->refresh();
        auto* bar = w->findChild<QScrollBar*>(QStringLiteral("VScroll1"));
        QVERIFY(bar->isVisible());
        bar->setValue(bar->maximum());
        QWidget* client = w->centralWidget();
        const QPoint barEnd = bar->mapTo(client, bar->rect().bottomRight());
        const QPoint panelEnd = picPanel(*w)->mapTo(client, picPanel(*w)->rect().bottomLeft());
        QVERIFY2(client->rect().contains(barEnd), qPrintable(QStringLiteral("bar ends at y %1").arg(barEnd.y())));
        QVERIFY2(client->rect().contains(panelEnd), qPrintable(QStringLiteral("panel ends at y %1").arg(panelEnd.y())));
    }

    void hundredAndFirstLineIsRefused() {
        auto w = started();
        for (int i = 0; i < 100; ++i)
            button(*w, "cmdEnd")->click();
        QCOMPARE(w->document().model().lineCount(), qint16(100));
        QCOMPARE(m_platform.messageTexts(), QStringList());
        button(*w, "cmdMove")->click(); // refused before any dialog opens
        QCOMPARE(w->document().model().lineCount(), qint16(100));
        QCOMPARE(w->document().model().count(Kind::Move), qint16(0));
        QCOMPARE(m_platform.messageTexts().size(), 1);
        QVERIFY(m_platform.messageTexts()[0].contains(QStringLiteral("at most 100 lines")));
        QVERIFY(m_windowsSeen.isEmpty());
    }

    // A misspelt jump shows in the Problems pane, in the status count and as a mark on its block;
    // choosing it outlines the block; correcting the line through Edit clears all of it.
    void misspeltJumpFoundAndCleared() {
        auto w = started();
        m_answers << Answer{QStringLiteral("frmLabel"), {{QStringLiteral("txtLabel"), QStringLiteral("again")}}}
                  << Answer{QStringLiteral("frmGoTo"), {{QStringLiteral("txtGoTo"), QStringLiteral("agian")}}};
        button(*w, "cmdLabel")->click();
        button(*w, "cmdGoTo")->click();
        button(*w, "cmdEnd")->click();
        QVERIFY(m_answers.isEmpty());
        // The panes start hidden: the window keeps its layout until the operator opens one.
        QVERIFY(!w->problemsPane()->isVisible());
        QVERIFY(!w->textPane()->isVisible());

        auto* list = w->problemsPane()->list();
        waiting::until([&] { return list->topLevelItemCount() == 2; });
        QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("5"));
        QVERIFY(list->topLevelItem(1)->text(1).contains(QStringLiteral("agian")));
        QCOMPARE(w->problemsCount()->text(), QStringLiteral("1 error, 1 warning"));
        QCOMPARE(picPanel(*w)->errorBlocks().size(), 1);
        QCOMPARE(picPanel(*w)->errorBlocks()[0].kind, Kind::GoTo);
        QCOMPARE(w->textPane()->view()->lines().value(4), QStringLiteral("GOTO agian:   "));

        w->problemsCount()->click();
        QVERIFY(w->problemsPane()->isVisible());
        list->setCurrentItem(list->topLevelItem(1));
        QCOMPARE(picPanel(*w)->outlined().kind, Kind::GoTo);
        QCOMPARE(list->currentItem(), list->topLevelItem(1)); // the choice stays while nothing changed
        QCOMPARE(w->textPane()->view()->textCursor().blockNumber(), 4);

        m_answers << Answer{QStringLiteral("frmGoTo"), {{QStringLiteral("txtGoTo"), QStringLiteral("again")}}};
        w->document().model().select(Kind::GoTo, 1);
        w->editSelectedLine();
        waiting::until([&] { return list->topLevelItemCount() == 0; });
        QVERIFY(picPanel(*w)->errorBlocks().isEmpty());
        QCOMPARE(w->problemsCount()->text(), QStringLiteral("0 errors, 0 warnings"));
        QCOMPARE(w->textPane()->view()->lines().value(4), QStringLiteral("GOTO again:   "));
    }

    // A part file's name and every other text that is not the program's own show as they are: "<b>"
    // stays on the screen and an "<img>" never makes a label load a picture. No label of any window
    // takes its text for markup, and the texts that come from outside reach their labels unchanged.
    void labelsShowTextsAsTheyAre_data() {
        QTest::addColumn<QString>("window");
        for (const char* window : {"main window", "first-run window", "Headsmith", "About", "command dialogs"})
            QTest::newRow(window) << QString::fromLatin1(window);
    }
    void labelsShowTextsAsTheyAre() {
        QFETCH(QString, window);
        const QString markup = QStringLiteral("<b>x<img src=\"pic.png\">");
        HeaderAnswers answers; // Headsmith's, outliving its window
        std::vector<std::unique_ptr<QWidget>> windows;
        QStringList shown; // texts that must stand whole in some label
        if (window == QLatin1String("main window")) {
            auto w = started(false, markup + QStringLiteral(".cvp"));
            shown << w->document().filePath();
            const QString picture = path(markup + QStringLiteral(".png"));
            w->toolpathDock()->setTrace(std::make_shared<dryrun::Trace>()); // a run to export
            w->toolpathDock()->setFileChooser([&](const QString&) { return picture; });
            w->toolpathDock()->findChild<QPushButton*>(QStringLiteral("cmdExportToolpath"))->click();
            shown << picture;
            windows.push_back(std::move(w));
        } else if (window == QLatin1String("first-run window")) {
            windows.push_back(std::make_unique<FirstRunDialog>(markup, [] { return false; }));
            shown << markup;
        } else if (window == QLatin1String("Headsmith")) {
            windows.push_back(
                std::make_unique<HeadsmithWindow>(path(markup + QStringLiteral(".cvp")), answers, m_platform));
        } else if (window == QLatin1String("About")) {
            windows.push_back(std::make_unique<AboutDialog>());
        } else {
            const DialogContext context{path(markup) + QDir::separator(), QLatin1Char('\'') + markup};
            for (int code = 1; code <= 15; ++code)
                if (auto dialog = createCommandDialog(Kind(code), context, m_platform, runModal, nullptr))
                    windows.push_back(std::move(dialog));
            windows.push_back(std::make_unique<InlineCommentDialog>(context, m_platform, nullptr));
        }
        QVERIFY(!windows.empty());
        QStringList labelTexts;
        for (const auto& w : windows) {
            for (const QLabel* label : w->findChildren<QLabel*>()) {
                QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(w->objectName() + u' ' + label->objectName() +
                                                                          QStringLiteral(": ") + label->text()));
                labelTexts << label->text();
            }
        }
        QVERIFY(!labelTexts.isEmpty());
        for (const QString& text : shown)
            QVERIFY2(std::ranges::any_of(labelTexts, [&](const QString& t) { return t.contains(text); }),
                     qPrintable(text + QStringLiteral(" not in: ") + labelTexts.join(QStringLiteral(" | "))));
    }

    // Help > Contents, before About and on F1, shows Headsmith's help as its "?" button does: in the
    // maker's editor where that is installed, else in a window of the program's own.
    void helpContents_data() {
        QTest::addColumn<bool>("editorThere");
        QTest::newRow("help window") << false;
        QTest::newRow("maker's editor") << true;
    }
    void helpContents() {
        QFETCH(bool, editorThere);
        auto w = started();
        m_platform.programDir = path(QStringLiteral("Corvane/Toolcrate/Stacker"));
        QVERIFY(QDir().mkpath(m_platform.programDir));
        QVERIFY(QDir().mkpath(path(QStringLiteral("Corvane/Corvane 3"))));
        const QString helpFile = QDir::toNativeSeparators(m_platform.programDir + QStringLiteral("/head_smithfaq.txt"));
        putBytes(helpFile, "Help text\r\nline 2\r\n");
        const QString editor = path(QStringLiteral("Corvane/Corvane 3/RAzivi.EXE"));
        if (editorThere) putBytes(editor, "");
        QAction* contents = action(*w, "mnuContents");
        QVERIFY(contents);
        const QList<QAction*> helpMenu = w->findChild<QMenu*>(QStringLiteral("mnuHelp"))->actions();
        QCOMPARE(helpMenu.indexOf(contents) + 1, helpMenu.indexOf(action(*w, "mnuAbout")));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(picPanel(*w), Qt::Key_F1);
        const QList<QStringList> editorStarted{{editor, helpFile}};
        QCOMPARE(m_platform.started, editorThere ? editorStarted : QList<QStringList>());
        auto* window = w->findChild<QDialog*>(QStringLiteral("frmHeadsmithHelp"));
        QCOMPARE(window != nullptr, !editorThere);
        if (!window) return;
        QVERIFY(window->isVisible());
        QCOMPARE(window->findChild<QPlainTextEdit*>(QStringLiteral("txtHelp"))->toPlainText(),
                 QStringLiteral("Help text\nline 2\n"));
        // Asked again, the one window comes back.
        contents->trigger();
        QCOMPARE(w->findChildren<QDialog*>(QStringLiteral("frmHeadsmithHelp")).size(), 1);
    }

    // A pane opens wide (or high) enough to work in, the window growing by it so the panel keeps
    // its size; a size the operator gave it comes back with the next window.
    void paneFirstSize_data() {
        QTest::addColumn<QString>("actionName");
        QTest::addColumn<bool>("across");
        QTest::addColumn<bool>("operatorSized");
        for (const bool sized : {false, true}) {
            const char* how = sized ? ", sized before" : ", first time";
            // (The bottom area's height after a restore is Qt's to share out with the window's.)
            if (!sized) QTest::addRow("problems%s", how) << QStringLiteral("mnuProblems") << false << sized;
            QTest::addRow("text%s", how) << QStringLiteral("mnuPartFileText") << true << sized;
            QTest::addRow("toolpath%s", how) << QStringLiteral("mnuToolpath") << true << sized;
        }
    }
    void paneFirstSize() {
        QFETCH(QString, actionName);
        QFETCH(bool, across);
        QFETCH(bool, operatorSized);
        const auto paneOf = [&](MainWindow& w) {
            QAction* toggle = action(w, actionName.toLatin1().constData());
            for (QDockWidget* dock : w.findChildren<QDockWidget*>())
                if (dock->toggleViewAction() == toggle) return dock;
            return static_cast<QDockWidget*>(nullptr);
        };
        const auto extent = [&](QDockWidget* d) { return across ? d->width() : d->height(); };
        const int least = across ? 240 : 120;
        // The pane at a working size, the panel's seen part as wide as it was: the window grew.
        const auto settled = [&](MainWindow& w, QDockWidget* pane) {
            const QSize seen = w.findChild<QWidget*>(QStringLiteral("Picture1_viewport"))->size();
            return extent(pane) >= least && seen.width() == 700 && seen.height() >= 617;
        };
        int operatorSize = 0;
        if (operatorSized) {
            auto w = started();
            action(*w, actionName.toLatin1().constData())->trigger();
            QDockWidget* pane = paneOf(*w);
            QTRY_VERIFY(settled(*w, pane));
            // The operator widens it, and the window with it.
            operatorSize = extent(pane) + 60;
            w->resize(w->size() + (across ? QSize(60, 0) : QSize(0, 60)));
            w->resizeDocks({pane}, {operatorSize}, across ? Qt::Horizontal : Qt::Vertical);
            QTRY_VERIFY2(qAbs(extent(pane) - operatorSize) <= 4, qPrintable(QString::number(extent(pane))));
            w->close();
        }
        auto w = started();
        if (!operatorSized) action(*w, actionName.toLatin1().constData())->trigger();
        QDockWidget* pane = paneOf(*w);
        QVERIFY(pane->isVisible());
        if (!operatorSized) {
            QTRY_VERIFY2(settled(*w, pane), qPrintable(QString::number(extent(pane))));
            return;
        }
        // Let a sizing have its turn, then see there was none: the saved size stands.
        QTRY_VERIFY2(qAbs(extent(pane) - operatorSize) <= 4,
                     qPrintable(QStringLiteral("%1, not %2").arg(extent(pane)).arg(operatorSize)));
        QApplication::processEvents();
        QVERIFY2(qAbs(extent(pane) - operatorSize) <= 4, qPrintable(QString::number(extent(pane))));
    }

    // Opening a pane never leaves the window past its screen's edge (1920 x 1200 here), whether Qt
    // widened it for the pane's least size or it grew for the pane's working size: it moves back
    // onto the screen, the panel keeping its size.
    void paneKeepsTheWindowOnItsScreen_data() {
        QTest::addColumn<QString>("actionName");
        QTest::addColumn<QRect>("before"); // the frame's corner and the window's size
        QTest::addColumn<int>("length");
        QTest::newRow("widened by Qt") << QStringLiteral("mnuToolpath") << QRect(1000, 100, 827, 684) << 420;
        QTest::newRow("grown for the pane") << QStringLiteral("mnuPartFileText") << QRect(1000, 100, 827, 684) << 360;
        QTest::newRow("near the bottom") << QStringLiteral("mnuProblems") << QRect(20, 500, 827, 684) << 180;
    }
    void paneKeepsTheWindowOnItsScreen() {
        QFETCH(QString, actionName);
        QFETCH(QRect, before);
        QFETCH(int, length);
        const QRect screen(0, 0, 1920, 1200);
        if (QGuiApplication::primaryScreen()->availableGeometry() != screen)
            QSKIP("needs the offscreen platform's screen");
        auto w = started();
        w->move(before.topLeft());
        w->resize(before.size());
        QTRY_COMPARE(QRect(w->pos(), w->size()), before);
        QAction* toggle = action(*w, actionName.toLatin1().constData());
        QDockWidget* pane = nullptr;
        for (QDockWidget* dock : w->findChildren<QDockWidget*>())
            if (dock->toggleViewAction() == toggle) pane = dock;
        QVERIFY(pane);
        QWidget* panel = w->findChild<QWidget*>(QStringLiteral("Picture1_viewport"));
        const QSize panelSize = panel->size();
        toggle->trigger();
        const bool across = actionName != QStringLiteral("mnuProblems");
        const auto extent = [&] { return across ? pane->width() : pane->height(); };
        QTRY_VERIFY2(extent() >= length - 4 && screen.contains(w->frameGeometry()),
                     qPrintable(QStringLiteral("pane %1, window at %2, %3, its bottom at %4")
                                    .arg(extent())
                                    .arg(w->x())
                                    .arg(w->y())
                                    .arg(w->frameGeometry().bottom())));
        // (Its height may change by a few pixels as the window's bars are laid out again.)
        const QSize change = panel->size() - panelSize;
        QVERIFY2(qAbs(change.width()) <= 4 && qAbs(change.height()) <= 4,
                 qPrintable(QStringLiteral("%1 x %2").arg(change.width()).arg(change.height())));
    }

    // On a screen smaller than the window with a pane open (a laptop's 1920 x 1080 at 150 %), the
    // window fits it all the same: the panel gives up the room, the toolbox's buttons show whole.
    void windowFitsASmallScreen() {
        if (QGuiApplication::screens().size() != 2) QSKIP("needs the offscreen platform's screens");
        auto w = startWindow([this](QDialog& d) { return answer(d); }, false, QStringLiteral("job.cvp"));
        w->move(SmallScreen.topLeft() + QPoint(100, 40));
        w->show();
        const auto fits = [&] {
            return SmallScreen.contains(w->frameGeometry()) &&
                   std::ranges::all_of(
                       w->findChild<QWidget*>(QStringLiteral("Frame1"))->findChildren<QPushButton*>(),
                       [](QPushButton* b) { return b->geometry().bottom() < b->parentWidget()->height(); });
        };
        QTRY_VERIFY2(fits(), qPrintable(QStringLiteral("%1, %2").arg(w->y()).arg(w->frameGeometry().bottom())));
        // Its width was the panel's as designed.
        QCOMPARE(w->findChild<QWidget*>(QStringLiteral("Picture1_viewport"))->width(), 700);
        action(*w, "mnuToolpath")->trigger();
        QTRY_VERIFY2(fits() && w->findChild<ToolpathDock*>()->width() >= 420 - 4,
                     qPrintable(QStringLiteral("%1 wide at %2").arg(w->frameGeometry().width()).arg(w->x())));
    }

    // The panes' visibility comes back with the next window.
    void panesRemembered() {
        {
            auto w = started();
            w->textPane()->show();
            w->close();
        }
        auto w = started();
        QVERIFY(w->textPane()->isVisible());
        QVERIFY(!w->problemsPane()->isVisible());
    }

    // A pipe in the window settings' place is neither read (which would block the start) nor replaced.
    void panesSettingsPipeLeftAlone() {
        const QString ini = UserSettings::defaultPath();
        QVERIFY(QDir().mkpath(QFileInfo(ini).absolutePath()));
        QString why;
        if (!systemfiles::makeFifo(ini, &why)) QSKIP(qPrintable(why));
        {
            auto w = started();
            QVERIFY(!w->textPane()->isVisible());
            w->textPane()->show();
            w->close();
        }
        QVERIFY(QFileInfo(ini).exists() && !QFileInfo(ini).isFile());
        QVERIFY(QFile::remove(ini));
    }
};

#include "testmain.h"
QTEST_MAIN(tst_mainwindow)
#include "tst_mainwindow.moc"
