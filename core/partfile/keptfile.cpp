#include "core/partfile/keptfile.h"

#include "core/headsmith/linestream.h"
#include "platform/regularfile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <deque>

FileIdentity FileIdentity::of(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return {};
    return {info.size(), info.lastModified()};
}

PartLineReader::PartLineReader(QIODevice& device, qint64 from, qint64 to, qsizetype bufferSize)
    : m_device(device), m_to(to), m_base(from), m_capacity(qMax<qsizetype>(bufferSize, 2)),
      m_buffer(new char[static_cast<std::size_t>(m_capacity)]) {
    if (!m_device.seek(from)) {
        m_failed = m_eof = true;
        m_why = m_device.errorString();
    }
}

bool PartLineReader::refill() {
    if (m_pos > 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_pos, static_cast<std::size_t>(m_end - m_pos));
        m_base += m_pos;
        m_end -= m_pos;
        m_pos = 0;
    }
    const qint64 want = qMin<qint64>(m_capacity - m_end, m_to - (m_base + m_end));
    if (want <= 0) {
        m_eof = true;
        return false;
    }
    const qint64 n = m_device.read(m_buffer.get() + m_end, want);
    if (n <= 0) {
        // The range was measured when the file was read first: a file that ends sooner has changed.
        m_failed = m_eof = true;
        m_why = n < 0 ? m_device.errorString()
                      : QCoreApplication::translate("partfile", "The file ended sooner than when it was read.");
        return false;
    }
    m_end += n;
    return true;
}

bool PartLineReader::next(Piece& piece) {
    const auto give = [&](qsizetype from, qsizetype to, bool ends, qsizetype skip) {
        using End = Piece::End;
        const End end = !ends || skip == 0     ? End::None
                        : skip == 2            ? End::CrLf
                        : m_buffer[to] == '\r' ? End::Cr
                                               : End::Lf;
        piece = Piece{QByteArrayView(m_buffer.get() + from, to - from), m_base + from, m_atLineStart, ends, end};
        m_pos = to + skip;
        m_atLineStart = ends;
        return true;
    };
    for (;;) {
        const char* const base = m_buffer.get();
        if (m_pos < m_end) {
            const char* const p = base + m_pos;
            const auto avail = static_cast<std::size_t>(m_end - m_pos);
            const auto* nl = static_cast<const char*>(std::memchr(p, '\n', avail));
            const auto* cr =
                static_cast<const char*>(std::memchr(p, '\r', nl ? static_cast<std::size_t>(nl - p) : avail));
            if (cr) {
                const qsizetype at = cr - base;
                if (at + 1 < m_end) return give(m_pos, at, true, base[at + 1] == '\n' ? 2 : 1);
                if (m_eof) return give(m_pos, at, true, 1);
                // A CR at the end of the buffer: whether an LF follows comes with the next read.
                if (m_pos == 0 && m_end == m_capacity) return give(0, at, false, 0);
                refill();
                continue;
            }
            if (nl) return give(m_pos, nl - base, true, 1);
        }
        if (m_eof) {
            if (m_failed) return false;
            if (m_pos >= m_end) {
                // The range stopped right after a piece of an unfinished line: that line ends here.
                if (m_atLineStart) return false;
                return give(m_end, m_end, true, 0);
            }
            return give(m_pos, m_end, true, 0);
        }
        if (m_pos == 0 && m_end == m_capacity) return give(0, m_end, false, 0);
        refill();
    }
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
    PartLineReader in(source, region.offset, region.offset + region.length);
    PartLineReader::Piece piece;
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
    PartLineReader in(source, from, end);
    PartLineReader::Piece piece;
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
