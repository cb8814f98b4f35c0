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
    // The longest run of whole lines, from here on in the buffer, that can be copied as they are:
    // each ends in CR LF and none equals stopLine. Line ends included; empty when the next line
    // needs a look of its own (or the buffer needs a refill). Copying such runs in one piece is
    // what keeps a large file's rewrite near the speed of a plain copy.
    QByteArrayView takeCleanRun(QByteArrayView stopLine);
    bool failed() const { return m_failed; }
    QString errorString() const { return m_why.isEmpty() ? m_file.errorString() : m_why; }
    qint64 size() const { return m_file.size(); }
    qint64 bytesRead() const { return m_read; }

private:
    bool refill();

    QFile m_file;
    QString m_why; // why open refused the file, when it did
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
    void line(QByteArrayView bytes) {
        put(bytes);
        endLine();
    }
    // Writes what is buffered; false once any write has failed.
    bool flush();
    bool failed() const { return m_failed; }

private:
    bool write(const char* data, qsizetype size);

    // Written data is handed to the disk every so often, so that the final sync of a large file
    // does not have to wait for all of it.
    static constexpr qint64 WritebackStep = qint64(16) << 20;

    QFileDevice& m_device;
    qsizetype m_capacity;
    std::unique_ptr<char[]> m_buffer;
    qsizetype m_used = 0;
    qint64 m_written = 0;
    qint64 m_handedOn = 0;
    bool m_failed = false;
};
