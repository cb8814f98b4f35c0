#include "core/program/partfile.h"

#include "core/program/programmodel.h"

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

QStringList programLines(const ProgramModel& program) {
    QStringList lines{CreatedLine, NoticeLine, ThirdLine};
    for (const ProgramLine& l : program.lines())
        if (auto line = composeLine(l.kind, l.held, l.comment)) lines << *line;
    return lines;
}

FileResult write(const QString& path, const ProgramModel& program, const KeptLines& kept) {
    // Lines kept from an opened file go back in their places as they stood: a Headsmith header and
    // the opening lines above the program, a closing block and what followed it below.
    QList<QByteArray> bytes = kept.head;
    QStringList lines = programLines(program);
    if (kept.opening.size() == 3) {
        bytes += kept.opening;
        lines.remove(0, 3);
    }
    for (const QString& line : lines) {
        // A break would turn the rest of the line into a line of its own, run as a command.
        if (textfile::breaksLine(line))
            return FileResult::failure(
                path, QCoreApplication::translate("partfile", "A line to be written holds a line break or another "
                                                              "control character; nothing was written."));
        bytes << textfile::encode(line);
    }
    bytes += kept.tail;
    return textfile::saveLines(path, bytes);
}

} // namespace partfile
