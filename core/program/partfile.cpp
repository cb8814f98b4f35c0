#include "core/program/partfile.h"

#include "core/program/programmodel.h"
#include "core/textfile.h"

#include <QCoreApplication>

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

FileResult write(const QString& path, const ProgramModel& program, const KeptLines& kept) {
    // Lines kept from an opened file go back in their places as they stood: a Headsmith header and
    // the opening lines above the program, a closing block and what followed it below.
    QList<QByteArray> bytes = kept.head;
    if (kept.opening.size() == 3)
        bytes += kept.opening;
    else
        for (const QString& line : {CreatedLine, NoticeLine, ThirdLine})
            bytes << textfile::encode(line);
    for (const ProgramLine& l : program.lines()) {
        // A line read from a file goes back as the very bytes it was read as, until an edit changes it.
        if (!l.written.isEmpty()) {
            bytes << l.written;
            continue;
        }
        const std::optional<QString> line = composeLine(l.kind, l.held, l.comment);
        if (!line) continue;
        // A break would turn the rest of the line into a line of its own, run as a command.
        if (textfile::breaksLine(*line))
            return FileResult::failure(
                path, QCoreApplication::translate("partfile", "A line to be written holds a line break or another "
                                                              "control character; nothing was written."));
        bytes << textfile::encode(*line);
    }
    bytes += kept.tail;
    return textfile::saveLines(path, bytes);
}

int fileLineOfRow(const KeptLines& kept, int row) {
    // Every row writes exactly one line, after the header and the three opening lines.
    return static_cast<int>(kept.head.size()) + 3 + row;
}

int rowOfFileLine(const ProgramModel& program, const KeptLines& kept, int line) {
    const int row = line - fileLineOfRow(kept, 0);
    return row >= 1 && row <= program.lineCount() ? row : 0;
}

dryrun::Program dryRunProgram(const ProgramModel& program, const KeptLines& kept, const QString& name,
                              const QString& folder) {
    dryrun::Program p{name, folder, {}};
    int number = 0;
    const auto add = [&](const QString& text, dryrun::Region region) {
        p.lines.push_back(dryrun::SourceLine{text, ++number, region});
    };
    for (const QByteArray& line : kept.head)
        add(textfile::decode(line), dryrun::Region::Header);
    QStringList lines = programLines(program);
    if (kept.opening.size() == 3) {
        for (const QByteArray& line : kept.opening)
            add(textfile::decode(line), dryrun::Region::Program);
        lines.remove(0, 3);
    }
    for (const QString& line : std::as_const(lines))
        add(line, dryrun::Region::Program);
    for (const QByteArray& line : kept.tail)
        add(textfile::decode(line), dryrun::Region::Closing);
    return p;
}

} // namespace partfile
