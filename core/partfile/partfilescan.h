#pragma once

#include "core/partfile/keptfile.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class QIODevice;

// Finds the parts of a part file in one streaming pass (two when a header has no end line): a byte-order
// mark, a Headsmith header, the opening lines, the program lines, a closing block with what follows it
// and a trailing end-of-file byte, and the file's encoding. Time is linear in the size and memory
// bounded: the header and closing block are only measured; the program lines, at most a hundred, are
// the only lines held.
namespace partfilescan {

// The program lines of a part file hold at most this much text; more cannot be a program anyone made.
inline constexpr qint64 MaxProgramBytes = qint64(4) << 20;

struct Scan {
    bool ok = false;
    QString error;                   // why the file was refused, when ok is false
    std::vector<QByteArray> program; // the program lines' bytes, top to bottom
    KeptFile kept;                   // all but the path, identity and memory, which the caller sets
};

enum class Mode {
    Whole,    // the file as Open reads it: its program lines too, refused when they cannot be a program
    KeptOnly, // only where the kept parts lie, whatever the program lines hold
    AnyCount  // as Whole, but any number of program lines (up to MaxProgramBytes): what --check reads
};

// Scans a device opened for reading, from its start to its size.
Scan scan(QIODevice& device, Mode mode = Mode::Whole, qsizetype bufferSize = LineReader::DefaultBuffer);

} // namespace partfilescan
