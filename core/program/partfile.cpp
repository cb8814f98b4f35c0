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

QStringList programLines(const ProgramModel& panel) {
    QStringList lines{CreatedLine, NoticeLine, ThirdLine};
    const modProgVar& v = panel.vars();
    for (int n = 1; n <= v.LineCount; ++n) {
        const LineRow& row = v.Lines[static_cast<std::size_t>(n)];
        const Kind k = row.Kind;
        if (!panel.exists(k, row.BlockIndex)) continue;
        if (auto line = composeLine(k, panel.heldText(k, row.BlockIndex), panel.inlineComment(k, row.BlockIndex)))
            lines << *line;
    }
    return lines;
}

FileResult write(const QString& path, const ProgramModel& panel) {
    // Lines kept from an opened file go back in their places as they stood: a Headsmith header and
    // the opening lines above the program, a closing block and what followed it below.
    const modProgVar& v = panel.vars();
    QList<QByteArray> bytes = v.KeptHead;
    QStringList lines = programLines(panel);
    if (v.KeptOpening.size() == 3) {
        bytes += v.KeptOpening;
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
    bytes += v.KeptTail;
    return textfile::saveLines(path, bytes);
}

} // namespace partfile
