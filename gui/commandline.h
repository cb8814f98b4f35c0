#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The command line: what the program is asked to do, parsed with QCommandLineParser. It runs before
// any window exists, so that --help and --version answer without a display.
struct CommandLine {
    enum class Mode { Window, Help, Version, Error };
    Mode mode = Mode::Window;
    QString file;    // the part file to open, if one was named
    QString message; // Help, Version: what to print; Error: why the line was refused
};

// Parses the arguments (the program's name first), a QCoreApplication existing.
CommandLine parseCommandLine(const QStringList& arguments);
