#pragma once

#include "core/program/kindcode.h"

#include <QList>
#include <QString>

#include <functional>

class ProgramModel;

// Finds the mistakes that would otherwise surface only on the router: jumps to missing labels,
// labels defined twice, called files that are gone, variables tested before anything sets them.
// It reports; it never changes the program or stops a save.
namespace checker {

enum class Severity { Error, Warning };

// One program line as the checker reads it.
struct Line {
    Kind kind = Kind::None;
    QString held;
    QString comment;
    int row = 0; // the command-line table row that holds it
};

struct Finding {
    QString rule; // the rule's fixed name, for tests and logs
    Severity severity = Severity::Warning;
    int row = 0;     // table row, for finding the block
    int line = 0;    // line number in the written part file (the three opening lines count)
    QString text;    // the line as written
    QString message; // one plain sentence
    QString file;    // the called file it was found in, as the calling line names it; empty for this part file
    bool operator==(const Finding&) const = default;
};

using FileExists = std::function<bool(const QString& path)>;

// The program's lines, top to bottom, as the writer takes them.
QList<Line> linesOf(const ProgramModel& program);

// All findings, in line order. folder is the part file's folder, against which a relative file call
// name is taken; exists tells whether a file is there (the real file system when empty).
// firstLine is the file line the first of the lines stands on (after the three opening lines, and
// after a header when the file has one).
QList<Finding> check(const QList<Line>& lines, const QString& folder, const FileExists& exists = {}, int firstLine = 4);
QList<Finding> check(const ProgramModel& program, const QString& folder, const FileExists& exists = {},
                     int firstLine = 4);

int count(const QList<Finding>& findings, Severity s);

// The file a File call line's held text names, a relative name taken from folder; empty when the
// name holds a variable or there is nowhere to take a relative name from.
QString calledFilePath(const QString& held, const QString& folder);

} // namespace checker
