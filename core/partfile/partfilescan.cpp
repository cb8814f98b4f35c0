#include "core/partfile/partfilescan.h"

#include "core/headsmith/headertext.h"
#include "core/panel/programmodel.h"
#include "core/partfile/partfile.h"

#include <QCoreApplication>
#include <QIODevice>

#include <climits>

namespace partfilescan {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("partfilereader", text);
}

// A file of more lines than this cannot have its lines numbered for the checker and the dry run.
constexpr qint64 MaxLineNumber = INT_MAX - 1000;

struct Line {
    QByteArrayView bytes; // the line's bytes, cut at MaxProgramBytes when tooLong
    bool whole = true;    // read in one piece: only such a line can be a marker line
    bool tooLong = false; // longer than a program line may be
    qint64 start = 0;     // where it begins in the file
    qint64 end = 0;       // where the next line begins
    bool is(const QByteArray& marker) const { return whole && bytes == QByteArrayView(marker); }
};

class Scanner {
public:
    enum class Outcome { Done, Refused, HeaderWithoutEnd };

    Scanner(QIODevice& device, Mode mode, qsizetype bufferSize, bool headerAllowed)
        : m_device(device), m_mode(mode), m_bufferSize(bufferSize), m_headerAllowed(headerAllowed) {}

    Outcome run();
    Scan& result() { return m_result; }

private:
    enum class Phase { Top, Header, HeaderBlanks, Opening, Program, Closing, Tail };

    bool needsBytes() const {
        return m_phase == Phase::Top || m_phase == Phase::HeaderBlanks || m_phase == Phase::Opening ||
               m_phase == Phase::Program || (m_phase == Phase::Closing && !m_overflow);
    }
    bool onLine(const Line& line);
    bool openingLine(const Line& line);
    bool flushOpening();
    bool programPart(const Line& line);
    bool addProgram(const QByteArray& bytes, bool tooLong, bool early);
    bool endOfFile();
    bool refuse(const QString& why) {
        m_result.error = why;
        return false;
    }
    bool tooManyLines(qint64 count, bool early) {
        return refuse((early ? tr("The file has at least %1 program lines, but the program can hold at most %2 lines.")
                             : tr("The file has %1 program lines, but the program can hold at most %2 lines."))
                          .arg(count)
                          .arg(ProgramModel::MaxLines));
    }

    const QByteArray m_headerStart = headertext::HeaderStart.toLatin1();
    const QByteArray m_headerStartOld = headertext::HeaderStartOld.toLatin1();
    const QByteArray m_headerEnd = headertext::HeaderEnd.toLatin1();
    const QByteArray m_closingStart = headertext::ClosingStart.toLatin1();
    const QByteArray m_closingEnd = headertext::ClosingEnd.toLatin1();
    const QByteArray m_created = partfile::CreatedLine.toLatin1();
    const QByteArray m_third = partfile::ThirdLine.toLatin1();

    QIODevice& m_device;
    Mode m_mode;
    qsizetype m_bufferSize;
    bool m_headerAllowed;
    Scan m_result;

    Phase m_phase = Phase::Top;
    qint64 m_contentEnd = 0;
    qint64 m_lines = 0;
    qint64 m_headEnd = 0;
    struct Pending {
        QByteArray bytes;
        bool tooLong = false;
        qint64 start = 0;
    };
    QList<Pending> m_opening;  // opening lines not yet known to be all three
    qint64 m_programCount = 0; // program lines, counted also when not held
    qint64 m_programBytes = 0;
    qint64 m_closingAt = -1;       // where a closing block would begin
    qint64 m_closingLines = 0;     // lines from it on
    QList<QByteArray> m_tentative; // those lines, while they may yet be program lines
    qint64 m_tentativeBytes = 0;
    bool m_overflow = false; // too many of them to be program lines; no longer held
};

