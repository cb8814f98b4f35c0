#pragma once

#include "core/linestream.h"
#include "core/textfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QIODevice;

// What a file on disk was when it was last looked at: when either differs later, someone changed it.
struct FileIdentity {
    qint64 size = -1; // -1: there was no file
    QDateTime modified;

    static FileIdentity of(const QString& path);
    bool exists() const { return size >= 0; }
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// Bytes [offset, offset + length) of a file, holding `lines` lines.
struct KeptRegion {
    qint64 offset = 0;
    qint64 length = 0;
    qint64 lines = 0;
    bool isEmpty() const { return lines == 0; }
    friend bool operator==(const KeptRegion&, const KeptRegion&) = default;
};

// What is kept of an opened part file beside its program. Headsmith copies whole opening and closing
// files in, so a header or closing block may run to millions of lines: they are not held in memory
// but found where they lie in the file they were read from, for as long as that file is what it was.
struct KeptFile {
    QString path;              // the file the regions lie in; empty when they lie in memory
    FileIdentity identity;     // that file when the regions were found in it
    QByteArray memory;         // the content itself, for a file read from memory
    QByteArray bom;            // a UTF-8 byte-order mark the file began with
    KeptRegion head;           // a Headsmith header with the empty lines after it
    QList<QByteArray> opening; // the three opening lines as they stood; empty: the standard ones are written
    KeptRegion tail;           // a closing block and every line after it
    bool eofMark = false;      // the file ended with the end-of-file byte 0x1A of old editors
    // The first line (from 1, in the file as it stands) ended by LF or CR alone, which Save writes
    // with CR LF; 0 when every line ends in CR LF or is the last without an end.
    qint64 bareEndLine = 0;
    bool bareEndCr = false; // that line ends in CR alone
    textfile::Encoding encoding = textfile::Encoding::Windows1252;

    bool hasRegions() const { return !head.isEmpty() || !tail.isEmpty(); }
};

// The kept part of the part file as the document holds it. Shared: when a save moves the kept blocks
// to other places in the file it replaced, every holder (an undo step too) finds them there.
struct KeptLines {
    std::shared_ptr<KeptFile> file; // null: nothing kept (a part file never read)

    qint64 headLines() const { return file ? file->head.lines : 0; }
    qint64 tailLines() const { return file ? file->tail.lines : 0; }
    textfile::Encoding encoding() const { return file ? file->encoding : textfile::Encoding::Windows1252; }
    QList<QByteArray> opening() const { return file ? file->opening : QList<QByteArray>(); }
    friend bool operator==(const KeptLines&, const KeptLines&) = default;
};

namespace keptfile {

// How a part file's lines are read: a lone CR ends a line too, and a file that ends before a region
// measured in it has changed.
inline constexpr LineReader::Options Lines{.loneCrEnds = true, .wholeRange = true};

// The kept file opened for reading its regions, or nothing with *why saying why (in particular when
// the file on disk is no longer what it was when they were found in it).
std::unique_ptr<QIODevice> open(const KeptFile& kept, QString* why);

// Whether the file the regions lie in is still what it was.
bool unchanged(const KeptFile& kept);

// Copies a region's lines to out, each ended by CR LF; *written grows by the bytes put out. False
// with *why when the source could not be read or no longer holds the region.
bool copy(QIODevice& source, const KeptRegion& region, LineWriter& out, qint64* written, QString* why);

// Up to count lines of a region, decoded: its first lines, or its last when fromEnd. At most maxBytes
// are read; only whole lines are given. From the start, *stopped (if given) receives where the line
// after the last one given begins.
QStringList lines(QIODevice& source, const KeptRegion& region, textfile::Encoding encoding, qint64 count,
                  bool fromEnd = false, qint64 maxBytes = qint64(4) << 20, qint64* stopped = nullptr);

} // namespace keptfile
