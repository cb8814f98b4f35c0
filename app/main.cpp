#include "gui/about.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/translations.h"
#include "platform/qtplatform.h"

#include <QApplication>

int main(int argc, char** argv) {
    setUpProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cvstacker"));
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(programVersion());
    // Lets the desktop match the windows to the installed .desktop file (its icon and name).
    QGuiApplication::setDesktopFileName(DesktopFileName);
    // Every window, dialog and message box shows it.
    QApplication::setWindowIcon(programIcon());
    installTranslations();

    QtPlatform platform;
    MainWindow window(platform);
    platform.setParentWidget(&window);
    // A part file named on the command line (or by the desktop's "open with") is opened at start-up.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) window.setStartFile(arguments.at(1));
    // The part file's name is chosen before the main window shows; declining ends the program.
    if (!window.Form_Load()) return 0;
    window.show();
    return QApplication::exec();
}
