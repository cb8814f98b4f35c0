#include "core/linestream.h"

#include "platform/regularfile.h"
#include "platform/savefile.h"
#include "platform/writeback.h"

#include <QCoreApplication>
#include <QtEndian>

#include <cstring>

LineReader::LineReader(const QString& path, qsizetype bufferSize, Options options)
    : m_file(std::make_unique<QFile>(path)), m_device(m_file.get()), m_options(options),
      m_capacity(qMax<qsizetype>(bufferSize, 2)), m_buffer(new char[static_cast<std::size_t>(m_capacity)]) {}

LineReader::LineReader(QIODevice& device, qint64 from, qint64 to, Options options, qsizetype bufferSize)
    : m_device(&device), m_options(options), m_capacity(qMax<qsizetype>(bufferSize, 2)),
      m_buffer(new char[static_cast<std::size_t>(m_capacity)]) {
    setRange(from, to);
}

LineReader::~LineReader() = default;

bool LineReader::open() {
    // Only a regular file: a FIFO would block here. Unbuffered: the reader keeps its own buffer, so
    // Qt's would only add a copy.
    return m_file && regularfile::openForReading(*m_file, &m_why, QIODevice::Unbuffered);
}

void LineReader::close() {
    if (m_file) m_file->close();
    m_limit = 0;
    m_pos = m_end = 0;
}

bool LineReader::setRange(qint64 from, qint64 to) {
    if (!m_device->seek(from)) return fail(m_device->errorString());
    m_base = from;
    m_limit = qMax<qint64>(0, to - from);
    return true;
}

bool LineReader::fail(const QString& why) {
    m_failed = m_eof = true;
    m_why = why;
    return false;
}

bool LineReader::refill() {
    if (m_pos > 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_pos, static_cast<std::size_t>(m_end - m_pos));
        m_base += m_pos;
        m_end -= m_pos;
        m_pos = 0;
    }
    const qint64 room = m_limit < 0 ? m_capacity - m_end : qMin<qint64>(m_capacity - m_end, m_limit);
    const qint64 n = room > 0 ? m_device->read(m_buffer.get() + m_end, room) : 0;
    if (n < 0) return fail(m_device->errorString());
    if (n == 0) {
        if (m_options.wholeRange && m_limit > 0)
            return fail(QCoreApplication::translate("partfile", "The file ended sooner than when it was read."));
        m_eof = true;
        return false;
    }
    m_end += n;
    m_read += n;
    if (m_limit >= 0) m_limit -= n;
    return true;
}

bool LineReader::next(Piece& piece) {
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
            if (m_options.loneCrEnds) {
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
            }
            if (nl) {
                const qsizetype at = nl - base;
                const qsizetype stop = at > m_pos && base[at - 1] == '\r' ? at - 1 : at;
                return give(m_pos, stop, true, at + 1 - stop);
            }
        }
        if (m_eof) {
            if (m_failed) return false;
            // The input stopped right after a piece of an unfinished line: that line still ends here.
            if (m_pos >= m_end) return !m_atLineStart && give(m_end, m_end, true, 0);
            // The last line has no line end; a lone CR there was meant as one.
            const qsizetype stop = base[m_end - 1] == '\r' ? m_end - 1 : m_end;
            return give(m_pos, stop, true, m_end - stop);
        }
        if (m_pos == 0 && m_end == m_capacity) {
            // A line longer than the buffer: hand out what we have, keeping a trailing CR back in
            // case the LF that makes it a line end comes with the next read.
            const qsizetype stop = base[m_end - 1] == '\r' ? m_end - 1 : m_end;
            return give(0, stop, false, 0);
        }
        refill();
    }
}

namespace {

constexpr quint64 Ones = 0x0101010101010101ULL;
constexpr quint64 Low7 = 0x7f7f7f7f7f7f7f7fULL;

// The high bit of every byte of x that is zero, and of no other (no borrow runs across bytes).
inline quint64 zeroBytes(quint64 x) {
    return ~(((x & Low7) + Low7) | x | Low7);
}

inline quint64 load(const char* p) {
    quint64 w;
    std::memcpy(&w, p, sizeof w);
    return qFromLittleEndian(w);
}

struct Attention {
    qsizetype at; // offset of the byte that needs a look, or n
    bool bareLf;  // an LF without a CR before it (else a line starting with the watched byte)
};

// Finds the first byte in [p, p + n) that stops a plain copy: an LF without a CR right before it,
// or, when watch is set, the byte lead at the start of a line. startsLine tells whether p starts a
// line (the byte before it is then taken as an LF). Eight bytes at a time: on a large file this
// scan is most of the work.
Attention scanLines(const char* p, qsizetype n, bool startsLine, bool watch, char lead) {
    quint64 crCarry = 0;                     // high bit of byte 0: the byte before the word was a CR
    quint64 lfCarry = startsLine ? 0x80 : 0; // ... was an LF
    const quint64 leads = Ones * static_cast<unsigned char>(lead);
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        const quint64 w = load(p + i);
        const quint64 lf = zeroBytes(w ^ (Ones * '\n'));
        const quint64 cr = zeroBytes(w ^ (Ones * '\r'));
        quint64 hit = lf & ~((cr << 8) | crCarry);
        if (watch) hit |= zeroBytes(w ^ leads) & ((lf << 8) | lfCarry);
        if (hit) break;
        crCarry = cr >> 56;
        lfCarry = lf >> 56;
    }
    char prev = i > 0 ? p[i - 1] : (startsLine ? '\n' : '\0');
    for (; i < n; ++i) {
        const char c = p[i];
        if (c == '\n' && prev != '\r') return {i, true};
        if (watch && c == lead && prev == '\n') return {i, false};
        prev = c;
    }
    return {n, false};
}

} // namespace

