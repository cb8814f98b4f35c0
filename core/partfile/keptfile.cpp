#include "core/partfile/keptfile.h"

#include "platform/regularfile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <deque>

FileIdentity FileIdentity::of(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return {};
    return {info.size(), info.lastModified()};
}

namespace keptfile {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("partfile", text);
}

} // namespace

bool unchanged(const KeptFile& kept) {
    return kept.path.isEmpty() || FileIdentity::of(kept.path) == kept.identity;
}

std::unique_ptr<QIODevice> open(const KeptFile& kept, QString* why) {
    if (kept.path.isEmpty()) {
        auto buffer = std::make_unique<QBuffer>();
        buffer->setData(kept.memory);
        buffer->open(QIODevice::ReadOnly);
        return buffer;
    }
    if (!unchanged(kept)) {
        if (why)
            *why = FileIdentity::of(kept.path).exists()
                       ? tr("The file was changed by another program since it was read.")
                       : tr("The file is no longer there.");
        return nullptr;
    }
    auto file = std::make_unique<QFile>(kept.path);
    // Unbuffered: the line reader keeps its own buffer.
    if (!regularfile::openForReading(*file, why, QIODevice::Unbuffered)) return nullptr;
    return file;
}

bool copy(QIODevice& source, const KeptRegion& region, LineWriter& out, qint64* written, QString* why) {
    LineReader in(source, region.offset, region.offset + region.length, Lines);
    LineReader::Piece piece;
    qint64 lines = 0;
    while (in.next(piece) && !out.failed()) {
        out.put(piece.bytes);
        *written += piece.bytes.size();
        if (piece.ends) {
            out.endLine();
            *written += 2;
            ++lines;
        }
    }
    if (in.failed()) {
        if (why) *why = in.errorString();
        return false;
    }
    if (!out.failed() && lines != region.lines) {
        if (why) *why = tr("The file no longer holds the lines it held when it was read.");
        return false;
    }
    return true;
}

QStringList lines(QIODevice& source, const KeptRegion& region, textfile::Encoding encoding, qint64 count, bool fromEnd,
                  qint64 maxBytes, qint64* stopped) {
    const qint64 end = region.offset + region.length;
    const qint64 from = fromEnd ? qMax(region.offset, end - maxBytes) : region.offset;
    // Read from the middle of the region, the first line may be the end of a longer one.
    bool partial = fromEnd && from > region.offset;
    if (partial && source.seek(from - 1)) {
        const QByteArray around = source.read(2);
        partial = !(around.size() == 2 && (around[0] == '\n' || (around[0] == '\r' && around[1] != '\n')));
    }
    LineReader in(source, from, end, Lines);
    LineReader::Piece piece;
    std::deque<QByteArray> kept;
    QByteArray line;
    qint64 bytes = 0;
    if (stopped) *stopped = from;
    while (qint64(kept.size()) < count || fromEnd) {
        if (!in.next(piece)) break;
        if (!fromEnd && bytes + piece.bytes.size() > maxBytes) break;
        bytes += piece.bytes.size();
        line += piece.bytes;
        if (!piece.ends) continue;
        if (!std::exchange(partial, false)) kept.push_back(std::exchange(line, QByteArray()));
        line.clear();
        if (fromEnd && qint64(kept.size()) > count) kept.pop_front();
        if (stopped) *stopped = in.position();
    }
    QStringList out;
    for (const QByteArray& l : kept)
        out << textfile::decode(l, encoding);
    return out;
}

} // namespace keptfile
