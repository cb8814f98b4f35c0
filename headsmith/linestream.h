#pragma once

#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <memory>

class QFileDevice;

// Reads a text file line by line through a fixed buffer, so memory stays flat whatever the file's
// size. CR LF and a bare LF both end a line; a last line without an end counts. A line longer than
// the buffer comes in several pieces (only a line that is one whole piece can be a marker).
class LineReader {
public:
    struct Piece {
        QByteArrayView bytes; // without the line end; valid until the next call
        bool starts = true;   // the piece begins a line
        bool ends = true;     // the piece finishes a line
        bool whole() const { return starts && ends; }
    };

    static constexpr qsizetype DefaultBuffer = qsizetype(1) << 20;

    explicit LineReader(const QString& path, qsizetype bufferSize = DefaultBuffer);

    bool open();
    // The next piece; false at the end of the file or on a read error (see failed()).
    bool next(Piece& piece);
    bool failed() const { return m_failed; }
    QString errorString() const { return m_file.errorString(); }
    qint64 size() const { return m_file.size(); }
    qint64 bytesRead() const { return m_read; }

private:
    bool refill();

    QFile m_file;
    qsizetype m_capacity;
    std::unique_ptr<char[]> m_buffer;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    qint64 m_read = 0;
    bool m_eof = false;
    bool m_failed = false;
    bool m_atLineStart = true;
};

// Collects output in a large buffer and hands it to the device in big writes.
class LineWriter {
public:
    static constexpr qsizetype DefaultBuffer = qsizetype(1) << 20;

    explicit LineWriter(QFileDevice& device, qsizetype bufferSize = DefaultBuffer);

    void put(QByteArrayView bytes);
    void endLine() { put(QByteArrayView("\r\n", 2)); }
    void line(QByteArrayView bytes)
    {
        put(bytes);
        endLine();
    }
    // Writes what is buffered; false once any write has failed.
    bool flush();
    bool failed() const { return m_failed; }

private:
    QFileDevice& m_device;
    qsizetype m_capacity;
    std::unique_ptr<char[]> m_buffer;
    qsizetype m_used = 0;
    bool m_failed = false;
};
