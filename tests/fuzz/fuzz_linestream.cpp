// The part-file reader with tiny buffers, so that every line straddles refills: any mix of single
// pieces and bulk runs, copied the way the rewrite copies them, gives each line once with CR LF,
// and a line equal to the watched marker always comes out as a whole piece, never inside a run.
//
// Input: buffer size, the order of calls (a bit pattern), the marker up to a double NUL, the file.
#include "fuzzsupport.h"

#include "core/headsmith/linestream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in{data, size};
    const qsizetype bufferSize = 2 + in.byte() % 64;
    const quint32 pattern = quint32(in.word()) | 1u;
    // A marker is one line: it never holds an LF.
    const QByteArray marker = in.section(QByteArrayView("\0\0", 2)).left(16).replace('\n', "");
    const QByteArray content = in.rest();

    const QString path = fuzz::freshWorkDir().filePath(QStringLiteral("lines.cvp"));
    fuzz::writeFile(path, content);
    LineReader reader(path, bufferSize);
    fuzz::check(reader.open(), "could not open");

    QByteArray out;
    qsizetype markersSeen = 0;
    LineReader::Piece piece;
    for (int step = 0; reader.next(piece); ++step) {
        fuzz::check(!piece.bytes.isEmpty() || piece.ends, "an empty piece in the middle of a line");
        if (piece.whole() && !marker.isEmpty() && piece.bytes == QByteArrayView(marker)) ++markersSeen;
        out += piece.bytes.toByteArray();
        if (piece.ends) out += "\r\n";
        if ((pattern >> (step % 16)) & 1u) {
            for (QByteArrayView run = reader.takeCleanRun(marker); !run.isEmpty(); run = reader.takeCleanRun(marker)) {
                fuzz::check(run.endsWith("\r\n"), "a run that does not end a line", run.toByteArray().toHex());
                out += run.toByteArray();
            }
        }
    }
    fuzz::check(!reader.failed(), "read failed");
    fuzz::check(reader.bytesRead() == content.size(), "not every byte was read");

    const QList<QByteArray> lines = fuzz::readerLines(content);
    fuzz::check(out == fuzz::crlfJoined(lines), "lines lost or changed",
                "buffer " + QByteArray::number(bufferSize) + "\ngot " + out.toHex());
    // A marker longer than the buffer cannot be seen whole; the real buffer is far larger than any marker.
    if (!marker.isEmpty() && bufferSize >= marker.size() + 2)
        fuzz::check(markersSeen == lines.count(marker), "a marker line was not seen on its own");
    return 0;
}
