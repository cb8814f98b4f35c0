// The Headsmith window driven through its controls: loading the answers, the enable rules, the notes,
// the file choices, writing from the window, its progress window and its help.
#include "clicks.h"
#include "gui/headsmith/headsmithwindow.h"
#include "onwindows.h"

#include "headsmithfixture.h"
#include <QApplication>

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>

#include <future>

class tst_headsmithwindow : public QObject, public HeadsmithFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpFixture(); }
    void cleanup() { tearDownFixture(); }

    void firstOpeningEver() {
        HeaderAnswers h;
        HeadsmithWindow dlg(QString(), h, *m_platform);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Corvane Headsmith"));
        QCOMPARE(child<QTabWidget>(dlg, "SSTab1")->currentIndex(), 0);
        QCOMPARE(child<QTabWidget>(dlg, "SSTab1")->tabText(1), QStringLiteral("Part File and Material Information"));
        QCOMPARE(child<QComboBox>(dlg, "cmbBlank")->currentText(), QStringLiteral("96 x 48"));
        QCOMPARE(child<QComboBox>(dlg, "cmbThickness")->currentText(), QStringLiteral("1/8"));
        QCOMPARE(child<QComboBox>(dlg, "cmbBitSize")->currentText(), QString());
        QCOMPARE(child<QComboBox>(dlg, "cmbBitType")->currentText(), QString());
        QCOMPARE(child<QComboBox>(dlg, "cmbMaterial")->currentText(), QString());
        QCOMPARE(child<QComboBox>(dlg, "cmbBitSize")->count(), 5);
        QCOMPARE(child<QLineEdit>(dlg, "txtDate")->text(), QStringLiteral("12/7/2026"));
        QCOMPARE(child<QLineEdit>(dlg, "txtCopyrightYear")->text(), QStringLiteral("2026"));
        QVERIFY(child<QRadioButton>(dlg, "optInch")->isChecked());
        QVERIFY(child<QRadioButton>(dlg, "optMatSurface")->isChecked());
        QCOMPARE(child<QLineEdit>(dlg, "txtCreatedBy")->text(), QStringLiteral("My Name"));
        QCOMPARE(child<QComboBox>(dlg, "cmbUse")->currentText(), QStringLiteral("no restrictions... free for any use"));
        QVERIFY(!child<QLineEdit>(dlg, "txtHeaderFile")->isEnabled() &&
                !child<QRadioButton>(dlg, "optHeaderFP")->isEnabled() &&
                !child<QRadioButton>(dlg, "optFooterText")->isEnabled());
        QCOMPARE(child<QLineEdit>(dlg, "txtXOffset")->text(), QStringLiteral(" "));
        QCOMPARE(child<QLineEdit>(dlg, "txtXOffset")->focusPolicy(), Qt::NoFocus);
        QCOMPARE(child<QPlainTextEdit>(dlg, "txtAdditionalInfo")->focusPolicy(), Qt::ClickFocus);
        QCOMPARE(child<QLineEdit>(dlg, "txtDescription")->maxLength(), 80);
        QVERIFY(m_platform->asked.isEmpty());
    }

    void savedAnswersAndUnitSwitch() {
        writeBytes(variablesFile(), "&my_hasrunheader = 1\r\n&header_name = Jo\r\n&header_units = 1\r\n"
                                    "&header_ZZero = 1\r\n&header_bitsize =1/2\r\n&header_blank = 820 x 612\r\n"
                                    "&header_thickness = 3/4\r\n&header_material = foam\r\n");
        HeaderAnswers h;
        HeadsmithWindow dlg(QString(), h, *m_platform);
        QCOMPARE(child<QLineEdit>(dlg, "txtCreatedBy")->text(), QStringLiteral("Jo"));
        QVERIFY(child<QRadioButton>(dlg, "optMetric")->isChecked());
        QVERIFY(child<QRadioButton>(dlg, "optTableTop")->isChecked());
        // Blank and thickness always start at the first item; the stored bit size and material survive.
        QCOMPARE(child<QComboBox>(dlg, "cmbBlank")->currentText(), QStringLiteral("2450 x 1225"));
        QCOMPARE(child<QComboBox>(dlg, "cmbThickness")->currentText(), QStringLiteral("1/8"));
        QCOMPARE(child<QComboBox>(dlg, "cmbBitSize")->currentText(), QStringLiteral("1/2"));
        QCOMPARE(child<QComboBox>(dlg, "cmbMaterial")->currentText(), QStringLiteral("foam"));
        // A key the file lacks leaves its field empty at the first load.
        QCOMPARE(child<QLineEdit>(dlg, "txtCopyright")->text(), QString());

        // A typed value stays until the next fill and is what the header gets.
        child<QComboBox>(dlg, "cmbMaterial")->setEditText(QStringLiteral("oak"));
        child<QComboBox>(dlg, "cmbThickness")->setEditText(QStringLiteral("19mm"));
        QCOMPARE(dlg.fields().material, QStringLiteral("oak"));
        dlg.show();
        child<QTabWidget>(dlg, "SSTab1")->setCurrentIndex(1);
        clickBox(child<QRadioButton>(dlg, "optInch"));
        QVERIFY(child<QRadioButton>(dlg, "optInch")->isChecked());
        QCOMPARE(child<QComboBox>(dlg, "cmbBlank")->currentText(), QStringLiteral("96 x 48"));
        QCOMPARE(child<QComboBox>(dlg, "cmbBitSize")->itemText(0), QStringLiteral("1/8"));
        QCOMPARE(child<QComboBox>(dlg, "cmbThickness")->currentText(), QStringLiteral("1/8"));
        QCOMPARE(child<QComboBox>(dlg, "cmbMaterial")->currentText(), QStringLiteral("foam"));
        child<QRadioButton>(dlg, "optMetric")->setChecked(true);
        QCOMPARE(child<QComboBox>(dlg, "cmbBlank")->currentText(), QStringLiteral("2450 x 1225"));
        QCOMPARE(child<QComboBox>(dlg, "cmbBitSize")->itemText(0), QStringLiteral("3mm"));
        QCOMPARE(child<QComboBox>(dlg, "cmbBitSize")->currentText(), QStringLiteral("1/2"));
    }

    // A box narrower than its text must show the text's start: the caret decides which part shows.
    void boxesOpenAtTheStartOfTheirText() {
        writeBytes(variablesFile(), "&my_hasrunheader = 1\r\n"
                                    "&header_copyright_holder = Someone with a very long company name, Inc.\r\n"
                                    "&header_restrictions = free for personal use, $ **  fee for commercial use\r\n"
                                    "&header_material = Baltic Birch plywood, void free, exterior glue\r\n");
        HeaderAnswers h;
        HeadsmithWindow dlg(QString(), h, *m_platform);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        // The long ones by name, then every other box that holds a text.
        QCOMPARE(child<QLineEdit>(dlg, "txtCopyright")->cursorPosition(), 0);
        QCOMPARE(child<QLineEdit>(dlg, "txtEnterInfo")->cursorPosition(), 0);
        QCOMPARE(child<QComboBox>(dlg, "cmbUse")->lineEdit()->cursorPosition(), 0);
        QCOMPARE(child<QComboBox>(dlg, "cmbMaterial")->lineEdit()->cursorPosition(), 0);
        for (QLineEdit* box : dlg.findChildren<QLineEdit*>()) {
            if (box->text().isEmpty() || box->hasFocus()) continue;
            QVERIFY2(box->cursorPosition() == 0,
                     qPrintable(box->objectName() + QStringLiteral(" shows the end of ") + box->text()));
        }
    }

    void notesEntry() {
        writeBytes(m_part, Part);
        HeaderAnswers h;
        HeadsmithWindow dlg(m_part, h, *m_platform);
        QCOMPARE(child<QLineEdit>(dlg, "txtEnterInfo")->text(),
                 QStringLiteral("Type additional info here... hit the ENTER key to add line to preview below "));
        child<QLineEdit>(dlg, "txtEnterInfo")->clear();
        QTest::keyClicks(child<QLineEdit>(dlg, "txtEnterInfo"), QStringLiteral("first"));
        QTest::keyClick(child<QLineEdit>(dlg, "txtEnterInfo"), Qt::Key_Return);
        QTest::keyClicks(child<QLineEdit>(dlg, "txtEnterInfo"), QStringLiteral("second"));
        QTest::keyClick(child<QLineEdit>(dlg, "txtEnterInfo"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(child<QLineEdit>(dlg, "txtEnterInfo")->text(), QString());
        QCOMPARE(child<QPlainTextEdit>(dlg, "txtAdditionalInfo")->toPlainText(),
                 QStringLiteral("'' first\n'' second\n"));
        QCOMPARE(dlg.fields().additionalInfo, QStringLiteral("'' first\n'' second\n"));
        // Enter pressed nothing else: the part file is untouched and the window still open.
        QCOMPARE(readBytes(m_part), Part);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        // Escape while typing does not throw the window and its answers away.
        QSignalSpy rejected(&dlg, &QDialog::rejected);
        QTest::keyClick(child<QLineEdit>(dlg, "txtEnterInfo"), Qt::Key_Escape);
        QCOMPARE(rejected.count(), 0);

        QTest::mouseClick(child<QPlainTextEdit>(dlg, "txtAdditionalInfo")->viewport(), Qt::LeftButton);
        const QString hint =
            QStringLiteral("Type additional comments here... and hit the ENTER key at the end of each line.");
        QCOMPARE(child<QLineEdit>(dlg, "txtEnterInfo")->text(), hint);
        QCOMPARE(child<QLineEdit>(dlg, "txtEnterInfo")->cursorPosition(), int(hint.size()));
        QVERIFY(!child<QLineEdit>(dlg, "txtEnterInfo")->hasSelectedText());

        QMimeData mime;
        mime.setText(QStringLiteral("x"));
        QDragEnterEvent drag(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(child<QPlainTextEdit>(dlg, "txtAdditionalInfo")->viewport(), &drag);
        QCOMPARE(child<QLineEdit>(dlg, "txtEnterInfo")->selectedText(), hint);
    }

    void boxesSelectAllOnFocus_data() {
        QTest::addColumn<QString>("box");
        for (const char* name :
             {"txtCreatedBy", "txtDate", "txtCopyright", "txtCopyrightYear", "txtDescription", "txtContactName",
              "txtPhone", "txtEmail", "txtXOffset", "txtYOffset", "txtZOffset", "txtEnterInfo"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void boxesSelectAllOnFocus() {
        QFETCH(QString, box);
        HeaderAnswers h;
        HeadsmithWindow dlg(QString(), h, *m_platform);
        auto* edit = dlg.findChild<QLineEdit*>(box);
        QVERIFY(edit);
        edit->setText(QStringLiteral("some text"));
        edit->setCursorPosition(2);
        QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(edit, &focus);
        QCoreApplication::processEvents();
        QCOMPARE(edit->selectedText(), QStringLiteral("some text"));
    }

    void offsetBoxes() {
        HeaderAnswers h;
        HeadsmithWindow dlg(QString(), h, *m_platform);
        dlg.show();
        child<QTabWidget>(dlg, "SSTab1")->setCurrentIndex(1);
        auto state = [&] {
            QString s;
            for (QLineEdit* b : {child<QLineEdit>(dlg, "txtXOffset"), child<QLineEdit>(dlg, "txtYOffset"),
                                 child<QLineEdit>(dlg, "txtZOffset")})
                s += QLatin1String(b->isEnabled() ? "[E" : "[-") +
                     QLatin1String(b->focusPolicy() == Qt::NoFocus ? "-" : "T") + b->text() + u']';
            for (QLabel* l :
                 {child<QLabel>(dlg, "Label20"), child<QLabel>(dlg, "Label21"), child<QLabel>(dlg, "Label22")})
                s += l->isEnabled() ? u'L' : u'-';
            return s;
        };
        clickBox(child<QCheckBox>(dlg, "chk2d"));
        QCOMPARE(state(), QStringLiteral("[ET0][ET0][--]LL-"));
        child<QLineEdit>(dlg, "txtXOffset")->setText(QStringLiteral("4"));
        clickBox(child<QCheckBox>(dlg, "chk3d"));
        QVERIFY(!child<QCheckBox>(dlg, "chk2d")->isChecked());
        QCOMPARE(state(), QStringLiteral("[ET0][ET0][ET0]LLL"));
        clickBox(child<QCheckBox>(dlg, "chk2d"));
        QVERIFY(!child<QCheckBox>(dlg, "chk3d")->isChecked());
        QCOMPARE(state(), QStringLiteral("[ET0][ET0][--]LL-"));
        clickBox(child<QCheckBox>(dlg, "chk2d"));
        QCOMPARE(state(), QStringLiteral("[--][--][--]---"));
    }

    void fileChoices_data() {
        QTest::addColumn<bool>("opening");
        QTest::newRow("opening") << true;
        QTest::newRow("closing") << false;
    }
    void fileChoices() {
        QFETCH(bool, opening);
        HeaderAnswers h;
        (opening ? h.openingFolder : h.closingFolder) = QStringLiteral("C:\\old");
        (opening ? h.openingName : h.closingName) = QStringLiteral("old.cvp");
        HeadsmithWindow dlg(QString(), h, *m_platform);
        dlg.show();
        QCheckBox* chk = opening ? child<QCheckBox>(dlg, "chkHeader") : child<QCheckBox>(dlg, "chkFooter");
        QLineEdit* txt = opening ? child<QLineEdit>(dlg, "txtHeaderFile") : child<QLineEdit>(dlg, "txtFooterFile");
        QRadioButton* asText =
            opening ? child<QRadioButton>(dlg, "optHeaderText") : child<QRadioButton>(dlg, "optFooterText");
        QRadioButton* asFP =
            opening ? child<QRadioButton>(dlg, "optHeaderFP") : child<QRadioButton>(dlg, "optFooterFP");

        // Cancel: told, box unchecked, the options stay disabled, the remembered folder kept.
        m_platform->files << std::nullopt;
        clickBox(chk);
        QCOMPARE(m_platform->asked.size(), 2);
        QCOMPARE(m_platform->asked[0].what, QStringLiteral("open"));
        QCOMPARE(m_platform->asked[0].title, QStringLiteral("C:\\old"));
        QCOMPARE(m_platform->asked[0].name, QStringLiteral("old.cvp"));
        QCOMPARE(m_platform->asked[0].filter, QStringLiteral(" Corvane files (*.cvp)|*.cvp"));
        QCOMPARE(m_platform->asked[1].text, opening ? QStringLiteral("No header file will be added")
                                                    : QStringLiteral("No footer file will be added"));
        QCOMPARE(m_platform->asked[1].title, QStringLiteral("No file selected"));
        QCOMPARE(m_platform->asked[1].icon, Platform::Icon::Warning);
        QVERIFY(!chk->isChecked());
        QVERIFY(!txt->isEnabled() && txt->text().isEmpty());
        QVERIFY(!asText->isEnabled() && !asFP->isEnabled());
        QCOMPARE(opening ? h.openingFolder : h.closingFolder, QStringLiteral("C:\\old"));

        // A choice: path shown, options enabled with FP selected, folder and name remembered.
        m_platform->files << QStringLiteral("D:\\cuts\\start.cvp");
        clickBox(chk);
        QVERIFY(chk->isChecked());
        QCOMPARE(txt->text(), QStringLiteral("D:\\cuts\\start.cvp"));
        QVERIFY(txt->isEnabled() && txt->isReadOnly());
        QVERIFY(asText->isEnabled() && asFP->isChecked());
        QCOMPARE(opening ? h.openingFolder : h.closingFolder, QStringLiteral("D:\\cuts"));
        QCOMPARE(opening ? h.openingName : h.closingName, QStringLiteral("start.cvp"));
        QCOMPARE(opening ? h.openingPath : h.closingPath, QStringLiteral("D:\\cuts\\start.cvp"));

        clickBox(chk);
        QVERIFY(!txt->isEnabled() && txt->text().isEmpty() && !asFP->isEnabled());
    }

    void writingFromTheWindow() {
        writeBytes(m_part, Part);
        HeaderAnswers h;
        {
            HeadsmithWindow dlg(m_part, h, *m_platform);
            child<QLineEdit>(dlg, "txtCreatedBy")->setText(QStringLiteral("Window User"));
            child<QComboBox>(dlg, "cmbBitType")->setEditText(QStringLiteral("V bit"));
            QTest::mouseClick(child<QPushButton>(dlg, "cmdDone"), Qt::LeftButton);
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        }
        const QByteArray written = readBytes(m_part);
        QVERIFY(written.startsWith("'' Header file created by Corvane Headsmith\r\n"));
        QVERIFY(written.contains("\r\n'' Created by Window User on 12/7/2026\r\n"));
        QVERIFY(written.endsWith("' End of header file\r\n\r\n" + Part));
        QVERIFY(readBytes(variablesFile())
                    .contains("\r\n&header_name = Window User\r\n&header_copyright_holder = My Name"));

        // The next opening in the run starts from the saved answers; No with nothing else to do keeps it open.
        HeadsmithWindow again(m_part, h, *m_platform);
        QCOMPARE(child<QLineEdit>(again, "txtCreatedBy")->text(), QStringLiteral("Window User"));
        QCOMPARE(child<QComboBox>(again, "cmbBitType")->currentText(), QStringLiteral("V bit"));
        m_platform->yesNo << false;
        child<QPushButton>(again, "cmdDone")->click();
        QCOMPARE(again.result(), int(QDialog::Rejected));
        QCOMPARE(readBytes(m_part), written);
    }

    void windowReportsFailureAndStaysOpen() {
        writeBytes(m_part, Part);
        HeaderAnswers h;
        HeadsmithWindow dlg(m_part, h, *m_platform);
        m_platform->files << path(QStringLiteral("gone.cvp"));
        child<QCheckBox>(dlg, "chkFooter")->setChecked(true);
        child<QRadioButton>(dlg, "optFooterText")->setChecked(true);
        child<QPushButton>(dlg, "cmdDone")->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(m_platform->asked.last().what, QStringLiteral("tell"));
        QVERIFY(m_platform->asked.last().text.contains(QDir::toNativeSeparators(path(QStringLiteral("gone.cvp")))));
        QCOMPARE(readBytes(m_part), Part);
        QVERIFY(!QFile::exists(variablesFile())); // nothing saved
    }

    // The parts folder is a file, so the answers have nowhere to go. The header is the user's work
    // and the answers only a convenience: the header is written, and the user hears why the
    // answers were not kept. The file in the way is left alone.
    void partsFolderIsAFile() {
        writeBytes(m_part, Part);
        writeBytes(m_platform->partsDir, "not a folder\r\n");
        HeaderAnswers h;
        HeadsmithWindow dlg(m_part, h, *m_platform);
        QVERIFY(m_platform->asked.isEmpty()); // nothing to load is nothing to complain about
        child<QPushButton>(dlg, "cmdDone")->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(readBytes(m_part).endsWith("' End of header file\r\n\r\n" + Part));
        QCOMPARE(m_platform->asked.size(), 1);
        const QString told = m_platform->asked[0].text;
        QVERIFY2(told.startsWith(QStringLiteral("The header was written, but your answers could not be saved")),
                 qPrintable(told));
        QVERIFY2(
            told.contains(QDir::toNativeSeparators(m_platform->partsDir) + QStringLiteral(" is a file, not a folder")),
            qPrintable(told));
        QCOMPARE(readBytes(m_platform->partsDir), QByteArray("not a folder\r\n"));
    }

    // The replace question comes before the progress window: one that came up over it would take the
    // keys, and the question could not be answered.
    void questionsComeBeforeTheProgressWindow() {
        class Watching final : public ScriptedPlatformProxy {
        public:
            using ScriptedPlatformProxy::ScriptedPlatformProxy;
            QStringList progressSeen;
            bool askYesNo(const QString& text, const QString& title, Icon icon) override {
                // A real message box runs the event loop while it waits for the answer.
                QTest::qWait(100);
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (qobject_cast<QProgressDialog*>(w) && w->isVisible()) progressSeen << text;
                return ScriptedPlatformProxy::askYesNo(text, title, icon);
            }
        };
        writeBytes(m_part, withHeader(sampleHeaderFields()));
        Watching platform(*m_platform);
        HeaderAnswers h;
        HeadsmithWindow dlg(m_part, h, platform);
        dlg.progressDelayMs = 0;
        m_platform->yesNo << true;
        child<QPushButton>(dlg, "cmdDone")->click();
        QCOMPARE(m_platform->messageTexts(), QStringList{headsmith::ReplaceHeaderText()});
        QCOMPARE(platform.progressSeen, QStringList());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(readBytes(m_part).count("' End of header file\r\n"), 1);
    }

    void cancelFromTheProgressWindow() {
        QByteArray big = Part;
        while (big.size() < 4 * LineReader::DefaultBuffer)
            big += "M3, 10.125, 4.5, -0.25   'pocket\r\n";
        writeBytes(m_part, big);
        HeaderAnswers h;
        HeadsmithWindow dlg(m_part, h, *m_platform);
        dlg.progressDelayMs = 0;
        bool sawProgress = false;
        QTimer::singleShot(0, &dlg, [&] {
            if (auto* p = dlg.findChild<QProgressDialog*>()) {
                sawProgress = true;
                child<QPushButton>(dlg, "cmdDone")->click(); // a second click while writing does nothing
                p->cancel();
            }
        });
        child<QPushButton>(dlg, "cmdDone")->click();
        QVERIFY(sawProgress);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(readBytes(m_part), big);
        QVERIFY(!QFile::exists(variablesFile()));
    }

    void help_data() {
        QTest::addColumn<bool>("editorThere");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<bool>("window");
        QTest::addColumn<QString>("where"); // the help file: beside the program, installed, or both
        QTest::newRow("editor started") << true << true << false << QStringLiteral("beside");
        QTest::newRow("editor fails to start") << true << false << true << QStringLiteral("beside");
        QTest::newRow("no editor") << false << true << true << QStringLiteral("beside");
        if (onWindows()) return; // the Windows copy keeps its help beside the program, and only there
        QTest::newRow("installed, editor started") << true << true << false << QStringLiteral("installed");
        QTest::newRow("installed, no editor") << false << true << true << QStringLiteral("installed");
        // The build tree's own copy wins over an installed one.
        QTest::newRow("both, no editor") << false << true << true << QStringLiteral("both");
    }
    void help() {
        QFETCH(bool, editorThere);
        QFETCH(bool, starts);
        QFETCH(bool, window);
        QFETCH(QString, where);
        m_platform->programDir = QDir::toNativeSeparators(path(QStringLiteral("Corvane/Toolcrate/Stacker")));
        const QString shared = path(QStringLiteral("share"));
        const QByteArray oldDataDirs = qgetenv("XDG_DATA_DIRS");
        qputenv("XDG_DATA_DIRS", QFile::encodeName(shared));
        const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_DIRS", oldDataDirs); });
        QString helpFile = QDir(m_platform->programDir).filePath(QStringLiteral("head_smithfaq.txt"));
        const QString installedFile = QDir(shared).filePath(QStringLiteral("cvstacker/head_smithfaq.txt"));
        if (where != QLatin1String("installed")) writeBytes(helpFile, "Help text\r\nline 2\r\n");
        if (where != QLatin1String("beside"))
            writeBytes(installedFile, where == QLatin1String("both") ? "Old\r\n" : "Help text\r\nline 2\r\n");
        if (where == QLatin1String("installed")) helpFile = installedFile;
        const QString editor = QDir::toNativeSeparators(path(QStringLiteral("Corvane/Corvane 3/RAzivi.EXE")));
        if (editorThere) writeBytes(editor, "");
        m_platform->startSucceeds = starts;
        HeaderAnswers h;
        HeadsmithWindow dlg(QString(), h, *m_platform);
        child<QPushButton>(dlg, "cmdInfo")->click();
        QCOMPARE(dlg.installFolder(), QDir::toNativeSeparators(path(QStringLiteral("Corvane/"))));
        if (editorThere)
            QCOMPARE(m_platform->started.value(0), (QStringList{editor, QDir::toNativeSeparators(helpFile)}));
        auto* helpWindow = dlg.findChild<QDialog*>(QStringLiteral("frmHeadsmithHelp"));
        QCOMPARE(helpWindow != nullptr, window);
        if (helpWindow) {
            auto* text = helpWindow->findChild<QPlainTextEdit*>(QStringLiteral("txtHelp"));
            QVERIFY(text->isReadOnly());
            QCOMPARE(text->toPlainText(), QStringLiteral("Help text\nline 2\n"));
        }
    }

    // Every one-line box of the window, found by name: a pasted line break or other control
    // character becomes one blank in the box, in the answer and in the written line, so neither the
    // header nor the variables file gains a line. The path boxes show a chosen name that holds a
    // line break with blanks, and the write that would put it into an FP line is refused.
    void oneLineBoxes_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("brk");
        const QList<std::pair<const char*, QString>> breaks{{"LF", QStringLiteral("\n")},
                                                            {"CR LF", QStringLiteral("\r\n")},
                                                            {"CR", QStringLiteral("\r")},
                                                            {"controls", QStringLiteral("\x01\x1b\x7f\v\f")}};
        for (const char* box : OneLineBoxes)
            for (const auto& [name, brk] : breaks)
                QTest::addRow("%s, %s", box, name) << QString::fromLatin1(box) << brk;
    }
    void oneLineBoxes() {
        QFETCH(QString, box);
        QFETCH(QString, brk);
        writeBytes(m_part, Part);
        HeaderAnswers h;
        HeadsmithWindow dlg(m_part, h, *m_platform);
        // The list below is every one-line box there is.
        for (QLineEdit* e : dlg.findChildren<QLineEdit*>()) {
            const QString name = qobject_cast<QComboBox*>(e->parent()) ? e->parent()->objectName() : e->objectName();
            QVERIFY2(std::any_of(std::begin(OneLineBoxes), std::end(OneLineBoxes),
                                 [&](const char* n) { return name == QLatin1String(n); }),
                     qPrintable(name + QStringLiteral(" is missing from the table")));
        }
        const QString pasted = QStringLiteral("1") + brk + QStringLiteral("M2, 0, 0");
        const QString shown = QStringLiteral("1 M2, 0, 0");
        const bool pathBox = box == QLatin1String("txtHeaderFile") || box == QLatin1String("txtFooterFile");
        QLineEdit* edit = nullptr;
        if (pathBox) {
            m_platform->files << QStringLiteral("D:\\cuts\\") + pasted;
            child<QCheckBox>(dlg, box == QLatin1String("txtHeaderFile") ? "chkHeader" : "chkFooter")->setChecked(true);
            edit = child<QLineEdit>(dlg, qPrintable(box));
            QCOMPARE(edit->text(), QStringLiteral("D:\\cuts\\") + shown);
        } else {
            if (box.endsWith(QLatin1String("Offset"))) child<QCheckBox>(dlg, "chk3d")->setChecked(true);
            auto* combo = dlg.findChild<QComboBox*>(box);
            edit = combo ? combo->lineEdit() : child<QLineEdit>(dlg, qPrintable(box));
            edit->clear();
            edit->insert(pasted); // what a paste does
            if (box == QLatin1String("txtEnterInfo")) {
                QCOMPARE(edit->text(), shown);
                QTest::keyClick(edit, Qt::Key_Return);
                QCOMPARE(dlg.fields().additionalInfo, QStringLiteral("'' ") + shown + u'\n');
            } else {
                QCOMPARE(edit->text(), shown);
                if (combo) QCOMPARE(combo->currentText(), shown);
            }
        }
        const HeaderFields f = dlg.fields();
        child<QPushButton>(dlg, "cmdDone")->click();
        const QByteArray written = readBytes(m_part);
        if (pathBox) {
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
            QVERIFY2(m_platform->asked.last().text.contains(QStringLiteral("holds a line break")),
                     qPrintable(m_platform->asked.last().text));
            QCOMPARE(written, Part);
            return;
        }
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        // One line per line of the header and of the old file, each ended by CR LF and by nothing else.
        const QList<QByteArray> lines = written.split('\n');
        QCOMPARE(lines.size() - 1, headertext::writeheaderinfo(f).size() + 5);
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            QVERIFY(lines[i].endsWith('\r'));
            QVERIFY2(!textfile::breaksLine(lines[i].chopped(1)), lines[i].constData());
            QVERIFY(lines[i] != "M2, 0, 0\r");
        }
        QVERIFY(written.contains(shown.toLatin1()));
        const QByteArray saved = readBytes(variablesFile());
        QCOMPARE(saved.count("\r\n"), 19);
        QCOMPARE(saved.count('\n'), 19);
        QVERIFY(!saved.contains("\nM2"));
    }

    // Every suggestion of every list shows whole in its box, in both units.
    void listEntriesShowWhole() {
        HeaderAnswers h;
        HeadsmithWindow dlg(QString(), h, *m_platform);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        child<QTabWidget>(dlg, "SSTab1")->setCurrentIndex(1);
        for (const char* units : {"optInch", "optMetric"}) {
            child<QRadioButton>(dlg, units)->setChecked(true);
            QCoreApplication::processEvents();
            for (const char* name : {"cmbBlank", "cmbThickness", "cmbMaterial", "cmbBitSize", "cmbBitType"}) {
                QComboBox* combo = child<QComboBox>(dlg, name);
                QLineEdit* edit = combo->lineEdit();
                for (int i = 0; i < combo->count(); ++i) {
                    combo->setCurrentIndex(i);
                    // A text wider than its box scrolls: its start then moves when the caret goes to its end.
                    edit->setCursorPosition(0);
                    const int start = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
                    edit->setCursorPosition(int(edit->text().size()));
                    const int end = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
                    QVERIFY2(end - start == edit->fontMetrics().horizontalAdvance(edit->text()),
                             qPrintable(QStringLiteral("%1 cuts \"%2\" (%3 to %4 in %5)")
                                            .arg(QLatin1String(name), edit->text())
                                            .arg(start)
                                            .arg(end)
                                            .arg(edit->width())));
                }
            }
        }
    }
};

#include "testmain.h"
QTEST_MAIN(tst_headsmithwindow)
#include "tst_headsmithwindow.moc"
