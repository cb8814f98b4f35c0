#include "core/headsmith/rewrite.h"

#include "core/headsmith/headertext.h"
#include "core/linestream.h"
#include "core/textfile.h"
#include "platform/platform.h"
#include "platform/regularfile.h"
#include "platform/savefile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <tuple>

namespace headsmith {

namespace {

using Outcome = RewriteResult::Outcome;
using Piece = LineReader::Piece;

bool isMarker(const Piece& piece, const QByteArray& marker) {
    return piece.whole() && piece.bytes == QByteArrayView(marker);
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// What stands outside a part file's lines: a byte-order mark before them, which stays first, and an
// end-of-file byte after them, which stays last.
struct PartEnds {
    QByteArray bom;
    bool eofMark = false;
    qint64 size = 0;
};

PartEnds partEnds(const QString& path) {
    PartEnds ends;
    QFile file(path);
    if (!regularfile::openForReading(file)) return ends;
    ends.size = file.size();
    if (file.peek(3) == QByteArrayView("\xEF\xBB\xBF")) ends.bom = file.read(3);
    char last = 0;
    ends.eofMark =
        ends.size > ends.bom.size() && file.seek(ends.size - 1) && file.read(&last, 1) == 1 && last == '\x1a';
    return ends;
}

// Reads only the part file's lines.
void readLinesOnly(LineReader& reader, const PartEnds& ends) {
    reader.setRange(ends.bom.size(), ends.size - (ends.eofMark ? 1 : 0));
}

class Rewriter {
public:
    Rewriter(const QString& partFile, const HeaderFields& fields, Platform& platform, const Progress& progress,
             qsizetype bufferSize, const ReplaceAnswers& answers, std::optional<textfile::Encoding> encoding)
        : m_path(partFile), m_fields(fields), m_platform(platform), m_progress(progress), m_bufferSize(bufferSize),
          m_answers(answers), m_encoding(encoding), m_file(partFile, bufferSize), m_part(m_file.reader()),
          m_writer(m_file.writer()) {}

    RewriteResult run();

private:
    enum class Answer { NotAsked, Yes, No };

    bool open();
    bool replaceHeader(bool& declined);
    bool copyBody();
    bool replaceClosing();
    bool dropThrough(const QByteArray& endMarker, const QString& noEnd);
    bool readFailed();
    bool unchangedSinceRead();
    bool writeBlock(const headertext::Block& block, const QString& what);
    bool copyFile(const QString& path, const QString& what);
    bool report();
    RewriteResult failed();
    RewriteResult fail(const QString& text) {
        m_error = text;
        return failed();
    }
    bool setError(const QString& text) {
        m_error = text;
        return false;
    }

    const QByteArray m_headerStart = headertext::HeaderStart.toLatin1();
    const QByteArray m_headerStartOld = headertext::HeaderStartOld.toLatin1();
    const QByteArray m_headerEnd = headertext::HeaderEnd.toLatin1();
    const QByteArray m_closingStart = headertext::ClosingStart.toLatin1();
    const QByteArray m_closingEnd = headertext::ClosingEnd.toLatin1();
    const QString m_openingWhat = QCoreApplication::translate("Headsmith", "opening file");
    const QString m_closingWhat = QCoreApplication::translate("Headsmith", "closing file");

    QString m_path;
    const HeaderFields& m_fields;
    Platform& m_platform;
    const Progress& m_progress;
    qsizetype m_bufferSize;
    ReplaceAnswers m_answers;
    std::optional<textfile::Encoding> m_encoding; // the part file's, in which the composed lines are written
    PartEnds m_ends;
    StreamedReplace m_file;
    LineReader& m_part;
    LineWriter& m_writer;
    Piece m_piece;
    bool m_have = false;      // m_piece holds the next piece of the part file
    bool m_firstLine = false; // m_piece is the part file's first line, which is copied unlooked at
    Answer m_replaceClosing = Answer::NotAsked;
    qint64 m_sizeRead = 0;
    QDateTime m_modifiedRead;
    qint64 m_total = 0;
    qint64 m_copied = 0; // bytes of opening and closing files copied so far
    qint64 m_lastReported = -1;
    bool m_cancelled = false;
    QString m_error;
};

RewriteResult Rewriter::failed() {
    // Take the reason before cancelling, which replaces it with a generic one.
    if (m_error.isEmpty() && m_writer.failed())
        m_error = QCoreApplication::translate("Headsmith", "The new part file could not be written beside\n%1\n\n%2")
                      .arg(native(m_path), m_file.writeError());
    m_file.cancel();
    if (m_cancelled) return {Outcome::Cancelled, {}};
    return {Outcome::Failed,
            m_error + QCoreApplication::translate("Headsmith", "\n\nThe part file was left unchanged.")};
}

bool Rewriter::report() {
    const qint64 done = m_part.bytesRead() + m_copied;
    if (!m_progress || done == m_lastReported) return true;
    m_lastReported = done;
    if (!m_progress(done, qMax(m_total, done))) m_cancelled = true;
    return !m_cancelled;
}

bool Rewriter::readFailed() {
    return setError(QCoreApplication::translate("Headsmith", "The part file could not be read:\n%1\n\n%2")
                        .arg(native(m_path), m_part.errorString()));
}

bool Rewriter::copyFile(const QString& path, const QString& what) {
    const auto unreadable = [&](const QString& reason) {
        return setError(QCoreApplication::translate("Headsmith", "The %1 could not be read:\n%2\n\n%3")
                            .arg(what, native(path), reason));
    };
    if (path.isEmpty()) return unreadable(QCoreApplication::translate("Headsmith", "No file was chosen."));
    LineReader in(path, m_bufferSize);
    if (!in.open()) return unreadable(in.errorString());
    Piece piece;
    qint64 seen = 0;
    while (in.next(piece)) {
        m_writer.put(piece.bytes);
        if (piece.ends) m_writer.endLine();
        if (m_writer.failed()) return false;
        if (in.bytesRead() != seen) {
            m_copied += in.bytesRead() - seen;
            seen = in.bytesRead();
            if (!report()) return false;
        }
    }
    if (in.failed()) return unreadable(in.errorString());
    return !m_writer.failed();
}

bool Rewriter::writeBlock(const headertext::Block& block, const QString& what) {
    for (const headertext::BlockLine& line : block) {
        if (line.copyFile) {
            if (!copyFile(line.path, what)) return false;
        } else if (textfile::breaksLine(line.text)) {
            // An answer with a line break would become a live line of the program: a fault of ours.
            return setError(QCoreApplication::translate(
                                "Headsmith", "A line composed for the header of\n%1\nholds a line break, so the router "
                                             "would run part of it as a command. Nothing was written.")
                                .arg(native(m_path)));
        } else {
            QString refused;
            const std::optional<QByteArray> bytes = textfile::encode(line.text, *m_encoding, &refused);
            if (!bytes)
                return setError(QCoreApplication::translate(
                                    "Headsmith", "A line composed for the header of\n%1\nholds the character \"%2\", "
                                                 "which the part file's encoding, %3, cannot hold. Nothing was "
                                                 "written: change that answer and write the header again.")
                                    .arg(native(m_path), refused, textfile::encodingName(*m_encoding)));
            m_writer.line(*bytes);
        }
    }
    return !m_writer.failed();
}

bool Rewriter::open() {
    // What the part file was when reading began: another program's changes must not be overwritten.
    const QFileInfo before(m_path);
    m_sizeRead = before.size();
    m_modifiedRead = before.lastModified();
    if (!m_file.openReader()) return readFailed();
    m_ends = partEnds(m_path);
    readLinesOnly(m_part, m_ends);
    // Composed lines are written in the part file's own encoding, as everything typed into it.
    if (!m_encoding) m_encoding = textfile::fileEncoding(m_path);
    // The part file as its own opening or closing file would call itself without end (FP) or
    // repeat the whole program (copied in): never what the user meant.
    const auto isPartFile = [&](const QString& other) { return regularfile::sameFile(m_path, other); };
    for (const auto& [used, path, what] : {std::tuple(m_fields.addOpening, m_fields.openingPath, m_openingWhat),
                                           std::tuple(m_fields.addClosing, m_fields.closingPath, m_closingWhat)})
        if (used && isPartFile(path))
            return setError(
                QCoreApplication::translate("Headsmith",
                                            "The %1 is the part file itself:\n%2\n\nA part file that calls itself runs "
                                            "without end, and one copied into itself repeats the whole program. "
                                            "Choose another %1.")
                    .arg(what, native(path)));

    // The temporary file lies beside the part file, so the final rename never crosses disks.
    if (!m_file.openWriter())
        return setError(
            QCoreApplication::translate("Headsmith", "The new part file could not be created beside\n%1\n\n%2")
                .arg(native(m_path), m_file.writeError()));

    m_total = m_part.size();
    if (m_fields.addOpening && !m_fields.openingAsFP) m_total += QFileInfo(m_fields.openingPath).size();
    if (m_fields.addClosing && !m_fields.closingAsFP) m_total += QFileInfo(m_fields.closingPath).size();
    return true;
}

// Drops the part file's lines from the current one through endMarker, leaving m_piece on it;
// without the marker the block's extent is unknown, and dropping to the end of the file would lose
// the program itself.
bool Rewriter::dropThrough(const QByteArray& endMarker, const QString& noEnd) {
    while (!isMarker(m_piece, endMarker)) {
        if (!report()) return false;
        if (!m_part.next(m_piece)) return m_part.failed() ? readFailed() : setError(noEnd);
    }
    return true;
}

// Writes the new header, replacing an old one at the top when the user agrees. declined: the user
// kept the old header and there is nothing else to do.
bool Rewriter::replaceHeader(bool& declined) {
    m_writer.put(m_ends.bom);
    m_have = m_part.next(m_piece);
    if (!m_have || !(isMarker(m_piece, m_headerStart) || isMarker(m_piece, m_headerStartOld))) {
        // The part file's own first line is copied before any line is looked at, so one that
        // starts an old closing block is copied with it and raises no question.
        m_firstLine = true;
        return writeBlock(headertext::writeheaderinfo(m_fields), m_openingWhat);
    }
    const bool replace = m_answers.header
                             ? *m_answers.header
                             : m_platform.askYesNo(ReplaceHeaderText(), ReplaceTitle(), Platform::Icon::None);
    if (replace) {
        if (!dropThrough(m_headerEnd, QCoreApplication::translate(
                                          "Headsmith", "The header at the top of the part file\n%1\nhas no end line "
                                                       "\"%2\", so Headsmith cannot tell where it ends.")
                                          .arg(native(m_path), headertext::HeaderEnd)))
            return false;
        if (!writeBlock(headertext::writeheaderinfo(m_fields), m_openingWhat)) return false;
        m_have = m_part.next(m_piece);
        return true;
    }
    // No, with a closing block to add: the old header is copied as it is.
    declined = !m_fields.addClosing;
    return true;
}

// At an old closing block: asks once whether to replace it, and drops it when so (m_piece is then
// the line after it).
bool Rewriter::replaceClosing() {
    if (m_replaceClosing == Answer::NotAsked) {
        const bool replace = m_answers.closing
                                 ? *m_answers.closing
                                 : m_platform.askYesNo(ReplaceClosingText(), ReplaceTitle(), Platform::Icon::None);
        m_replaceClosing = replace ? Answer::Yes : Answer::No;
    }
    if (m_replaceClosing == Answer::No) return true;
    // Whatever follows the old block's end marker is the user's and stays.
    if (!dropThrough(m_closingEnd, QCoreApplication::translate(
                                       "Headsmith", "The closing block in the part file\n%1\nhas no end line \"%2\", "
                                                    "so Headsmith cannot tell where it ends.")
                                       .arg(native(m_path), headertext::ClosingEnd)))
        return false;
    m_have = m_part.next(m_piece);
    return true;
}

// Copies the rest of the part file, dropping an old closing block when asked to.
bool Rewriter::copyBody() {
    const auto watching = [&] { return m_fields.addClosing && m_replaceClosing != Answer::No; };
    const auto stopAt = [&] { return watching() ? QByteArrayView(m_closingStart) : QByteArrayView(); };
    while (m_have) {
        if (!m_firstLine && watching() && isMarker(m_piece, m_closingStart)) {
            if (!replaceClosing()) return false;
            if (m_replaceClosing == Answer::Yes) continue;
        }
        m_firstLine = false;
        m_writer.put(m_piece.bytes);
        if (m_piece.ends) m_writer.endLine();
        // Most lines need nothing done: copy them a buffer at a time.
        for (QByteArrayView run = m_part.takeCleanRun(stopAt()); !run.isEmpty(); run = m_part.takeCleanRun(stopAt()))
            m_writer.put(run);
        // A failed write ends the rewrite here: reading on could only lead to questions about a
        // file that will not be written.
        if (m_writer.failed() || !report()) return false;
        m_have = m_part.next(m_piece);
    }
    return !m_part.failed() || readFailed();
}

bool Rewriter::unchangedSinceRead() {
    const QFileInfo now(m_path);
    if (now.size() == m_sizeRead && now.lastModified() == m_modifiedRead) return true;
    return setError(QCoreApplication::translate(
                        "Headsmith", "The part file\n%1\nwas changed by another program while Headsmith was writing "
                                     "it. Nothing was replaced, so that no change is lost; write the header again "
                                     "when the other program is done.")
                        .arg(native(m_path)));
}

RewriteResult Rewriter::run() {
    if (!open()) return failed();
    bool declined = false;
    if (!replaceHeader(declined)) return failed();
    if (declined) {
        m_file.cancel();
        return {Outcome::Declined, {}};
    }
    if (!copyBody()) return failed();
    if (m_fields.addClosing && m_replaceClosing != Answer::No &&
        !writeBlock(headertext::closingBlock(m_fields), m_closingWhat))
        return failed();
    if (m_ends.eofMark) m_writer.put("\x1a");
    if (!m_writer.flush() || !unchangedSinceRead()) return failed();
    if (!m_file.commit())
        return fail(QCoreApplication::translate("Headsmith", "The new part file could not replace\n%1\n\n%2")
                        .arg(native(m_path), m_file.writeError()));
    return {Outcome::Written, {}};
}

} // namespace

RewriteResult rewritePartFile(const QString& partFile, const HeaderFields& fields, Platform& platform,
                              const Progress& progress, qsizetype bufferSize, const ReplaceAnswers& answers,
                              std::optional<textfile::Encoding> encoding) {
    Rewriter rewriter(partFile, fields, platform, progress, bufferSize, answers, encoding);
    return rewriter.run();
}

ReplaceAnswers askReplaceQuestions(const QString& partFile, const HeaderFields& fields, Platform& platform,
                                   qsizetype bufferSize) {
    const QByteArray headerStart = headertext::HeaderStart.toLatin1();
    const QByteArray headerStartOld = headertext::HeaderStartOld.toLatin1();
    const QByteArray headerEnd = headertext::HeaderEnd.toLatin1();
    const QByteArray closingStart = headertext::ClosingStart.toLatin1();
    ReplaceAnswers answers;
    LineReader in(partFile, bufferSize);
    Piece piece;
    if (!in.open()) return answers;
    readLinesOnly(in, partEnds(partFile));
    if (!in.next(piece)) return answers;
    const bool headerAtTop = isMarker(piece, headerStart) || isMarker(piece, headerStartOld);
    if (headerAtTop) {
        answers.header = platform.askYesNo(ReplaceHeaderText(), ReplaceTitle(), Platform::Icon::None);
        // No, and nothing else to add: the rewrite has nothing to do.
        if (!*answers.header && !fields.addClosing) return answers;
    }
    if (!fields.addClosing) return answers;
    // The lines the rewrite looks at, as it would: a replaced header is dropped unread, and the part
    // file's own first line (when it is no header) is copied before any line is looked at.
    bool dropping = headerAtTop && *answers.header;
    bool looked = headerAtTop;
    do {
        if (dropping) {
            dropping = !isMarker(piece, headerEnd);
            continue;
        }
        if (looked && isMarker(piece, closingStart)) {
            answers.closing = platform.askYesNo(ReplaceClosingText(), ReplaceTitle(), Platform::Icon::None);
            return answers;
        }
        looked = true;
        while (!in.takeCleanRun(QByteArrayView(closingStart)).isEmpty()) {
        }
    } while (in.next(piece));
    return answers;
}

} // namespace headsmith
