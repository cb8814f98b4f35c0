// Any bytes as part file, opening file and closing file, any answers to the replace questions and
// a cancel at any point: the rewrite never crashes, asks exactly the questions that apply, and
// either writes the part file's own lines (less a replaced header or closing block) between the
// new blocks, or leaves the part file exactly as it was. No temporary file is left behind.
//
// Input: a flags byte, an answers byte (bit i answers question i), the progress call that cancels,
// then part file, opening file and closing file separated by a double NUL.
#include "fuzzsupport.h"

#include "core/headsmith/headertext.h"
#include "core/headsmith/rewrite.h"
#include "core/textfile.h"

namespace {

using Outcome = headsmith::RewriteResult::Outcome;

enum Flags : uint8_t {
    AddOpening = 1,
    OpeningAsFP = 2,
    AddClosing = 4,
    ClosingAsFP = 8,
    OpeningMissing = 16,
    ClosingMissing = 32,
    OpeningIsPart = 64, // the opening file chosen is the part file itself
    Cancel = 128,
};

struct Expected {
    Outcome outcome = Outcome::Written;
    QByteArray bytes;
    QStringList questions;
};

// The bytes a block becomes; nothing when a file it copies cannot be read.
std::optional<QByteArray> blockBytes(const headertext::Block& block, textfile::Encoding encoding) {
    QByteArray out;
    for (const headertext::BlockLine& line : block) {
        if (!line.copyFile) {
            const std::optional<QByteArray> text = textfile::encode(line.text, encoding);
            if (!text) return std::nullopt;
            out += *text + "\r\n";
            continue;
        }
        if (!QFileInfo(line.path).isFile()) return std::nullopt;
        out += fuzz::crlfJoined(fuzz::readerLines(fuzz::readFile(line.path)));
    }
    return out;
}

// What the rewrite has to do, worked out line by line over the whole part file.
Expected expect(const QByteArray& part, const HeaderFields& f, quint32 answers, bool openingIsPart) {
    // A byte-order mark stays first and an end-of-file byte last; the lines are what lies between.
    const QByteArray bom = part.startsWith("\xEF\xBB\xBF") ? part.first(3) : QByteArray();
    QByteArray body = part.mid(bom.size());
    const bool eofMark = body.endsWith('\x1a');
    if (eofMark) body.chop(1);
    const QList<QByteArray> lines = fuzz::readerLines(body);
    const textfile::Encoding encoding = textfile::encodingOf(part);
    const QByteArray headerStart = headertext::HeaderStart.toLatin1();
    const QByteArray headerStartOld = headertext::HeaderStartOld.toLatin1();
    const QByteArray headerEnd = headertext::HeaderEnd.toLatin1();
    const QByteArray closingStart = headertext::ClosingStart.toLatin1();
    const QByteArray closingEnd = headertext::ClosingEnd.toLatin1();

    Expected e;
    const auto ask = [&](const QString& text) {
        const bool yes = (answers >> e.questions.size()) & 1u;
        e.questions << text;
        return yes;
    };
    const auto failed = [&] {
        e.outcome = Outcome::Failed;
        return e;
    };

    // The part file as its own opening file is refused before anything is asked.
    if (f.addOpening && openingIsPart) return failed();

    qsizetype i = 0;
    bool writeHeader = true;
    const bool topIsHeader = !lines.isEmpty() && (lines[0] == headerStart || lines[0] == headerStartOld);
    if (topIsHeader) {
        if (ask(headsmith::ReplaceHeaderText())) {
            i = lines.indexOf(headerEnd);
            if (i < 0) return failed();
            ++i;
        } else if (!f.addClosing) {
            e.outcome = Outcome::Declined;
            return e;
        } else {
            writeHeader = false; // the old header stays as a part of the file
        }
    }
    e.bytes = bom;
    if (writeHeader) {
        const std::optional<QByteArray> header = blockBytes(headertext::writeheaderinfo(f), encoding);
        if (!header) return failed();
        e.bytes += *header;
    }

    enum { NotAsked, Yes, No } replace = NotAsked;
    for (; i < lines.size(); ++i) {
        // The part file's own first line is copied before any line is looked at.
        const bool looked = i > 0 || topIsHeader;
        if (looked && f.addClosing && replace != No && lines[i] == closingStart) {
            if (replace == NotAsked) replace = ask(headsmith::ReplaceClosingText()) ? Yes : No;
            if (replace == Yes) {
                const qsizetype end = lines.indexOf(closingEnd, i);
                if (end < 0) return failed();
                i = end;
                continue;
            }
        }
        e.bytes += lines[i] + "\r\n";
    }
    if (f.addClosing && replace != No) {
        const std::optional<QByteArray> closing = blockBytes(headertext::closingBlock(f), encoding);
        if (!closing) return failed();
        e.bytes += *closing;
    }
    if (eofMark) e.bytes += '\x1a';
    return e;
}

QByteArray describe(const QList<fuzz::InputPlatform::Question>& asked) {
    QByteArray out;
    for (const auto& q : asked)
        out += q.text.left(40).toUtf8() + " | ";
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in{data, size};
    const uint8_t flags = in.byte();
    const quint32 answers = in.byte();
    const int cancelAt = in.byte();
    const QByteArrayView sep("\0\0", 2);
    const QByteArray part = in.section(sep);
    const QByteArray opening = in.section(sep);
    const QByteArray closing = in.rest();

    QDir& dir = fuzz::freshWorkDir();
    const QString partPath = dir.filePath(QStringLiteral("part.cvp"));
    fuzz::writeFile(partPath, part);
    QStringList files{QStringLiteral("part.cvp")};

    HeaderFields f;
    f.description = QStringLiteral("A fuzzed part");
    f.createdBy = QStringLiteral("Tester");
    f.date = QStringLiteral("1/2/2026");
    f.additionalInfo = QStringLiteral("'' a note\n");
    f.addOpening = flags & AddOpening;
    f.openingAsFP = flags & OpeningAsFP;
    f.addClosing = flags & AddClosing;
    f.closingAsFP = flags & ClosingAsFP;
    f.openingPath = dir.filePath(QStringLiteral("opening.cvp"));
    f.closingPath = dir.filePath(QStringLiteral("closing.cvp"));
    if (flags & OpeningIsPart)
        f.openingPath = partPath;
    else if (!(flags & OpeningMissing)) {
        fuzz::writeFile(f.openingPath, opening);
        files << QStringLiteral("opening.cvp");
    }
    if (!(flags & ClosingMissing)) {
        fuzz::writeFile(f.closingPath, closing);
        files << QStringLiteral("closing.cvp");
    }
    files.sort();

    const Expected e = expect(part, f, answers, flags & OpeningIsPart);

    fuzz::InputPlatform platform;
    platform.answers = answers;
    int calls = 0;
    const headsmith::Progress progress = [&](qint64 done, qint64 total) {
        fuzz::check(done >= 0 && done <= total, "progress out of range");
        return !(flags & Cancel) || ++calls <= cancelAt;
    };
    const headsmith::RewriteResult r = headsmith::rewritePartFile(partPath, f, platform, progress);

    const bool cancelled = r.outcome == Outcome::Cancelled;
    fuzz::check(!cancelled || (flags & Cancel), "cancelled without a cancel");
    fuzz::check(cancelled || r.outcome == e.outcome, "unexpected outcome", QByteArray::number(int(r.outcome)));
    fuzz::check(platform.asked.size() <= e.questions.size(), "asked too much", describe(platform.asked));
    for (qsizetype i = 0; i < platform.asked.size(); ++i) {
        fuzz::check(platform.asked[i].text == e.questions[i], "asked the wrong question", describe(platform.asked));
        fuzz::check(platform.asked[i].title == headsmith::ReplaceTitle(), "question with the wrong title");
    }
    fuzz::check(cancelled || platform.asked.size() == e.questions.size(), "a question was not asked");
    fuzz::check((r.outcome == Outcome::Failed) != r.error.isEmpty(), "error text does not match the outcome",
                r.error.toUtf8());

    const QByteArray after = fuzz::readFile(partPath);
    if (r.outcome == Outcome::Written)
        fuzz::check(after == e.bytes, "written part file differs",
                    "got\n" + after.toHex() + "\nexpected\n" + e.bytes.toHex());
    else
        fuzz::check(after == part, "part file changed without a write");
    fuzz::check(fuzz::entries(dir.path()) == files, "files left beside the part file",
                fuzz::entries(dir.path()).join(u' ').toUtf8());
    return 0;
}
