#include "gui/about.h"
#include "gui/batchmodes.h"
#include "gui/commandline.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/translations.h"
#include "platform/qtplatform.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

namespace {

void setNames() {
    QCoreApplication::setApplicationName(QStringLiteral("cvstacker"));
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationVersion(programVersion());
}

// Qt's own options are not read from the command line: a part file named "-reverse" is a part file.
// (Qt's settings still come from its environment variables.)
int qtArgc = 1;
char* qtArgv[] = {nullptr, nullptr};

int run(int argc, char** argv) {
    setUpProcess();
    qtArgv[0] = argv[0];
    // The streams write through stdout and stderr, which attachToCallersConsole() may reopen.
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLine command;
    {
        // The command line is read before any window exists: these modes need no display.
        QCoreApplication app(argc, argv);
        setNames();
        installTranslations();
        command = parseCommandLine(QCoreApplication::arguments());
        if (command.mode != CommandLine::Mode::Window) attachToCallersConsole();
        switch (command.mode) {
        case CommandLine::Mode::Help:
        case CommandLine::Mode::Version:
            out << command.message;
            return 0;
        case CommandLine::Mode::Error:
            err << command.message << Qt::endl;
            return 2;
        case CommandLine::Mode::Check:
            return runCheck(command, out, err);
        case CommandLine::Mode::DryRun:
            if (command.toolpathImage.isEmpty()) return runDryRun(command, out, err);
            break;
        case CommandLine::Mode::JobSheet:
        case CommandLine::Mode::Window:
            break;
        }
    }
    if (command.mode == CommandLine::Mode::DryRun || command.mode == CommandLine::Mode::JobSheet) {
        // Pictures and pages are drawn offscreen: no window is shown and no display is needed.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        useSystemFontsOffscreen();
        QGuiApplication app(qtArgc, qtArgv);
        setNames();
        installTranslations();
        return command.mode == CommandLine::Mode::JobSheet ? runJobSheet(command, err) : runDryRun(command, out, err);
    }

    QApplication app(qtArgc, qtArgv);
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

} // namespace

int main(int argc, char** argv) {
    // Every window, file and stream is closed when run returns.
    return endProcess(run(argc, argv));
}
