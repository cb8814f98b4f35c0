#include "core/templates/templatelibrary.h"

#include "core/headsmith/headertext.h"
#include "core/language/statement.h"
#include "core/partfile/partfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace templates {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("templates", text);
}

bool setsVariable(const statement::Statement& s, const QString& key) {
    using statement::Kind;
    if ((s.kind == Kind::Assign || s.kind == Kind::Input) && statement::nameKey(s.variable) == key) return true;
    return s.kind == Kind::If && s.then && setsVariable(*s.then, key);
}

// A line after which a line may run more than once, or not at all.
bool changesFlow(statement::Kind k) {
    using statement::Kind;
    return k == Kind::Label || k == Kind::GoTo || k == Kind::GoSub || k == Kind::Return || k == Kind::End ||
           k == Kind::If;
}

// The variables a line sets, its IF's statement included.
void collectSet(const statement::Statement& s, QStringList& out) {
    using statement::Kind;
    if (s.kind == Kind::Assign || s.kind == Kind::Input) out << s.variable;
    if (s.kind == Kind::If && s.then) collectSet(*s.then, out);
}

// Where the line that first sets the variable stands, or -1.
qsizetype firstSetting(const QList<statement::Statement>& parsed, const QString& key) {
    for (qsizetype i = 0; i < parsed.size(); ++i)
        if (setsVariable(parsed[i], key)) return i;
    return -1;
}

QList<statement::Statement> parseAll(const QStringList& lines) {
    QList<statement::Statement> out;
    out.reserve(lines.size());
    for (const QString& line : lines)
        out << statement::parse(line);
    return out;
}

} // namespace

QList<Entry> library(const QString& folder) {
    QList<Entry> out;
    for (const Template& t : builtIns())
        out << Entry{t, {}, {}};
    if (folder.isEmpty()) return out;
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("*.cvp")});
    // Special files (a FIFO, a device, a link leading nowhere) and unreadable ones are listed too,
    // greyed with the reason, rather than left out without a word.
    dir.setFilter(QDir::Files | QDir::System);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : dir.entryInfoList()) {
        const QString path = QDir::toNativeSeparators(file.absoluteFilePath());
        ParseResult r = readFile(path);
        Entry e;
        e.path = path;
        if (r.ok) {
            e.t = std::move(*r.ok);
        } else {
            e.t.name = file.completeBaseName();
            e.errors = r.errors;
        }
        out << e;
    }
    return out;
}

partfilereader::ReadResult readLines(const QStringList& lines) {
    // A first line that File > Open would keep as a Headsmith header or as the opening lines is a
    // program line here: a line before it keeps the reader from looking for them.
    const bool guard =
        !lines.isEmpty() && (lines[0] == headertext::HeaderStart || lines[0] == headertext::HeaderStartOld ||
                             lines[0] == partfile::CreatedLine);
    QByteArray content;
    if (guard) content += "'\r\n";
    for (const QString& line : lines)
        content += line.toUtf8() + textfile::Crlf;
    partfilereader::ReadResult r = partfilereader::read(content);
    if (!r.ok) return r;
    if (guard && !r.lines.empty()) {
        r.lines.erase(r.lines.begin());
        // A RETURN names its GOSUB by place in the list, which the guard line no longer heads.
        for (LoadedLine& l : r.lines)
            if (l.goSub >= 0) --l.goSub;
    }
    if (r.kept.headLines() > 0 || !r.kept.opening().isEmpty() || r.kept.tailLines() > 0) {
        partfilereader::ReadResult refused;
        refused.error = tr("The lines hold a Headsmith closing block, which is no part of a program.");
        return refused;
    }
    return r;
}

QSet<QString> labelKeys(const QStringList& lines) {
    QSet<QString> keys;
    for (const QString& line : lines)
        if (const statement::Statement s = statement::parse(line); s.kind == statement::Kind::Label)
            keys.insert(statement::nameKey(s.label));
    return keys;
}

