#pragma once

#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <memory>

class QFileDevice;
class SaveFile;

// How a LineReader reads (outside the class, so that its defaults can serve as a default argument).
struct LineReadOptions {
    // A CR without an LF after it ends a line (as part files read it); otherwise it is the line's.
    bool loneCrEnds = false;
    // The range was measured before: input that ends sooner has changed since, a failure.
    bool wholeRange = false;
};

// Reads a file, or a range of a device, line by line through a fixed buffer, so memory stays flat
// whatever the size. CR LF and a bare LF end a line; a lone CR does too where the options say so,
// and otherwise is part of the line except at the very end. A last line without an end counts. A
// line longer than the buffer comes in several pieces (only a line that is one whole piece can be a
// marker).
class LineReader {
public:
    using Options = LineReadOptions;

    struct Piece {
        QByteArrayView bytes; // without the line end; valid until the next call
        qint64 offset = 0;    // where the piece begins in the file or device
        bool starts = true;   // the piece begins a line
        bool ends = true;     // the piece finishes a line
        // What ended the line, for a piece that finishes one: nothing (the last line), CR LF, LF or CR.
        enum class End : quint8 { None, CrLf, Lf, Cr } end = End::None;
        bool whole() const { return starts && ends; }
    };

    static constexpr qsizetype DefaultBuffer = qsizetype(1) << 20;

    // The file at path, read once open() has opened it.
    explicit LineReader(const QString& path, qsizetype bufferSize = DefaultBuffer, Options options = {});
    // Bytes [from, to) of a device the caller keeps open.
    LineReader(QIODevice& device, qint64 from, qint64 to, Options options, qsizetype bufferSize = DefaultBuffer);
    ~LineReader();

    // Opens the file given by its path: only a regular file.
    bool open();
    // Lets go of the file opened by its path; nothing more is read. Windows replaces no file that
    // is held open, by this program or any other.
    void close();
    // Reads only bytes [from, to) of the opened file: what lies outside is not the file's lines (a
    // byte-order mark, an end-of-file byte). False, and failed(), when the file cannot seek there.
    bool setRange(qint64 from, qint64 to);
    // The next piece; false at the end of the input or on a read error (see failed()).
    bool next(Piece& piece);
    // The longest run of whole lines, from here on in the buffer, that can be copied as they are:
    // each ends in CR LF and none equals stopLine. Line ends included; empty when the next line
    // needs a look of its own (or the buffer needs a refill). Copying such runs in one piece is
    // what keeps a large file's rewrite near the speed of a plain copy. Only where a lone CR does
    // not end a line.
    QByteArrayView takeCleanRun(QByteArrayView stopLine);
    // Where the next unread byte lies: after a piece that ends a line, past its line end.
    qint64 position() const { return m_base + m_pos; }
    bool failed() const { return m_failed; }
    QString errorString() const { return m_why.isEmpty() ? m_device->errorString() : m_why; }
    qint64 size() const { return m_device->size(); }
    qint64 bytesRead() const { return m_read; }

private:
    bool refill();
    bool fail(const QString& why);

    std::unique_ptr<QFile> m_file; // the file given by its path
    QIODevice* m_device;
    QString m_why; // why open refused the file or reading failed
    Options m_options;
    qsizetype m_capacity;
    std::unique_ptr<char[]> m_buffer;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    qint64 m_base = 0; // where m_buffer[0] lies in the input
    qint64 m_read = 0;
    qint64 m_limit = -1; // bytes still to be read, -1: to the end of the input
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

// A file replaced by streaming it through itself: its lines are read from it, and the new content is
// written into a temporary file beside it, which takes the file's place only at commit(). Until then
// the file stays as it was; cancel() (or going away) leaves it so. Memory stays flat whatever the size.
class StreamedReplace {
public:
    explicit StreamedReplace(const QString& path, qsizetype bufferSize = LineReader::DefaultBuffer);
    ~StreamedReplace();

    // Opens the file for reading; false with readError().
    bool openReader();
    // Opens the temporary file beside it for writing; false with writeError().
    bool openWriter();
    LineReader& reader() { return m_reader; }
    LineWriter& writer() { return m_writer; }
    QString readError() const { return m_reader.errorString(); }
    QString writeError() const;
    // Writes what is buffered and puts the new content in the file's place; false, with writeError()
    // and the file unchanged, when any write failed or the replacement did.
    bool commit();
    void cancel();

private:
    LineReader m_reader;
    std::unique_ptr<SaveFile> m_out;
    LineWriter m_writer;
    QString m_error; // the first failure, kept past a cancel
};
