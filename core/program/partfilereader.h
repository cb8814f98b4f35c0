#pragma once

#include "core/program/dryrun.h"
#include "core/program/partfile.h"
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
    KeptLines kept;
};

// The blocks and kept lines of a part file's bytes, or a refusal (NUL bytes, a control character in
// a program line, more program lines than the table takes). Never fails otherwise: a line of no
// known form becomes a free command holding the whole line.
ReadResult read(const QByteArray& content);

// A file read through the same rules; a file that is missing, no regular file or unreadable is
// refused with the reason.
ReadResult readFile(const QString& path);

// The whole file as File > Open reads it (a regular file, links followed, of at most 64 MiB), or
// nothing with error naming the file and the reason.
std::optional<QByteArray> readContent(const QString& path, QString* error);

// A part file on disk as the dry run runs it: its lines as they stand, numbered from 1, those of a
// kept header and closing block marked as theirs; name is how the caller names the file.
dryrun::Loaded readForDryRun(const QString& path, const QString& name);

// Whether the program lines read are those of the program, as the writer would write them: after a
// rewrite by Headsmith they are, unless lines that stood after an old closing block now stand before
// the new one.
bool sameProgram(const ReadResult& result, const ProgramModel& program);

} // namespace partfilereader
