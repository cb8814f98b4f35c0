#pragma once

#include <QString>
#include <QStringList>

// The command line: what the program is asked to do, parsed with QCommandLineParser. It runs before
// any window exists, so that --help, --version and the modes without a window need no display.
struct CommandLine {
    enum class Mode { Window, Help, Version, Check, DryRun, JobSheet, Error };
    Mode mode = Mode::Window;
    QString file;    // the part file to open, check or run, as given
    QString message; // Help, Version: what to print; Error: why the line was refused
    // The dry run's options (the job sheet's answers too).
    QStringList answers; // NAME=VALUE, as given
    bool json = false;
    QString toolpathImage; // OUT.png or OUT.svg
    QString cutImage;      // OUT.png: the carved blank
    double cell = 0;       // the carve's cell in the file's unit; 0: the memory budget's
    QString jobSheet;      // OUT.pdf
};

// Parses the arguments (the program's name first), a QCoreApplication existing.
CommandLine parseCommandLine(const QStringList& arguments);
