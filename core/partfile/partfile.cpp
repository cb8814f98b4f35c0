#include "core/partfile/partfile.h"

#include "core/linestream.h"
#include "core/panel/programmodel.h"
#include "core/textfile.h"
#include "platform/savefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QIODevice>

namespace partfile {

QString writtenInput(const QString& held) {
    // The composition writes the trimmed prompt, its closing quote, a blank and then the variable,
    // which begins with "&&"; the prompt's own "&&" stays as typed.
    const QString head = QStringLiteral("INPUT \"");
    const qsizetype quote = held.indexOf(QStringLiteral("\" &&"), held.startsWith(head) ? head.size() : 0);
    const qsizetype at = quote >= 0 ? quote + 2 : held.indexOf(QStringLiteral("&&"));
    if (at < 0) return held;
    QString text = held;
    text.remove(at + 1, 1);
    return text;
}

std::optional<QString> composeLine(Kind k, const QString& held, const QString& inlineComment) {
    static const QString Gap = QStringLiteral("   ");
    const KindInfo& info = kinds::info(k);
    switch (info.write) {
    case WriteRule::HeldAndComment:
        return held + Gap + inlineComment;
    case WriteRule::InputUndoubled:
        return writtenInput(held) + Gap + inlineComment;
    case WriteRule::HeldOnly:
        return held;
    case WriteRule::HeldThenComment:
        return held + inlineComment;
    case WriteRule::Literal:
        return QString::fromLatin1(info.templateCaption);
    case WriteRule::None:
        break;
    }
    return std::nullopt;
}

std::optional<QString> lineOf(const ProgramLine& l) {
    if (!l.written.isEmpty()) return l.writtenText;
    return composeLine(l.kind, l.held, l.comment);
}

QStringList programLines(const ProgramModel& program) {
    QStringList lines{CreatedLine, NoticeLine, ThirdLine};
    for (const ProgramLine& l : program.lines())
        if (auto line = lineOf(l)) lines << *line;
    return lines;
}

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("partfile", text);
}

// The opening lines and the program's lines as bytes in the file's encoding, or nothing with *why.
std::optional<QList<QByteArray>> middleLines(const ProgramModel& program, const KeptLines& kept, QString* why) {
    const textfile::Encoding encoding = kept.encoding();
    QList<QByteArray> out = kept.opening();
    if (out.size() != 3) out = {CreatedLine.toLatin1(), NoticeLine.toLatin1(), ThirdLine.toLatin1()};
    const QList<ProgramLine> lines = program.lines();
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const ProgramLine& l = lines[n];
        // A line as it was read goes back byte for byte, whatever it holds.
        if (!l.written.isEmpty()) {
            out << l.written;
            continue;
        }
        const std::optional<QString> line = composeLine(l.kind, l.held, l.comment);
        if (!line) continue;
        // A break would turn the rest of the line into a line of its own, run as a command.
        if (textfile::breaksLine(*line)) {
            *why = tr("A line to be written holds a line break or another control character; nothing was written.");
            return std::nullopt;
        }
        QString refused;
        const std::optional<QByteArray> bytes = textfile::encode(*line, encoding, &refused);
        if (!bytes) {
            *why = tr("Line %1 of the program, \"%2\", holds the character \"%3\" (U+%4), which this part file's "
                      "encoding, %5, cannot hold. Nothing was written: change the line and save again.")
                       .arg(n + 1)
                       .arg(*line, refused)
                       .arg(QString::number(refused.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0'),
                            textfile::encodingName(encoding));
            return std::nullopt;
        }
        out << *bytes;
    }
    return out;
}

// Why the kept blocks cannot be written, in a sentence that names them.
QString keptLost(const KeptFile& kept, const QString& reason) {
    const QString what = kept.head.isEmpty()   ? tr("The closing block")
                         : kept.tail.isEmpty() ? tr("The header")
                                               : tr("The header and the closing block");
    return tr("%1 of the part file, which Headsmith wrote, are copied from\n%2\nwhen it is saved, but they cannot be "
              "read there now: %3\n\nNothing was written, so that no part file is saved without them.")
        .arg(what, QDir::toNativeSeparators(kept.path), reason);
}

} // namespace

FileResult write(const QString& path, const ProgramModel& program, const KeptLines& kept, KeptFile* written) {
    QString why;
    const std::optional<QList<QByteArray>> middle = middleLines(program, kept, &why);
    if (!middle) return FileResult::failure(path, why);
    const KeptFile none;
    const KeptFile& from = kept.file ? *kept.file : none;
    // The header and closing block are read from the file they lie in while the new content is
    // written beside it; the new content takes its place only after they were read whole.
    std::unique_ptr<QIODevice> source;
    if (from.hasRegions()) {
        source = keptfile::open(from, &why);
        if (!source) return FileResult::failure(path, keptLost(from, why));
    }
    SaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return FileResult::failure(path, file.errorString());
    const auto fail = [&](const QString& reason) {
        file.cancelWriting();
        return FileResult::failure(path, reason);
    };
    LineWriter out(file);
    KeptFile now = from;
    now.memory.clear();
    now.bareEndLine = 0; // every line is written with CR LF
    qint64 at = from.bom.size();
    out.put(from.bom);
    now.head = {at, 0, from.head.lines};
    if (!from.head.isEmpty() && !keptfile::copy(*source, from.head, out, &now.head.length, &why))
        return fail(keptLost(from, why));
    at += now.head.length;
    for (const QByteArray& line : *middle) {
        out.line(line);
        at += line.size() + 2;
    }
    now.tail = {at, 0, from.tail.lines};
    if (!from.tail.isEmpty() && !keptfile::copy(*source, from.tail, out, &now.tail.length, &why))
        return fail(keptLost(from, why));
    if (from.eofMark) out.put("\x1a");
    if (!out.flush()) return fail(file.errorString());
    if (source && !keptfile::unchanged(from))
        return fail(keptLost(from, tr("The file was changed by another program while it was read.")));
    // Closed before the new file takes its name, which some systems refuse for a file still open.
    source.reset();
    if (!file.commit()) return FileResult::failure(path, file.errorString());
    if (written) {
        *written = std::move(now);
        written->path = path;
        written->identity = FileIdentity::of(path);
    }
    return {};
}

