// The start-up dialogue: choosing the part file's name, with every question asserted.
#include "core/program/modUtils.h"
#include "platform/savefile.h"
#include "scriptedplatform.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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
        modProgVar vars;
        m_platform.files << path(QStringLiteral("job.cvp"));
        QVERIFY(modUtils::ChooseUntilNamed(vars, m_platform));
        QCOMPARE(m_platform.asked.size(), 1);
        verifySaveDialog(m_platform.asked[0]);
        QCOMPARE(vars.PartNameState, PartName::Chosen);
        QCOMPARE(vars.PartFileName, path(QStringLiteral("job.cvp")));
        QCOMPARE(vars.PartFileFolder, path(QString()) + QDir::separator());
        QCOMPARE(vars.PartFileTitle, QStringLiteral("job.cvp"));
    }

    void nameIsTakenAsReturned() {
        modProgVar vars;
        m_platform.files << path(QStringLiteral("no extension"));
        QVERIFY(modUtils::ChooseUntilNamed(vars, m_platform));
        QCOMPARE(vars.PartFileTitle, QStringLiteral("no extension"));
    }

    void cancelThenYesReopens() {
        modProgVar vars;
        m_platform.files << std::nullopt << path(QStringLiteral("b.cvp"));
        m_platform.yesNo << true;
        QVERIFY(modUtils::ChooseUntilNamed(vars, m_platform));
        QCOMPARE(m_platform.asked.size(), 3);
        verifySaveDialog(m_platform.asked[0]);
        QCOMPARE(m_platform.asked[1].text,
                 QStringLiteral(" This whole process doesn't really work unless you save your file. Don't you want "
                                "to save all your hard work?"));
        QCOMPARE(m_platform.asked[1].title, QStringLiteral("Don't you want to save?"));
        verifySaveDialog(m_platform.asked[2]);
        QCOMPARE(vars.PartFileTitle, QStringLiteral("b.cvp"));
    }

    void cancelThenNoGivesUp() {
        modProgVar vars;
        vars.PartFileName = QStringLiteral("kept");
        m_platform.files << std::nullopt;
        m_platform.yesNo << false;
        QVERIFY(!modUtils::ChooseUntilNamed(vars, m_platform));
        QCOMPARE(vars.PartNameState, PartName::Cancelled);
        QCOMPARE(vars.PartFileName, QStringLiteral("kept"));
        QCOMPARE(m_platform.asked.size(), 2);
    }

    void existingFileAskedAbout() {
        const QString existing = path(QStringLiteral("old.cvp"));
        QFile f(existing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        modProgVar vars;
        // No: the dialog opens again with the same proposal; then Yes keeps the file.
        m_platform.files << existing << existing;
        m_platform.yesNo << false << true;
        QVERIFY(modUtils::ChooseUntilNamed(vars, m_platform));
        QCOMPARE(m_platform.asked.size(), 4);
        verifySaveDialog(m_platform.asked[0]);
        QCOMPARE(m_platform.asked[1].text, QStringLiteral("That file already exist...are you SURE you want to use it"));
        QCOMPARE(m_platform.asked[1].title, QStringLiteral("File exists!"));
        verifySaveDialog(m_platform.asked[2]);
        QCOMPARE(m_platform.asked[3].title, QStringLiteral("File exists!"));
        QCOMPARE(vars.PartFileName, existing);
        QCOMPARE(vars.PartNameState, PartName::Chosen);
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
        modProgVar vars;
        m_platform.files << path(name) << path(QStringLiteral("fine.cvp"));
        QVERIFY(modUtils::ChooseUntilNamed(vars, m_platform));
        QCOMPARE(m_platform.asked.size(), 3);
        verifySaveDialog(m_platform.asked[0]);
        QCOMPARE(m_platform.asked[1].what, QStringLiteral("tell"));
        QCOMPARE(m_platform.asked[1].title, QStringLiteral("Choose another name"));
        QVERIFY(m_platform.asked[1].text.contains(path(name)));
        QVERIFY2(m_platform.asked[1].text.contains(reason), qPrintable(m_platform.asked[1].text));
        verifySaveDialog(m_platform.asked[2]);
        QCOMPARE(vars.PartFileName, path(QStringLiteral("fine.cvp")));
    }
};

QTEST_GUILESS_MAIN(tst_startup)
#include "tst_startup.moc"
