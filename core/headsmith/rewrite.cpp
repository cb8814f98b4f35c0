#include "core/headsmith/rewrite.h"

#include "core/headsmith/headertext.h"
#include "core/headsmith/linestream.h"
#include "core/textfile.h"
#include "platform/platform.h"
#include "platform/savefile.h"

#include <QDir>
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

class Rewriter {
public:
    Rewriter(const QString& partFile, const HeaderFields& fields, Platform& platform, const Progress& progress,
             qsizetype bufferSize)
        : m_path(partFile), m_fields(fields), m_platform(platform), m_progress(progress), m_bufferSize(bufferSize),
          m_part(partFile, bufferSize), m_out(partFile), m_writer(m_out, bufferSize) {}

    RewriteResult run();

private:
    enum class Answer { NotAsked, Yes, No };

    bool writeBlock(const headertext::Block& block, const QString& what);
    bool copyFile(const QString& path, const QString& what);
    bool report();
    RewriteResult failed();
    RewriteResult fail(const QString& text) {
        m_error = text;
        return failed();
    }

    QString m_path;
    const HeaderFields& m_fields;
    Platform& m_platform;
    const Progress& m_progress;
    qsizetype m_bufferSize;
    LineReader m_part;
    SaveFile m_out;
    LineWriter m_writer;
    qint64 m_total = 0;
    qint64 m_copied = 0; // bytes of opening and closing files copied so far
    qint64 m_lastReported = -1;
    bool m_cancelled = false;
    QString m_error;
};

RewriteResult Rewriter::failed() {
    // Take the reason before cancelling, which replaces it with a generic one.
    if (m_error.isEmpty() && m_writer.failed())
        m_error = QStringLiteral("The new part file could not be written beside\n%1\n\n%2")
                      .arg(native(m_path), m_out.errorString());
    m_out.cancelWriting();
    if (m_cancelled) return {Outcome::Cancelled, {}};
    return {Outcome::Failed, m_error + QStringLiteral("\n\nThe part file was left unchanged.")};
}

bool Rewriter::report() {
    const qint64 done = m_part.bytesRead() + m_copied;
    if (!m_progress || done == m_lastReported) return true;
    m_lastReported = done;
    if (!m_progress(done, qMax(m_total, done))) m_cancelled = true;
    return !m_cancelled;
}

bool Rewriter::copyFile(const QString& path, const QString& what) {
    const auto unreadable = [&](const QString& reason) {
        m_error = QStringLiteral("The %1 could not be read:\n%2\n\n%3").arg(what, native(path), reason);
        return false;
    };
    if (path.isEmpty()) return unreadable(QStringLiteral("No file was chosen."));
    if (QFileInfo(path).isDir()) return unreadable(QStringLiteral("It is a folder, not a file."));
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
        } else {
            m_writer.line(textfile::encode(line.text));
        }
    }
    return !m_writer.failed();
}

