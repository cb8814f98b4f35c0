#include "gui/about.h"
#include "gui/commandline.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/translations.h"
#include "platform/qtplatform.h"

#include <QApplication>

#include <cstdio>

namespace {

void setNames() {
    QCoreApplication::setApplicationName(QStringLiteral("cvstacker"));
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationVersion(programVersion());
}

// Reads the command line before any window exists: --help and --version answer without a display.
CommandLine readCommandLine(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    setNames();
    installTranslations();
    return parseCommandLine(QCoreApplication::arguments());
}

} // namespace

int main(int argc, char** argv) {
    setUpProcess();
    const CommandLine command = readCommandLine(argc, argv);
    switch (command.mode) {
    case CommandLine::Mode::Help:
    case CommandLine::Mode::Version:
        std::fputs(command.message.toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Mode::Error:
        std::fprintf(stderr, "%s\n", command.message.toLocal8Bit().constData());
        return 2;
    case CommandLine::Mode::Window:
        break;
    }

    QApplication app(argc, argv);
    setNames();
    // Lets the desktop match the windows to the installed .desktop file (its icon and name).
    QGuiApplication::setDesktopFileName(DesktopFileName);
    // Every window, dialog and message box shows it.
    QApplication::setWindowIcon(programIcon());
    installTranslations();

    QtPlatform platform;
    MainWindow window(platform);
    platform.setParentWidget(&window);
    // A part file named on the command line (or by the desktop's "open with") is opened at start-up.
    if (!command.file.isEmpty()) window.setStartFile(command.file);
    // The part file's name is chosen before the main window shows; declining ends the program.
    if (!window.start()) return 0;
    window.show();
    return QApplication::exec();
}
