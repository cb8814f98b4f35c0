#pragma once

#include "core/dryrun/dryrun.h"
#include "core/panel/programmodel.h"
#include "core/partfile/partfile.h"
#include "core/partfile/partfilescan.h"

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

// The blocks and kept lines of a part file's bytes, or a refusal (NUL bytes in a program line, more
// program lines than the table takes, or more text in them than a program holds). Never fails
// otherwise: a line of no known form becomes a free command holding the whole line, and so does a
// line with a control character in it, which is written back as it was read.
ReadResult read(const QByteArray& content);

// A file read through the same rules, in time linear in its size and in bounded memory: its header
// and closing block are remembered by where they lie in it, not held. A file that is missing, no
// regular file, unreadable or changed while it was read is refused with the reason; so is one whose
// program lines pass what the table takes, as soon as the line past it is read.
ReadResult readFile(const QString& path, partfilescan::Mode mode = partfilescan::Mode::Whole);

// Where the kept parts of the file at path lie, whatever its program lines hold (they are not read).
ReadResult readKept(const QString& path);

// A part file on disk as the dry run runs it: its lines as they stand, numbered from 1, those of a
// kept header and closing block marked as theirs (and read only up to partfile::DryRunKeptLines);
// name is how the caller names the file.
dryrun::Loaded readForDryRun(const QString& path, const QString& name,
                             partfilescan::Mode mode = partfilescan::Mode::Whole);

// Whether the program lines read are those of the program, as the writer would write them: after a
// rewrite by Headsmith they are, unless lines that stood after an old closing block now stand before
// the new one.
bool sameProgram(const ReadResult& result, const ProgramModel& program);

} // namespace partfilereader
