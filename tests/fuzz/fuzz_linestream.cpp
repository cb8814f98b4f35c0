// The line reader with tiny buffers, so that every line straddles refills. Read as the rewrite reads
// a file, any mix of single pieces and bulk runs, copied the way the rewrite copies them, gives each
// line once with CR LF, and a line equal to the watched marker always comes out as a whole piece,
// never inside a run. Read as a part file is (a lone CR ends a line too, over a range of a device),
// it gives each of those lines once. Either way each piece starts where the last one stopped.
//
// Input: buffer size and way of reading, the order of calls (a bit pattern), the marker up to a
// double NUL, the file.
#include "fuzzsupport.h"

#include "core/linestream.h"

namespace {

// Lines as a part file's reader sees them: CR LF, a bare LF and a lone CR each end one.
QList<QByteArray> partFileLines(const QByteArray& content) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < content.size(); ++i) {
        if (content[i] != '\r' && content[i] != '\n') continue;
        lines << content.mid(start, i - start);
        if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < content.size()) lines << content.mid(start);
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in{data, size};
    const uint8_t way = in.byte();
    const qsizetype bufferSize = 2 + (way >> 1) % 64;
    const bool partFile = way & 1;
    const quint32 pattern = quint32(in.word()) | 1u;
    // A marker is one line: it never holds an LF.
    const QByteArray marker = in.section(QByteArrayView("\0\0", 2)).left(16).replace('\n', "");
    const QByteArray content = in.rest();

    const QString path = fuzz::freshWorkDir().filePath(QStringLiteral("lines.cvp"));
    fuzz::writeFile(path, content);
    QFile file(path);
    fuzz::check(file.open(QIODevice::ReadOnly), "could not open");
    auto reader = partFile
                      ? std::make_unique<LineReader>(file, 0, content.size(), LineReadOptions{true, true}, bufferSize)
                      : std::make_unique<LineReader>(path, bufferSize);
    fuzz::check(partFile || reader->open(), "could not open");

    QByteArray out;
    qsizetype markersSeen = 0;
    qint64 at = 0;
    LineReader::Piece piece;
    for (int step = 0; reader->next(piece); ++step) {
        fuzz::check(!piece.bytes.isEmpty() || piece.ends, "an empty piece in the middle of a line");
        fuzz::check(piece.offset == at, "a piece that does not start where the last one stopped");
        if (piece.whole() && !marker.isEmpty() && piece.bytes == QByteArrayView(marker)) ++markersSeen;
        out += piece.bytes.toByteArray();
        if (piece.ends) out += "\r\n";
        if (!partFile && (pattern >> (step % 16)) & 1u) {
            for (QByteArrayView run = reader->takeCleanRun(marker); !run.isEmpty();
                 run = reader->takeCleanRun(marker)) {
                fuzz::check(run.endsWith("\r\n"), "a run that does not end a line", run.toByteArray().toHex());
                out += run.toByteArray();
            }
        }
        at = reader->position();
    }
    fuzz::check(!reader->failed(), "read failed");
    fuzz::check(reader->bytesRead() == content.size() && at == content.size(), "not every byte was read");

    const QList<QByteArray> lines = partFile ? partFileLines(content) : fuzz::readerLines(content);
    fuzz::check(out == fuzz::crlfJoined(lines), "lines lost or changed",
                "buffer " + QByteArray::number(bufferSize) + "\ngot " + out.toHex());
    // A marker longer than the buffer cannot be seen whole; the real buffer is far larger than any marker.
    if (!marker.isEmpty() && bufferSize >= marker.size() + 2)
        fuzz::check(markersSeen == lines.count(marker), "a marker line was not seen on its own");
    return 0;
}