Scanner::Outcome Scanner::run() {
    KeptFile& kept = m_result.kept;
    const qint64 size = m_device.size();
    qint64 from = 0;
    m_contentEnd = size;
    if (size >= 3 && m_device.seek(0) && m_device.peek(3) == QByteArrayView("\xEF\xBB\xBF")) {
        kept.bom = QByteArrayLiteral("\xEF\xBB\xBF");
        from = 3;
    }
    char last = 0;
    if (size > from && m_device.seek(size - 1) && m_device.read(&last, 1) == 1 && last == '\x1a') {
        kept.eofMark = true;
        --m_contentEnd;
    }
    m_headEnd = from;
    kept.head.offset = from;

    // A byte-order mark declares UTF-8: with ASCII after it the file is UTF-8, and text typed into it too.
    textfile::Utf8Check check;
    check.add(kept.bom);
    LineReader in(m_device, from, m_contentEnd, keptfile::Lines, m_bufferSize);
    LineReader::Piece piece;
    QByteArray gathered;
    bool tooLong = false;
    qint64 start = 0;
    while (in.next(piece)) {
        check.add(piece.bytes);
        if (piece.starts) {
            start = piece.offset;
            gathered.clear();
            tooLong = false;
        }
        // A line in one piece is looked at where it lies; only one in several pieces is gathered.
        if (!piece.whole() && needsBytes()) {
            const qint64 room = MaxProgramBytes - gathered.size();
            if (piece.bytes.size() > room) tooLong = true;
            gathered += piece.bytes.first(qMin<qint64>(room, piece.bytes.size()));
        }
        if (!piece.ends) continue;
        if (in.position() > piece.offset + piece.bytes.size()) check.add("\n");
        using End = LineReader::Piece::End;
        if ((piece.end == End::Lf || piece.end == End::Cr) && kept.bareEndLine == 0) {
            kept.bareEndLine = m_lines + 1;
            kept.bareEndCr = piece.end == End::Cr;
        }
        const bool whole = piece.whole();
        const Line line{whole ? piece.bytes : QByteArrayView(gathered), whole,
                        whole ? piece.bytes.size() > MaxProgramBytes : tooLong, start, in.position()};
        if (!onLine(line)) return Outcome::Refused;
        if (++m_lines > MaxLineNumber) {
            refuse(tr("The file has more lines than the program can number."));
            return Outcome::Refused;
        }
    }
    if (in.failed()) {
        refuse(in.errorString());
        return Outcome::Refused;
    }
    if (m_phase == Phase::Header) return Outcome::HeaderWithoutEnd;
    if (!endOfFile()) return Outcome::Refused;
    kept.encoding = check.encoding();
    kept.head.length = m_headEnd - kept.head.offset;
    m_result.ok = true;
    return Outcome::Done;
}

bool Scanner::onLine(const Line& line) {
    switch (m_phase) {
    case Phase::Top:
        // A header counts only at the very top, where Headsmith looks for it, and only with its end line.
        if (m_headerAllowed && (line.is(m_headerStart) || line.is(m_headerStartOld))) {
            m_phase = Phase::Header;
            m_result.kept.head.lines = 1;
            m_headEnd = line.end;
            return true;
        }
        m_phase = Phase::Opening;
        return openingLine(line);
    case Phase::Header:
        ++m_result.kept.head.lines;
        m_headEnd = line.end;
        if (line.is(m_headerEnd)) m_phase = Phase::HeaderBlanks;
        return true;
    case Phase::HeaderBlanks:
        // Headsmith ends its header with an empty line, and a replaced header leaves the old one's.
        if (line.whole && line.bytes.isEmpty()) {
            ++m_result.kept.head.lines;
            m_headEnd = line.end;
            return true;
        }
        m_phase = Phase::Opening;
        return openingLine(line);
    case Phase::Opening:
        return openingLine(line);
    case Phase::Program:
    case Phase::Closing:
        return programPart(line);
    case Phase::Tail:
        ++m_closingLines;
        return true;
    }
    return true;
}

bool Scanner::openingLine(const Line& line) {
    m_opening.append({line.bytes.toByteArray(), line.tooLong, line.start});
    const qsizetype k = m_opening.size() - 1;
    const bool fits = line.whole && !line.tooLong &&
                      (k == 0   ? line.is(m_created)
                       : k == 1 ? line.bytes.startsWith('\'') && !line.bytes.contains('\0')
                                : line.is(m_third));
    if (!fits) return flushOpening();
    if (k < 2) return true;
    for (const Pending& p : std::as_const(m_opening))
        m_result.kept.opening << p.bytes;
    m_opening.clear();
    m_phase = Phase::Program;
    return true;
}

