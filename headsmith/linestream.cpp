#include "headsmith/linestream.h"

#include <cstring>

LineReader::LineReader(const QString& path, qsizetype bufferSize)
    : m_file(path), m_capacity(qMax<qsizetype>(bufferSize, 2)),
      m_buffer(new char[static_cast<std::size_t>(m_capacity)])
{
}

bool LineReader::open()
{
    // Unbuffered: the reader keeps its own buffer, so Qt's would only add a copy.
    return m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

bool LineReader::refill()
{
    if (m_pos > 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_pos, static_cast<std::size_t>(m_end - m_pos));
        m_end -= m_pos;
        m_pos = 0;
    }
    const qint64 n = m_file.read(m_buffer.get() + m_end, m_capacity - m_end);
    if (n < 0) {
        m_failed = true;
        m_eof = true;
        return false;
    }
    if (n == 0) {
        m_eof = true;
        return false;
    }
    m_end += n;
    m_read += n;
    return true;
}

bool LineReader::next(Piece& piece)
{
    for (;;) {
        char* const base = m_buffer.get();
        if (m_pos < m_end) {
            const void* nl = std::memchr(base + m_pos, '\n', static_cast<std::size_t>(m_end - m_pos));
            if (nl) {
                const qsizetype at = static_cast<const char*>(nl) - base;
                qsizetype stop = at;
                if (stop > m_pos && base[stop - 1] == '\r')
                    --stop;
                piece = Piece{QByteArrayView(base + m_pos, stop - m_pos), m_atLineStart, true};
                m_pos = at + 1;
                m_atLineStart = true;
                return true;
            }
        }
        if (m_eof) {
            if (m_failed || m_pos >= m_end)
                return false;
            // The last line has no line end; a lone CR there was meant as one.
            qsizetype stop = m_end;
            if (base[stop - 1] == '\r')
                --stop;
            piece = Piece{QByteArrayView(base + m_pos, stop - m_pos), m_atLineStart, true};
            m_pos = m_end;
            m_atLineStart = true;
            return true;
        }
        if (m_pos == 0 && m_end == m_capacity) {
            // A line longer than the buffer: hand out what we have, keeping a trailing CR back in
            // case the LF that makes it a line end comes with the next read.
            qsizetype stop = m_end;
            if (base[stop - 1] == '\r')
                --stop;
            piece = Piece{QByteArrayView(base, stop), m_atLineStart, false};
            m_pos = stop;
            m_atLineStart = false;
            return true;
        }
        refill();
    }
}

LineWriter::LineWriter(QFileDevice& device, qsizetype bufferSize)
    : m_device(device), m_capacity(qMax<qsizetype>(bufferSize, 2)),
      m_buffer(new char[static_cast<std::size_t>(m_capacity)])
{
}

void LineWriter::put(QByteArrayView bytes)
{
    if (m_failed)
        return;
    if (m_used + bytes.size() > m_capacity) {
        if (!flush())
            return;
        if (bytes.size() >= m_capacity) {
            if (m_device.write(bytes.data(), bytes.size()) != bytes.size())
                m_failed = true;
            return;
        }
    }
    std::memcpy(m_buffer.get() + m_used, bytes.data(), static_cast<std::size_t>(bytes.size()));
    m_used += bytes.size();
}

bool LineWriter::flush()
{
    if (m_failed)
        return false;
    if (m_used > 0 && m_device.write(m_buffer.get(), m_used) != m_used)
        m_failed = true;
    m_used = 0;
    return !m_failed;
}
