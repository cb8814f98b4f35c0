#pragma once

#include "core/headsmith/headerfields.h"
#include "core/linestream.h"
#include "core/textfile.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <optional>

class Platform;

namespace headsmith {

inline QString ReplaceTitle() {
    return QCoreApplication::translate("Headsmith", "Replace existing header?");
}
inline QString ReplaceHeaderText() {
    return QCoreApplication::translate(
        "Headsmith", "A header has already been written for this file using Headsmith...do you want to replace it with "
                     "this information ?");
}
inline QString ReplaceClosingText() {
    return QCoreApplication::translate("Headsmith", "A Closing file has already been written for this file using "
                                                    "Headsmith...do you want to replace it with the new footer file ?");
}

struct RewriteResult {
    enum class Outcome {
        Written,   // the part file now holds the new content
        Declined,  // the user kept the existing header and there is nothing else to do
        Cancelled, // stopped through the progress callback
        Failed     // error says what and why
    };
    Outcome outcome = Outcome::Written;
    QString error;
};

// The answers to the replace questions, when they were asked before the rewrite began; a question
// without an answer here is asked by the rewrite itself when it comes to the block.
struct ReplaceAnswers {
    std::optional<bool> header;
    std::optional<bool> closing;
};

// Asks the questions a rewrite of the part file would ask, in the order it would: whether to replace
// the header at its top, then (when a closing block is to be added) an old closing block in it. It
// reads the file for them in a pass of its own, so that no question comes while the rewrite's
// progress shows. A file that cannot be read raises no question; the rewrite then reports it.
ReplaceAnswers askReplaceQuestions(const QString& partFile, const HeaderFields& fields, Platform& platform,
                                   qsizetype bufferSize = LineReader::DefaultBuffer);

// Told now and then how many bytes of the input have been handled out of the total; returning
// false cancels the rewrite.
using Progress = std::function<bool(qint64 done, qint64 total)>;

// Puts the header (and, when asked for, the closing block) into the part file. The new content is
// streamed into a temporary file beside the part file, which replaces it in one step only when
// everything was written: on any other outcome the part file is left exactly as it was. The
// replace questions are asked through the platform. bufferSize sets the reading and writing
// buffers (small ones only make sense in tests). The composed lines are written in the part file's
// encoding (found by reading it through when not given); a character it cannot hold fails the
// rewrite. A byte-order mark stays first and an end-of-file byte last.
RewriteResult rewritePartFile(const QString& partFile, const HeaderFields& fields, Platform& platform,
                              const Progress& progress = {}, qsizetype bufferSize = LineReader::DefaultBuffer,
                              const ReplaceAnswers& answers = {},
                              std::optional<textfile::Encoding> encoding = std::nullopt);

} // namespace headsmith
