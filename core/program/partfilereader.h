#pragma once

#include "core/program/programmodel.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <vector>

// Reads a part file back into the blocks it was built from. A line becomes the block whose written
// form it has; what is no block (the opening lines, a Headsmith header and closing block with the
// lines beside them) is kept as bytes and written back unchanged.
namespace partfilereader {

struct ReadResult {
    bool ok = false;
    QString error; // why the file was refused, when ok is false
    std::vector<LoadedLine> lines;
    QList<QByteArray> head;    // a Headsmith header and the empty lines after it
    QList<QByteArray> opening; // the three opening lines as they stood; empty when the file had none
    QList<QByteArray> tail;    // a closing block and every line after it
};

// The lines of content: CR LF, LF and a lone CR each end one; a last line without an end counts.
QList<QByteArray> splitLines(const QByteArray& content);

// The blocks and kept lines of a part file's bytes, or a refusal (NUL bytes, a control character in
// a program line, more program lines than the table takes). Never fails otherwise: a line of no
// known form becomes a free command holding the whole line.
ReadResult read(const QByteArray& content);

// A file read through the same rules; a file that is missing, no regular file or unreadable is
// refused with the reason.
ReadResult readFile(const QString& path);

// Puts what was read onto the panel (from the top) and keeps the other lines for the writer.
// False, with nothing changed, when the panel refuses the lines.
bool apply(const ReadResult& result, ProgramModel& panel);

// After Headsmith rewrote the saved file: its new header, opening and closing lines become the kept
// ones when its program lines are still the panel's; otherwise (lines that stood after an old
// closing block now stand before the new one) the whole file goes onto the panel, so that the next
// save writes what the file holds. False, with nothing changed, when the read was refused.
bool takeRewritten(const ReadResult& result, ProgramModel& panel);

} // namespace partfilereader