RewriteResult Rewriter::run() {
    const QByteArray headerStart = headertext::HeaderStart.toLatin1();
    const QByteArray headerStartOld = headertext::HeaderStartOld.toLatin1();
    const QByteArray headerEnd = headertext::HeaderEnd.toLatin1();
    const QByteArray closingStart = headertext::ClosingStart.toLatin1();
    const QByteArray closingEnd = headertext::ClosingEnd.toLatin1();
    const bool includeClosing = m_fields.AddClosing;
    const QString openingWhat = QStringLiteral("opening file");
    const QString closingWhat = QStringLiteral("closing file");

    if (QFileInfo(m_path).isDir() || !m_part.open())
        return fail(QStringLiteral("The part file could not be read:\n%1\n\n%2")
                        .arg(native(m_path), QFileInfo(m_path).isDir() ? QStringLiteral("It is a folder, not a file.")
                                                                       : m_part.errorString()));
    // The part file as its own opening or closing file would call itself without end (FP) or
    // repeat the whole program (copied in): never what the user meant.
    const auto isPartFile = [&](const QString& other) {
        const QString mine = QFileInfo(m_path).canonicalFilePath();
        return !mine.isEmpty() && mine.compare(QFileInfo(other).canonicalFilePath(), fileNameCaseSensitivity()) == 0;
    };
    for (const auto& [used, path, what] : {std::tuple(m_fields.AddOpening, m_fields.OpeningPath, openingWhat),
                                           std::tuple(includeClosing, m_fields.ClosingPath, closingWhat)})
        if (used && isPartFile(path))
            return fail(QStringLiteral("The %1 is the part file itself:\n%2\n\nA part file that calls itself runs "
                                       "without end, and one copied into itself repeats the whole program. Choose "
                                       "another %1.")
                            .arg(what, native(path)));

    // The temporary file lies beside the part file, so the final rename never crosses disks.
    if (!m_out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(QStringLiteral("The new part file could not be created beside\n%1\n\n%2")
                        .arg(native(m_path), m_out.errorString()));

    m_total = m_part.size();
    if (m_fields.AddOpening && !m_fields.OpeningAsFP) m_total += QFileInfo(m_fields.OpeningPath).size();
    if (includeClosing && !m_fields.ClosingAsFP) m_total += QFileInfo(m_fields.ClosingPath).size();

    Piece piece;
    bool have = m_part.next(piece);
    if (have && (isMarker(piece, headerStart) || isMarker(piece, headerStartOld))) {
        if (m_platform.askYesNo(ReplaceHeaderText, ReplaceTitle, Platform::Icon::None)) {
            // Drop the old header up to its end marker; without one its extent is unknown, and
            // dropping to the end of the file would lose the program itself.
            while (!isMarker(piece, headerEnd)) {
                if (!report()) return failed();
                if (!m_part.next(piece)) {
                    if (m_part.failed())
                        return fail(QStringLiteral("The part file could not be read:\n%1\n\n%2")
                                        .arg(native(m_path), m_part.errorString()));
                    return fail(QStringLiteral("The header at the top of the part file\n%1\nhas no end line "
                                               "\"%2\", so Headsmith cannot tell where it ends.")
                                    .arg(native(m_path), headertext::HeaderEnd));
                }
            }
            if (!writeBlock(headertext::writeheaderinfo(m_fields), openingWhat)) return failed();
            have = m_part.next(piece);
        } else if (!includeClosing) {
            m_out.cancelWriting();
            return {RewriteResult::Outcome::Declined, {}};
        }
        // No, with a closing block to add: the old header is copied as it is.
    } else if (!writeBlock(headertext::writeheaderinfo(m_fields), openingWhat)) {
        return failed();
    }

    Answer replaceClosing = Answer::NotAsked;
    const auto watchFor = [&]() -> QByteArrayView {
        return includeClosing && replaceClosing != Answer::No ? QByteArrayView(closingStart) : QByteArrayView();
    };
    while (have) {
        if (includeClosing && replaceClosing != Answer::No && isMarker(piece, closingStart)) {
            if (replaceClosing == Answer::NotAsked)
                replaceClosing = m_platform.askYesNo(ReplaceClosingText, ReplaceTitle, Platform::Icon::None)
                                     ? Answer::Yes
                                     : Answer::No;
            if (replaceClosing == Answer::Yes) {
                // Drop the old block; whatever follows its end marker is the user's and stays.
                while (!isMarker(piece, closingEnd)) {
                    if (!report()) return failed();
                    if (!m_part.next(piece)) {
                        if (m_part.failed()) break;
                        return fail(QStringLiteral("The closing block in the part file\n%1\nhas no end line \"%2\", "
                                                   "so Headsmith cannot tell where it ends.")
                                        .arg(native(m_path), headertext::ClosingEnd));
                    }
                }
                have = !m_part.failed() && m_part.next(piece);
                continue;
            }
        }
        m_writer.put(piece.bytes);
        if (piece.ends) m_writer.endLine();
        // Most lines need nothing done: copy them a buffer at a time.
        for (QByteArrayView run = m_part.takeCleanRun(watchFor()); !run.isEmpty();
             run = m_part.takeCleanRun(watchFor()))
            m_writer.put(run);
        // A failed write ends the rewrite here: reading on could only lead to questions about a
        // file that will not be written.
        if (m_writer.failed() || !report()) return failed();
        have = m_part.next(piece);
    }
    if (m_part.failed())
        return fail(
            QStringLiteral("The part file could not be read:\n%1\n\n%2").arg(native(m_path), m_part.errorString()));

    if (includeClosing && replaceClosing != Answer::No && !writeBlock(headertext::closingBlock(m_fields), closingWhat))
        return failed();

    if (!m_writer.flush()) return failed();
    if (!m_out.commit())
        return fail(
            QStringLiteral("The new part file could not replace\n%1\n\n%2").arg(native(m_path), m_out.errorString()));
    return {Outcome::Written, {}};
}

} // namespace

RewriteResult rewritePartFile(const QString& partFile, const HeaderFields& fields, Platform& platform,
                              const Progress& progress, qsizetype bufferSize) {
    Rewriter rewriter(partFile, fields, platform, progress, bufferSize);
    return rewriter.run();
}

} // namespace headsmith
