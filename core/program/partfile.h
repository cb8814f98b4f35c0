#pragma once

#include "core/program/commandkinds.h"
#include "core/program/dryrun.h"
#include "core/textfile.h"

#include <QStringList>

class ProgramModel;
struct ProgramLine;

// Lines of an opened part file that are no program lines, written back unchanged around the program:
// a Headsmith header with the lines kept after it, the opening lines as they stood (empty: the
// standard ones are written), and a closing block with the lines after it.
struct KeptLines {
    QList<QByteArray> head;
    QList<QByteArray> opening;
    QList<QByteArray> tail;
    bool operator==(const KeptLines&) const = default;
};

namespace partfile {

inline const QString CreatedLine = QStringLiteral("' Created using the Corvane Part File Stacker");
inline const QString NoticeLine =
    QStringLiteral("' Corvane Part File Stacker (c) Corvane; free to use and share, provided as is, without warranty.");
inline const QString ThirdLine = QStringLiteral("'");

// An INPUT line as written: the variable's "&&" (the first one after the prompt's closing quote)
// back to one "&"; a prompt is written as typed. A text without a closing quote followed by " &&"
// has its first "&&" un-doubled.
QString writtenInput(const QString& held);

// The line written for one block; empty optional for a code that writes no line.
std::optional<QString> composeLine(Kind k, const QString& held, const QString& inlineComment);

// The line written for a program line: the line as read while it is unedited, else composed.
std::optional<QString> lineOf(const ProgramLine& line);

// The whole part file: the three opening lines, then one line per row of the table, top to bottom.
QStringList programLines(const ProgramModel& program);

// Writes the program to path (system 8-bit encoding, CR LF after every line), with the lines kept
// from an opened file in their places. A line holding a line break or another control character is
// a program fault: refused like a failed write, nothing written.
FileResult write(const QString& path, const ProgramModel& program, const KeptLines& kept);

// The file as Save would write it, as the dry run reads it: the kept header, the opening lines, the
// program and the kept closing block, each line numbered from 1 as it will stand in the file, the
// kept blocks' lines marked as theirs.
dryrun::Program dryRunProgram(const ProgramModel& program, const KeptLines& kept, const QString& name,
                              const QString& folder);

// The file line on which the program's row n is written, and the row written on a file line (0 for
// a line that is no row of the program).
int fileLineOfRow(const KeptLines& kept, int row);
int rowOfFileLine(const ProgramModel& program, const KeptLines& kept, int line);

} // namespace partfile