int fileLineOfRow(const KeptLines& kept, int row) {
    // Every row writes exactly one line, after the header and the three opening lines.
    return static_cast<int>(kept.headLines()) + 3 + row;
}

int rowOfFileLine(const ProgramModel& program, const KeptLines& kept, int line) {
    const int row = line - fileLineOfRow(kept, 0);
    return row >= 1 && row <= program.lineCount() ? row : 0;
}

dryrun::Program dryRunLines(const KeptLines& kept, const QStringList& lines, const QString& name,
                            const QString& folder) {
    // A kept block is read for the dry run up to this much text as well.
    constexpr qint64 MaxBytes = qint64(16) << 20;
    dryrun::Program p{name, folder, {}, {}};
    int number = 0;
    QString why;
    std::unique_ptr<QIODevice> source;
    if (kept.file && kept.file->hasRegions()) source = keptfile::open(*kept.file, &why);
    const auto addBlock = [&](const KeptRegion& region, dryrun::Region r) {
        if (region.isEmpty()) return;
        QStringList read;
        if (source) read = keptfile::lines(*source, region, kept.encoding(), DryRunKeptLines, false, MaxBytes);
        for (const QString& text : std::as_const(read))
            p.lines.push_back(dryrun::SourceLine{text, ++number, r});
        const qint64 rest = region.lines - read.size();
        if (rest <= 0) return;
        const QString block = r == dryrun::Region::Header ? tr("header") : tr("closing block");
        const QString reason = source
                                   ? tr("the dry run reads at most %1 lines (and %2 MiB) of a header or closing block")
                                         .arg(DryRunKeptLines)
                                         .arg(MaxBytes >> 20)
                                   : why;
        p.unread.push_back(
            {number + 1,
             tr("lines %1 to %2 of the %3 were not read: %4.").arg(number + 1).arg(number + rest).arg(block, reason)});
        number += static_cast<int>(rest);
    };
    addBlock(kept.file ? kept.file->head : KeptRegion{}, dryrun::Region::Header);
    for (const QString& line : lines)
        p.lines.push_back(dryrun::SourceLine{line, ++number, dryrun::Region::Program});
    addBlock(kept.file ? kept.file->tail : KeptRegion{}, dryrun::Region::Closing);
    return p;
}

dryrun::Program dryRunProgram(const ProgramModel& program, const KeptLines& kept, const QString& name,
                              const QString& folder) {
    QStringList lines = programLines(program);
    const QList<QByteArray> opening = kept.opening();
    if (opening.size() == 3)
        for (int i = 0; i < 3; ++i)
            lines[i] = textfile::decode(opening[i], kept.encoding());
    return dryRunLines(kept, lines, name, folder);
}

KeptText keptText(const KeptLines& kept, int edgeLines) {
    KeptText text;
    const QList<QByteArray> opening = kept.opening();
    if (opening.size() == 3) {
        for (const QByteArray& line : opening)
            text.opening << textfile::decode(line, kept.encoding());
    } else {
        text.opening = {CreatedLine, NoticeLine, ThirdLine};
    }
    if (!kept.file) return text;
    text.head.lines = kept.file->head.lines;
    text.tail.lines = kept.file->tail.lines;
    if (!kept.file->hasRegions()) return text;
    std::unique_ptr<QIODevice> source = keptfile::open(*kept.file, &text.error);
    if (!source) return text;
    // A view shows a few hundred lines at most; a megabyte read from each end is more than enough.
    constexpr qint64 MaxBytes = qint64(1) << 20;
    const auto read = [&](const KeptRegion& region, KeptText::Block& block) {
        if (region.isEmpty()) return;
        const qint64 shown = region.lines <= 2 * edgeLines ? region.lines : edgeLines;
        qint64 stopped = region.offset;
        block.first = keptfile::lines(*source, region, kept.encoding(), shown, false, MaxBytes, &stopped);
        const qint64 rest = region.lines - block.first.size();
        if (rest <= 0) return;
        const KeptRegion after{stopped, region.offset + region.length - stopped, rest};
        block.last = keptfile::lines(*source, after, kept.encoding(), qMin<qint64>(rest, edgeLines), true, MaxBytes);
    };
    read(kept.file->head, text.head);
    read(kept.file->tail, text.tail);
    return text;
}

} // namespace partfile
