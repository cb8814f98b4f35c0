#include "core/program/partfile.h"

#include "core/program/panelmodel.h"

namespace partfile {

QString undoubleFirst(const QString& held) {
    const qsizetype at = held.indexOf(QStringLiteral("&&"));
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
        return undoubleFirst(held) + Gap + inlineComment;
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

QStringList programLines(const PanelModel& panel) {
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

FileResult write(const QString& path, const PanelModel& panel) {
    QList<QByteArray> bytes;
    for (const QString& line : programLines(panel))
        bytes << textfile::encode(line);
    return textfile::saveLines(path, bytes);
}

} // namespace partfile
