#pragma once

#include "core/dryrun/dryrun.h"
#include "core/language/commandkinds.h"
#include "core/partfile/keptfile.h"
#include "core/textfile.h"

#include <QStringList>

class ProgramModel;
struct ProgramLine;

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

// Writes the program to path in the kept file's encoding, CR LF after every line, with what is kept
// from an opened file in its places: the byte-order mark, the header and the opening lines above the
// program, the closing block and an end-of-file byte below it. The header and closing block are
// streamed from the file they were read from, before the new content takes its place; when that file
// is no longer what it was they cannot be kept, and nothing is written. So is nothing when a line
// holds a line break or another control character (a program fault) or a character the encoding
// cannot hold. written (if given) receives where the kept parts now lie in the written file.
FileResult write(const QString& path, const ProgramModel& program, const KeptLines& kept, KeptFile* written = nullptr);

// A kept header or closing block is run by the dry run up to this many lines; the rest is named as
// not simulated. A closing file copied in may be millions of lines, which no preview needs whole.
inline constexpr qint64 DryRunKeptLines = 100000;

// The file as the dry run reads it: the kept header, then the given lines (the opening lines and
// the program), then the kept closing block, each line numbered as it stands in the file, the kept
// blocks' lines marked as theirs and bounded as above.
dryrun::Program dryRunLines(const KeptLines& kept, const QStringList& lines, const QString& name,
                            const QString& folder);

// The file as Save would write it, as the dry run reads it.
dryrun::Program dryRunProgram(const ProgramModel& program, const KeptLines& kept, const QString& name,
                              const QString& folder);

// The kept blocks as a text view shows them: a short block whole, a long one by its first and last
// lines; error says why a block could not be read.
struct KeptText {
    struct Block {
        QStringList first;
        QStringList last;
        qint64 lines = 0; // in the whole block
        qint64 skipped() const { return lines - first.size() - last.size(); }
    };
    Block head;
    QStringList opening; // as written: the kept ones, else the standard ones
    Block tail;
    QString error;
};
KeptText keptText(const KeptLines& kept, int edgeLines = 100);

// The file line on which the program's row n is written, and the row written on a file line (0 for
// a line that is no row of the program).
int fileLineOfRow(const KeptLines& kept, int row);
int rowOfFileLine(const ProgramModel& program, const KeptLines& kept, int line);

} // namespace partfile
