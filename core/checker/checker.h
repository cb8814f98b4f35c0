#pragma once

#include "core/language/kindcode.h"
#include "core/panel/programmodel.h"
#include "core/partfile/calledfile.h"

#include <QList>
#include <QString>

#include <functional>
#include <vector>

// Finds the mistakes that would otherwise surface only on the router: jumps to missing labels,
// labels defined twice, called files that are gone, variables tested before anything sets them.
// It reports; it never changes the program or stops a save.
namespace checker {

// A note says what the program cannot check, or what will change, without calling it wrong.
enum class Severity { Error, Warning, Note };

// One program line as the checker reads it.
struct Line {
    Kind kind = Kind::None;
    QString held;
    QString comment;
    int row = 0; // the command-line table row that holds it
    // The line as read from a file while it is unedited; empty: the writer composes it from held and
    // comment. The checker reads what the router would read: this line.
    QString written;
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

// What stands at a called file's path (calledfile::find when none is given).
using FileFinder = std::function<calledfile::Found(const QString& path)>;

// The program's lines, top to bottom, as the writer takes them.
QList<Line> linesOf(const ProgramModel& program);
// The lines as read from a part file, rows counted from 1: the same lines the panel would hold.
QList<Line> linesOf(const std::vector<LoadedLine>& lines);

// All findings, in line order. folder is the part file's folder, against which a relative file call
// name is taken; find says what stands at a path (the real file system when empty).
// firstLine is the file line the first of the lines stands on (after the three opening lines, and
// after a header when the file has one).
QList<Finding> check(const QList<Line>& lines, const QString& folder, const FileFinder& find = {}, int firstLine = 4);
QList<Finding> check(const ProgramModel& program, const QString& folder, const FileFinder& find = {},
                     int firstLine = 4);

int count(const QList<Finding>& findings, Severity s);

// The file a File call line's held text names, as the router finds it (a relative name taken from
// folder); empty when the name holds a variable, is a Windows path that cannot be reached here, or
// there is nowhere to take a relative name from.
QString calledFilePath(const QString& held, const QString& folder);

} // namespace checker