QByteArrayView LineReader::takeCleanRun(QByteArrayView stopLine) {
    Q_ASSERT(!m_options.loneCrEnds);
    if (!m_atLineStart || m_pos >= m_end) return {};
    const char* const base = m_buffer.get();
    // Whole lines only: up to the last LF in the buffer.
    qsizetype limit = m_end;
    while (limit > m_pos && base[limit - 1] != '\n')
        --limit;
    if (limit == m_pos) return {};

    const bool watch = !stopLine.isEmpty();
    const char lead = watch ? stopLine.front() : '\0';
    qsizetype stop = limit;
    qsizetype from = m_pos;
    bool startsLine = true;
    while (from < limit) {
        const Attention a = scanLines(base + from, limit - from, startsLine, watch, lead);
        const qsizetype at = from + a.at;
        if (at >= limit) break;
        if (a.bareLf) {
            stop = at;
            while (stop > m_pos && base[stop - 1] != '\n')
                --stop; // back to the start of that line
            break;
        }
        const qsizetype after = at + stopLine.size();
        if (after + 2 <= limit && std::memcmp(base + at, stopLine.data(), std::size_t(stopLine.size())) == 0 &&
            base[after] == '\r' && base[after + 1] == '\n') {
            stop = at;
            break;
        }
        from = at + 1;
        startsLine = false;
    }

    const QByteArrayView run(base + m_pos, stop - m_pos);
    m_pos = stop;
    return run;
}

LineWriter::LineWriter(QFileDevice& device, qsizetype bufferSize)
    : m_device(device), m_capacity(qMax<qsizetype>(bufferSize, 2)),
      m_buffer(new char[static_cast<std::size_t>(m_capacity)]) {}

void LineWriter::put(QByteArrayView bytes) {
    // An empty piece (no byte-order mark, say) may have no data pointer at all: nothing to copy.
    if (m_failed || bytes.isEmpty()) return;
    // Large pieces go straight to the device rather than through the buffer.
    if (bytes.size() >= m_capacity / 4) {
        if (flush()) write(bytes.data(), bytes.size());
        return;
    }
    if (m_used + bytes.size() > m_capacity && !flush()) return;
    std::memcpy(m_buffer.get() + m_used, bytes.data(), static_cast<std::size_t>(bytes.size()));
    m_used += bytes.size();
}

bool LineWriter::flush() {
    if (m_failed) return false;
    if (m_used > 0) write(m_buffer.get(), m_used);
    m_used = 0;
    return !m_failed;
}

bool LineWriter::write(const char* data, qsizetype size) {
    if (m_device.write(data, size) != size) {
        m_failed = true;
        return false;
    }
    m_written += size;
    if (m_written - m_handedOn >= WritebackStep) {
        startWriteback(m_device.handle(), m_handedOn, m_written - m_handedOn);
        m_handedOn = m_written;
    }
    return true;
}

StreamedReplace::StreamedReplace(const QString& path, qsizetype bufferSize)
    : m_reader(path, bufferSize), m_out(std::make_unique<SaveFile>(path)), m_writer(*m_out, bufferSize) {}

StreamedReplace::~StreamedReplace() = default;

bool StreamedReplace::openReader() {
    return m_reader.open();
}

bool StreamedReplace::openWriter() {
    // Unbuffered: the writer keeps its own large buffer.
    return m_out->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

QString StreamedReplace::writeError() const {
    return m_error.isEmpty() ? m_out->errorString() : m_error;
}

bool StreamedReplace::commit() {
    if (!m_writer.flush()) {
        cancel();
        return false;
    }
    m_reader.close();
    if (m_out->commit()) return true;
    m_error = m_out->errorString();
    return false;
}

void StreamedReplace::cancel() {
    // The reason stays readable after the cancel, which would replace it with a generic one.
    if (m_error.isEmpty()) m_error = m_out->errorString();
    m_out->cancelWriting();
}
