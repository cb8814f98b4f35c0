#include "gui/about.h"
#include "gui/mainwindow/frmCV_ProgIDE.h"
#include "gui/translations.h"
#include "scriptedplatform.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
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
        QTest::addColumn<QString>("aboutTitle");
        QTest::addColumn<QString>("closeButton"); // Qt's own text for the standard button, without its mnemonic
        const QString es = QStringLiteral("Acerca de Corvane Part File Stacker");
        const QString en = QStringLiteral("About Corvane Part File Stacker");
        QTest::newRow("es_ES") << "es_ES" << true << "Ay&uda" << es << "Cerrar";
        QTest::newRow("es_MX falls back to es") << "es_MX" << true << "Ay&uda" << es << "Cerrar";
        QTest::newRow("C") << "C" << false << "&Help" << en << "Close";
        // No German translation of the program: Qt's German buttons would mix two languages.
        QTest::newRow("de_DE") << "de_DE" << false << "&Help" << en << "Close";
    }
    void mainWindowSpeaksTheLanguage() {
        QFETCH(QString, locale);
        QFETCH(bool, found);
        QFETCH(QString, helpMenu);
        QFETCH(QString, aboutTitle);
        QFETCH(QString, closeButton);
        QCOMPARE(installTranslations(QLocale(locale)), found);

        QTemporaryDir dir;
        ScriptedPlatform platform;
        platform.programDir = platform.partsDir = dir.path();
        frmCV_ProgIDE window(platform);
        auto* help = window.findChild<QMenu*>(QStringLiteral("mnuHelp"));
        QVERIFY(help);
        QCOMPARE(help->title(), helpMenu);
        // Help comes last in the menu bar, after Mode.
        QCOMPARE(window.menuBar()->actions().constLast(), help->menuAction());

        QString title, close, text;
        bool hasIcon = false;
        window.setDialogRunner([&](QDialog& dialog) {
            title = dialog.windowTitle();
            close = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->text();
            text = dialog.findChild<QLabel*>(QStringLiteral("lblAbout"))->text();
            hasIcon = !dialog.findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull();
            return false;
        });
        window.findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
        QCOMPARE(title, aboutTitle);
        QCOMPARE(close, closeButton);
        QVERIFY2(text.contains(programVersion()) && text.contains(QString::fromLatin1(qVersion())), qPrintable(text));
        QVERIFY(hasIcon);
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