QStringList renameLabels(const QStringList& lines, const QSet<QString>& used) {
    using statement::Kind;
    QSet<QString> taken = used + labelKeys(lines);
    QHash<QString, QString> renamed; // old key -> new name
    for (const QString& line : lines) {
        const statement::Statement s = statement::parse(line);
        const QString key = statement::nameKey(s.label);
        if (s.kind != Kind::Label || !used.contains(key) || renamed.contains(key)) continue;
        QString name;
        for (int n = 2; name.isEmpty() || taken.contains(statement::nameKey(name)); ++n)
            name = s.label + u'_' + QString::number(n);
        taken.insert(statement::nameKey(name));
        renamed.insert(key, name);
    }
    if (renamed.isEmpty()) return lines;
    QStringList out;
    for (QString line : lines) {
        const statement::Statement s = statement::parse(line);
        const statement::Statement& jump = s.kind == Kind::If && s.then ? *s.then : s;
        const bool names = jump.kind == Kind::Label || jump.kind == Kind::GoTo || jump.kind == Kind::GoSub;
        const auto to = renamed.constFind(statement::nameKey(jump.label));
        if (names && to != renamed.cend()) {
            // The name stands in the part before the comment: a label's first, a jump's last.
            const qsizetype end = s.commentAt >= 0 ? s.commentAt : line.size();
            const QStringView code = QStringView(line).first(end);
            const qsizetype at = jump.kind == Kind::Label ? code.indexOf(jump.label) : code.lastIndexOf(jump.label);
            if (at >= 0) line.replace(at, jump.label.size(), *to);
        }
        out << line;
    }
    return out;
}

QList<Offer> offers(const QStringList& lines) {
    const QList<statement::Statement> parsed = parseAll(lines);
    QStringList names;
    for (const statement::Statement& s : parsed)
        collectSet(s, names);

    QList<Offer> out;
    QSet<QString> seen;
    for (const QString& name : names) {
        const QString key = statement::nameKey(name);
        if (seen.contains(key)) continue;
        seen.insert(key);
        const qsizetype at = firstSetting(parsed, key);
        const statement::Statement& s = parsed[at];
        Offer o;
        o.name = name;
        o.value = s.kind == statement::Kind::Assign ? s.value.trimmed() : QString();
        if (s.commentAt >= 0)
            o.comment = lines[at].mid(s.commentAt).remove(QRegularExpression(QStringLiteral("^'+"))).trimmed();
        const std::optional<double> value = s.kind == statement::Kind::Assign ? number(o.value) : std::nullopt;
        const bool once =
            std::none_of(parsed.begin(), parsed.begin() + at, [](const auto& p) { return changesFlow(p.kind); });
        o.usable = value && once && !o.name.isEmpty();
        o.defaultValue = value.value_or(0);
        out << o;
    }
    return out;
}

QStringList templateFromProgram(const QString& description, const QList<Parameter>& parameters,
                                const QStringList& programLines) {
    const QList<statement::Statement> parsed = parseAll(programLines);
    QSet<QString> usable;
    for (const Offer& o : offers(programLines))
        if (o.usable) usable.insert(statement::nameKey(o.name));
    QSet<qsizetype> dropped;
    for (const Parameter& p : parameters) {
        const QString key = statement::nameKey(p.name);
        if (usable.contains(key)) dropped.insert(firstSetting(parsed, key));
    }
    QStringList lines;
    for (qsizetype i = 0; i < programLines.size(); ++i)
        if (!dropped.contains(i)) lines << programLines[i];
    return templateFile(description, parameters, lines);
}

std::optional<QString> templatePath(const QString& folder, const QString& name, QString* error) {
    const auto refuse = [&](const QString& why) -> std::optional<QString> {
        if (error) *error = why;
        return std::nullopt;
    };
    QString base = name.trimmed();
    if (base.endsWith(QStringLiteral(".cvp"), Qt::CaseInsensitive)) base.chop(4);
    if (base.isEmpty()) return refuse(tr("Give the template a name."));
    // What Windows refuses in a file name, so that a template folder can be carried over.
    static const QRegularExpression forbidden(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    if (base.contains(forbidden))
        return refuse(tr("A template's name cannot hold any of \\ / : * ? \" < > | or a control character."));
    if (base.endsWith(u'.')) return refuse(tr("A template's name cannot end in a full stop."));
    static const QRegularExpression reserved(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (reserved.match(base).hasMatch()) return refuse(tr("%1 is a name Windows keeps for a device.").arg(base));
    return QDir::toNativeSeparators(QDir(folder).filePath(base + QStringLiteral(".cvp")));
}

FileResult saveFile(const QString& path, const QStringList& fileLines) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return FileResult::failure(QDir::toNativeSeparators(folder), tr("The folder could not be created."));
    QList<QByteArray> bytes;
    bytes.reserve(fileLines.size());
    // Templates are the program's own files, kept in UTF-8 whatever the system's encoding.
    for (const QString& line : fileLines)
        bytes << line.toUtf8();
    return textfile::saveLines(path, bytes);
}

} // namespace templates
