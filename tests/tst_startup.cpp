// The start-up dialogue: choosing the part file's name, with every question asserted; where the
// settings are read and kept; how the real message boxes show what they are given.
#include "core/partfile/partname.h"
#include "core/settings.h"
#include "gui/document/partdocument.h"
#include "gui/mainwindow/panelview.h"
#include "onwindows.h"
#include "platform/qtplatform.h"
#include "platform/savefile.h"
#include "scriptedplatform.h"
#include "systemfiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class tst_startup : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    ScriptedPlatform m_platform;

    QString path(const QString& name) const { return QDir::toNativeSeparators(m_dir.filePath(name)); }

    void verifySaveDialog(const ScriptedPlatform::Asked& a) {
        QCOMPARE(a.what, QStringLiteral("save"));
        QCOMPARE(a.text, QStringLiteral("Select a name for the Part File that you will be assembling."));
        QCOMPARE(a.title, m_platform.partsDir);
        QCOMPARE(a.filter, QStringLiteral(" Corvane (*.cvp)|*.cvp"));
        QCOMPARE(a.name, QStringLiteral("My_Assembly"));
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        m_platform = ScriptedPlatform{};
        m_platform.partsDir = path(QStringLiteral("cvparts"));
    }

    void chosenNameSplitsIntoFolderAndTitle() {
        m_platform.files << path(QStringLiteral("job.cvp"));
        const std::optional<QString> name = partname::chooseUntilNamed(m_platform);
        QCOMPARE(m_platform.asked.size(), 1);
        verifySaveDialog(m_platform.asked[0]);
        QCOMPARE(name, path(QStringLiteral("job.cvp")));
        PartDocument document(&PanelView::labelWidth);
        document.setFilePath(*name);
        QCOMPARE(document.folder(), path(QString()) + QDir::separator());
        QCOMPARE(document.fileName(), QStringLiteral("job.cvp"));
    }

    void nameIsTakenAsReturned() {
        m_platform.files << path(QStringLiteral("no extension"));
        QCOMPARE(partname::chooseUntilNamed(m_platform), path(QStringLiteral("no extension")));
    }

    void cancelThenYesReopens() {
        m_platform.files << std::nullopt << path(QStringLiteral("b.cvp"));
        m_platform.yesNo << true;
        const std::optional<QString> name = partname::chooseUntilNamed(m_platform);
        QCOMPARE(m_platform.asked.size(), 3);
        verifySaveDialog(m_platform.asked[0]);
        QCOMPARE(m_platform.asked[1].text,
                 QStringLiteral(" This whole process doesn't really work unless you save your file. Don't you want "
                                "to save all your hard work?"));
        QCOMPARE(m_platform.asked[1].title, QStringLiteral("Don't you want to save?"));
        verifySaveDialog(m_platform.asked[2]);
        QCOMPARE(name, path(QStringLiteral("b.cvp")));
    }

    void cancelThenNoGivesUp() {
        m_platform.files << std::nullopt;
        m_platform.yesNo << false;
        QCOMPARE(partname::chooseUntilNamed(m_platform), std::nullopt);
        QCOMPARE(m_platform.asked.size(), 2);
    }

    void existingFileAskedAbout() {
        const QString existing = path(QStringLiteral("old.cvp"));
        QFile f(existing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        // No: the dialog opens again with the same proposal; then Yes keeps the file.
        m_platform.files << existing << existing;
        m_platform.yesNo << false << true;
        const std::optional<QString> name = partname::chooseUntilNamed(m_platform);
        QCOMPARE(m_platform.asked.size(), 4);
        verifySaveDialog(m_platform.asked[0]);
        QCOMPARE(m_platform.asked[1].text, QStringLiteral("That file already exist...are you SURE you want to use it"));
        QCOMPARE(m_platform.asked[1].title, QStringLiteral("File exists!"));
        verifySaveDialog(m_platform.asked[2]);
        QCOMPARE(m_platform.asked[3].title, QStringLiteral("File exists!"));
        QCOMPARE(name, existing);
    }

    // A name the program could never save under is refused at once, with the reason, rather than
    // after the work is done; the dialog opens again.
    void unsavableNameIsRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        const qint64 limit = savefile::limits(m_dir.path()).name;
        QTest::newRow("name too long") << QString(limit - 5, u'n') + QStringLiteral(".cvp")
                                       << QStringLiteral("too long to be saved safely");
        QTest::newRow("folder missing") << QStringLiteral("gone/job.cvp") << QStringLiteral("does not exist");
    }
    void unsavableNameIsRefused() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        m_platform.files << path(name) << path(QStringLiteral("fine.cvp"));
        const std::optional<QString> chosen = partname::chooseUntilNamed(m_platform);
        QCOMPARE(m_platform.asked.size(), 3);
        verifySaveDialog(m_platform.asked[0]);
        QCOMPARE(m_platform.asked[1].what, QStringLiteral("tell"));
        QCOMPARE(m_platform.asked[1].title, QStringLiteral("Choose another name"));
        QVERIFY(m_platform.asked[1].text.contains(path(name)));
        QVERIFY2(m_platform.asked[1].text.contains(reason), qPrintable(m_platform.asked[1].text));
        verifySaveDialog(m_platform.asked[2]);
        QCOMPARE(chosen, path(QStringLiteral("fine.cvp")));
    }

    // stacker.ini beside the program is a portable copy: read and kept there, even when the per-user
    // folder has one too. Otherwise it is read from the per-user folder (or, once, from beside a
    // program whose folder cannot be written) and kept there; a first run never puts one beside the
    // program, writable or not. The read-only folder is a real one (a tmpfs mounted read-only).
    void settingsPlaces_data() {
        QTest::addColumn<bool>("userFile");
        QTest::addColumn<bool>("programFile");
        QTest::addColumn<bool>("programWritable");
        QTest::addColumn<QString>("read"); // "user", "program" or "" for a first run
        QTest::addColumn<QString>("kept"); // where the save goes
        QTest::newRow("first run") << false << false << true << ""
                                   << "user";
        QTest::newRow("portable copy") << false << true << true << "program"
                                       << "program";
        QTest::newRow("portable copy before the per-user file") << true << true << true << "program"
                                                                << "program";
        QTest::newRow("per-user file") << true << false << true << "user"
                                       << "user";
        QTest::newRow("first run, read-only program") << false << false << false << ""
                                                      << "user";
        QTest::newRow("beside a read-only program") << false << true << false << "program"
                                                    << "user";
        QTest::newRow("per-user file, read-only program") << true << true << false << "user"
                                                          << "user";
    }
    void settingsPlaces() {
        QFETCH(bool, userFile);
        QFETCH(bool, programFile);
        QFETCH(bool, programWritable);
        QFETCH(QString, read);
        QFETCH(QString, kept);
        const QString user = path(QStringLiteral("config/%1").arg(QTest::currentDataTag()));
        const QString program = path(QStringLiteral("program/%1").arg(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(user));
        // An unwritable folder root cannot write to: a file system mounted read-only.
        std::optional<systemfiles::Tmpfs> mount;
        if (!programWritable) {
            mount.emplace(program, 64);
            if (!mount->mounted()) QSKIP(qPrintable(QStringLiteral("no read-only folder here: ") + mount->why()));
        }
        QVERIFY(QDir().mkpath(program));
        const auto put = [](const QString& folder, const QByteArray& line) {
            QFile f(QDir(folder).filePath(QStringLiteral("Stacker.ini")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(line + "\r\n");
        };
        if (userFile) put(user, "advanced = 0");
        if (programFile) put(program, "advanced = 1");
        if (mount) QVERIFY2(mount->makeReadOnly(), qPrintable(mount->why()));
        QCOMPARE(canCreateFilesIn(program), programWritable);
        const QStringList programHad = QDir(program).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

        const settings::Places places = settings::locate(program, user, canCreateFilesIn(program));
        const QString want = read.isEmpty() ? QString() : (read == QLatin1String("user") ? user : program);
        QCOMPARE(places.read.isEmpty(), want.isEmpty());
        if (!want.isEmpty()) {
            QCOMPARE(places.read, QDir(want).filePath(QStringLiteral("Stacker.ini")));
            QCOMPARE(settings::selectsAdvanced(settings::readFirstLine(places.read)), read == QLatin1String("program"));
        }
        // Kept where the next start reads it.
        const bool advanced = read != QLatin1String("program");
        const FileResult saved = settings::save(places, advanced);
        QVERIFY2(saved.ok, qPrintable(saved.error));
        const QString keptIn = kept == QLatin1String("user") ? user : program;
        QCOMPARE(places.folder, keptIn);
        const settings::Places next = settings::locate(program, user, canCreateFilesIn(program));
        QCOMPARE(QFileInfo(next.read).absolutePath(), QFileInfo(keptIn).absoluteFilePath());
        QCOMPARE(settings::selectsAdvanced(settings::readFirstLine(next.read)), advanced);
        if (keptIn == user)
            QCOMPARE(QDir(program).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), programHad);
    }

    // Folders an installed copy lives in count as the system's, however they are reached; a folder
    // whose name only begins alike, or one of the user's own, does not. "~" is this test's folder.
    void systemFolders_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("linkTo"); // when set, folder is made a link to it
        QTest::addColumn<bool>("system");
        if (onWindows()) {
            // "{X}" is the folder the environment variable X names; Windows has no symbolic links to try.
            QTest::newRow("installed program") << "{ProgramFiles}/Corvane/Part File Stacker"
                                               << "" << true;
            QTest::newRow("32-bit programs, not there") << "{ProgramFiles(x86)}/Corvane"
                                                        << "" << true;
            QTest::newRow("the system's folder, another case") << "{SystemRoot}/SYSTEM32"
                                                               << "" << true;
            QTest::newRow("climbing back into the programs") << "{ProgramFiles}/../Users/../Program Files/Corvane"
                                                             << "" << true;
            QTest::newRow("only begins alike") << "{ProgramFiles} Data/stacker"
                                               << "" << false;
            QTest::newRow("user's own folder") << "~/portable"
                                               << "" << false;
            return;
        }
        QTest::newRow("installed program") << "/usr/bin"
                                           << "" << true;
        QTest::newRow("administrator's copy, not there") << "/opt/corvane/bin"
                                                         << "" << true;
        QTest::newRow("climbing back into /usr") << "/tmp/../usr/lib"
                                                 << "" << true;
        QTest::newRow("link into /usr") << "~/installed"
                                        << "/usr/bin" << true;
        QTest::newRow("only begins alike") << "/usrdata/stacker"
                                           << "" << false;
        QTest::newRow("user's own folder") << "~/portable"
                                           << "" << false;
        QTest::newRow("link out of /usr") << "~/usrlink"
                                          << "~/portable" << false;
    }
    void systemFolders() {
        QFETCH(QString, folder);
        QFETCH(QString, linkTo);
        QFETCH(bool, system);
        const auto here = [&](QString p) {
            static const QRegularExpression variable(QStringLiteral("\\{([^}]+)\\}"));
            if (const QRegularExpressionMatch m = variable.match(p); m.hasMatch())
                p.replace(m.captured(), QDir::fromNativeSeparators(qEnvironmentVariable(qPrintable(m.captured(1)))));
            return p.replace(QLatin1String("~"), m_dir.path());
        };
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("portable"))));
        if (!linkTo.isEmpty() && !QFileInfo::exists(here(folder))) QVERIFY(QFile::link(here(linkTo), here(folder)));
        QCOMPARE(isSystemFolder(here(folder)), system);
    }

    // The real message boxes show their text as it is: a name holding "<b>" is not shown bold.
    void messageBoxesShowPlainText_data() {
        QTest::addColumn<bool>("question");
        QTest::newRow("notice") << false;
        QTest::newRow("question") << true;
    }
    void messageBoxesShowPlainText() {
        QFETCH(bool, question);
        const QString text = QStringLiteral("/home/ann/nofolder/<b>BOLD</b>.cvp\n\nThe folder "
                                            "/home/ann/nofolder does not exist. <img src=\"x.png\">");
        QtPlatform platform;
        Qt::TextFormat format = Qt::AutoText;
        QString shown;
        bool found = false;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (!box || !box->isVisible()) continue;
                found = true;
                auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
                format = label ? label->textFormat() : box->textFormat();
                shown = label ? label->text() : box->text();
                box->done(QMessageBox::No);
            }
        });
        if (question)
            platform.askYesNo(text, QStringLiteral("File exists!"), Platform::Icon::Question);
        else
            platform.tell(text, QStringLiteral("Choose another name"), Platform::Icon::Warning);
        QVERIFY(found);
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(shown, text);
    }
};

#include "testmain.h"
QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
