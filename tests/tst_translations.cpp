#include "gui/about.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/translations.h"
#include "scriptedplatform.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

class TestTranslations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void cleanup() {
        // A translator leaves the application when it is deleted.
        qDeleteAll(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly));
    }

    void mainWindowSpeaksTheLanguage_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("helpMenu");
        QTest::addColumn<QString>("fileMenu");
        QTest::addColumn<QString>("aboutTitle");
        QTest::addColumn<QString>("closeButton"); // Qt's own text for the standard button, without its mnemonic
        QTest::addColumn<QString>("moveTitle");   // a command dialog's title, from its table row
        QTest::addColumn<QString>("noSaveTitle"); // a question asked by the core library
        const QString es = QStringLiteral("Acerca de Corvane Part File Stacker");
        const QString en = QStringLiteral("About Corvane Part File Stacker");
        const QString esMove = QStringLiteral("Ajustes del comando [M]over");
        const QString enMove = QStringLiteral("[M]ove command settings");
        const QString esNoSave = QStringLiteral("¿No quiere guardar?");
        const QString enNoSave = QStringLiteral("Don't you want to save?");
        QTest::newRow("es_ES") << "es_ES" << true << "Ay&uda"
                               << "&Archivo" << es << "Cerrar" << esMove << esNoSave;
        QTest::newRow("es_MX falls back to es") << "es_MX" << true << "Ay&uda"
                                                << "&Archivo" << es << "Cerrar" << esMove << esNoSave;
        QTest::newRow("C") << "C" << false << "&Help"
                           << "&File" << en << "Close" << enMove << enNoSave;
        // No German translation of the program: Qt's German buttons would mix two languages.
        QTest::newRow("de_DE") << "de_DE" << false << "&Help"
                               << "&File" << en << "Close" << enMove << enNoSave;
    }
    void mainWindowSpeaksTheLanguage() {
        QFETCH(QString, locale);
        QFETCH(bool, found);
        QFETCH(QString, helpMenu);
        QFETCH(QString, fileMenu);
        QFETCH(QString, aboutTitle);
        QFETCH(QString, closeButton);
        QFETCH(QString, moveTitle);
        QFETCH(QString, noSaveTitle);
        QCOMPARE(installTranslations(QLocale(locale)), found);

        QTemporaryDir dir;
        ScriptedPlatform platform;
        platform.programDir = platform.partsDir = dir.path();
        MainWindow window(platform);
        auto* help = window.findChild<QMenu*>(QStringLiteral("mnuHelp"));
        QVERIFY(help);
        QCOMPARE(help->title(), helpMenu);
        QCOMPARE(window.findChild<QMenu*>(QStringLiteral("mnuFile"))->title(), fileMenu);
        // Help comes last in the menu bar, after Mode.
        QCOMPARE(window.menuBar()->actions().constLast(), help->menuAction());

        // Every dialog is only looked at: the first-run window, the Move dialog and About all close unanswered.
        QHash<QString, QString> titles;
        QString close, text;
        bool hasIcon = false;
        window.setDialogRunner([&](QDialog& dialog) {
            titles[dialog.objectName()] = dialog.windowTitle();
            if (dialog.objectName() == QLatin1String("frmAbout")) {
                close = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->text();
                text = dialog.findChild<QLabel*>(QStringLiteral("lblAbout"))->text();
                hasIcon = !dialog.findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull();
            }
            return false;
        });
        // First run: the name choice is cancelled once, which asks whether to save after all.
        platform.files << std::nullopt << QDir(dir.path()).filePath(QStringLiteral("job.cvp"));
        platform.yesNo << true;
        QVERIFY(window.start());
        QCOMPARE(platform.asked.size(), 3);
        QCOMPARE(platform.asked[1].title, noSaveTitle);

        window.findChild<QPushButton*>(QStringLiteral("cmdMove"))->click();
        QCOMPARE(titles.value(QStringLiteral("frmMove")), moveTitle);

        window.findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
        QCOMPARE(titles.value(QStringLiteral("frmAbout")), aboutTitle);
        QCOMPARE(close, closeButton);
        QVERIFY2(text.contains(programVersion()) && text.contains(QString::fromLatin1(qVersion())), qPrintable(text));
        QVERIFY(hasIcon);
    }
};

#include "testmain.h"
QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