// The lines that looked like the opening lines but are not: program lines after all.
bool Scanner::flushOpening() {
    m_phase = Phase::Program;
    const QList<Pending> pending = std::exchange(m_opening, {});
    for (const Pending& p : pending) {
        if (!programPart(Line{p.bytes, !p.tooLong, p.tooLong, p.start, 0})) return false;
    }
    return true;
}

bool Scanner::programPart(const Line& line) {
    if (m_phase == Phase::Program) {
        if (!line.is(m_closingStart)) return addProgram(line.bytes.toByteArray(), line.tooLong, true);
        // The first closing block with an end line ends the program; it and all after it are kept.
        m_phase = Phase::Closing;
        m_closingAt = line.start;
        m_closingLines = 1;
        m_tentative = {line.bytes.toByteArray()};
        m_tentativeBytes = line.bytes.size();
        return true;
    }
    ++m_closingLines;
    if (line.is(m_closingEnd)) {
        m_phase = Phase::Tail;
        m_tentative.clear();
        return true;
    }
    if (m_overflow) return true;
    m_tentative << line.bytes.toByteArray();
    m_tentativeBytes += line.bytes.size();
    // Should the block have no end line, these would be program lines: past what the program can
    // hold they need not be kept to know that.
    if (line.tooLong || (m_mode != Mode::AnyCount && m_programCount + m_tentative.size() > ProgramModel::MaxLines) ||
        m_programBytes + m_tentativeBytes > MaxProgramBytes) {
        m_overflow = true;
        m_tentative.clear();
    }
    return true;
}

bool Scanner::addProgram(const QByteArray& bytes, bool tooLong, bool early) {
    ++m_programCount;
    if (m_mode == Mode::KeptOnly) return true;
    if (bytes.contains('\0'))
        return refuse(tr("The file holds NUL bytes, so it is no text file and cannot be a part file."));
    if (m_mode == Mode::Whole && m_programCount > ProgramModel::MaxLines) return tooManyLines(m_programCount, early);
    m_programBytes += bytes.size();
    if (tooLong || m_programBytes > MaxProgramBytes)
        return refuse(tr("The program lines of the file hold more than %1 MiB of text, more than any part file of "
                         "%2 lines does.")
                          .arg(MaxProgramBytes >> 20)
                          .arg(ProgramModel::MaxLines));
    m_result.program.push_back(bytes);
    return true;
}

bool Scanner::endOfFile() {
    if (m_phase == Phase::Opening && !flushOpening()) return false;
    KeptFile& kept = m_result.kept;
    if (m_phase == Phase::Tail) {
        kept.tail = {m_closingAt, m_contentEnd - m_closingAt, m_closingLines};
        return true;
    }
    if (m_phase != Phase::Closing) return true;
    // A closing block without its end line is no closing block: its lines belong to the program.
    m_phase = Phase::Program;
    if (m_overflow && m_mode != Mode::KeptOnly) {
        if (m_mode == Mode::Whole && m_programCount + m_closingLines > ProgramModel::MaxLines)
            return tooManyLines(m_programCount + m_closingLines, false);
        return addProgram(QByteArray(), true, false);
    }
    for (const QByteArray& bytes : std::exchange(m_tentative, {}))
        if (!addProgram(bytes, false, false)) return false;
    return true;
}

} // namespace

Scan scan(QIODevice& device, Mode mode, qsizetype bufferSize) {
    Scanner withHeader(device, mode, bufferSize, true);
    const Scanner::Outcome outcome = withHeader.run();
    if (outcome != Scanner::Outcome::HeaderWithoutEnd) return std::move(withHeader.result());
    // The first line looked like a header, but no end line followed: the file has no header.
    Scanner without(device, mode, bufferSize, false);
    without.run();
    return std::move(without.result());
}

} // namespace partfilescan
