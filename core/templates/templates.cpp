#include "core/templates/templates.h"

#include "core/headsmith/headertext.h"
#include "core/language/linesyntax.h"
#include "core/language/statement.h"
#include "core/partfile/partfile.h"
#include "core/textfile.h"
#include "platform/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <utility>

namespace templates {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("templates", text);
}

// A template is a few screens of lines; a larger file is a wrong choice, and reading it would only cost.
constexpr qint64 MaxFileSize = qint64(1) << 20;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

qsizetype skipBlanks(QStringView s, qsizetype at) {
    while (at < s.size() && isBlank(s[at]))
        ++at;
    return at;
}

bool isCommentLine(QStringView line) {
    const qsizetype at = skipBlanks(line, 0);
    return at < line.size() && line[at] == u'\'';
}

bool isAsciiLetter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
}

// A variable's name as a value reads one, so that every declared name can be used in the lines.
bool isName(QStringView s) {
    if (s.isEmpty() || !isAsciiLetter(s[0])) return false;
    return std::all_of(s.begin() + 1, s.end(), [](QChar c) { return isAsciiLetter(c) || (c >= u'0' && c <= u'9'); });
}

// A number as a value writes one: no "+", no exponent, so that the default also reads as a value.
bool isNumber(QStringView s) {
    qsizetype at = s.startsWith(u'-') ? 1 : 0;
    int digits = 0;
    bool point = false;
    for (; at < s.size(); ++at) {
        if (s[at] >= u'0' && s[at] <= u'9') {
            ++digits;
        } else if (s[at] == u'.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits > 0;
}

// Where the text after "'' param" begins, or -1 when the line is no declaration.
qsizetype declarationBody(QStringView line) {
    qsizetype at = skipBlanks(line, 0);
    if (!line.sliced(at).startsWith(u"''")) return -1;
    at = skipBlanks(line, at + 2);
    constexpr QStringView Keyword = u"param";
    if (!line.sliced(at).startsWith(Keyword, Qt::CaseInsensitive)) return -1;
    at += Keyword.size();
    if (at < line.size() && !isBlank(line[at]) && line[at] != u'&') return -1;
    return at;
}

// Reads the declaration after "param" into p; the message for the first rule it breaks, or empty.
QString readDeclaration(QStringView line, qsizetype at, const QString& number, Parameter& p) {
    const auto until = [&](qsizetype from, auto stop) {
        while (from < line.size() && !isBlank(line[from]) && !stop(line[from]))
            ++from;
        return from;
    };
    at = skipBlanks(line, at);
    const qsizetype written = at;
    int ampersands = 0;
    for (; at < line.size() && line[at] == u'&' && ampersands < 2; ++at)
        ++ampersands;
    const qsizetype nameAt = at;
    at = until(at, [](QChar c) { return c == u'=' || c == u'"'; });
    const QStringView name = line.sliced(nameAt, at - nameAt);
    if (ampersands == 0 || name.isEmpty())
        return tr("Line %1: the parameter has no variable; write it as &name after param.").arg(number);
    if (!isName(name))
        return tr("Line %1: \"%2\" is no variable name; after one or two &, a name begins with a letter or _ and "
                  "holds only letters, digits and _.")
            .arg(number, line.sliced(written, at - written));
    p.name = name.toString();

    at = skipBlanks(line, at);
    if (at == line.size() || line[at] != u'=')
        return tr("Line %1: &%2 needs = and a default value after its name.").arg(number, p.name);
    at = skipBlanks(line, at + 1);
    const qsizetype valueAt = at;
    at = until(at, [](QChar c) { return c == u'"'; });
    const QStringView value = line.sliced(valueAt, at - valueAt);
    bool ok = false;
    p.defaultValue = isNumber(value) ? QLocale::c().toDouble(value, &ok) : 0;
    if (!ok || !std::isfinite(p.defaultValue))
        return tr("Line %1: the default value of &%2 is not a number.").arg(number, p.name);

    at = skipBlanks(line, at);
    if (at == line.size() || line[at] != u'"')
        return tr("Line %1: &%2 has no prompt in double quotes after its default value.").arg(number, p.name);
    // The last quote closes the prompt, so a prompt may quote a word itself.
    const qsizetype close = line.lastIndexOf(u'"');
    if (close == at) return tr("Line %1: the prompt of &%2 has no closing double quote.").arg(number, p.name);
    if (skipBlanks(line, close + 1) != line.size())
        return tr("Line %1: there is text after the prompt of &%2.").arg(number, p.name);
    p.prompt = line.sliced(at + 1, close - at - 1).toString();
    return {};
}

// A comment's text without its quote marks.
QString commentText(QStringView line) {
    qsizetype at = skipBlanks(line, 0);
    while (at < line.size() && line[at] == u'\'')
        ++at;
    return line.sliced(at).trimmed().toString();
}

// Where the lines after a Headsmith header and the program's opening lines begin, by the rules the
// part-file reader keeps them by, so a template saved as a part file reads as it was written.
qsizetype afterOpening(const QStringList& lines) {
    const qsizetype count = lines.size();
    qsizetype from = 0;
    if (count > 0 && (lines[0] == headertext::HeaderStart || lines[0] == headertext::HeaderStartOld)) {
        const qsizetype end = lines.indexOf(headertext::HeaderEnd, 1);
        if (end > 0) {
            from = end + 1;
            while (from < count && lines[from].isEmpty())
                ++from;
        }
    }
    if (from + 2 < count && lines[from] == partfile::CreatedLine && lines[from + 1].startsWith(u'\'') &&
        lines[from + 2] == partfile::ThirdLine)
        from += 3;
    return from;
}

struct BuiltIn {
    const char* file;
    const char* name;
};
constexpr BuiltIn BuiltIns[] = {
    {":/templates/surfacing.cvp", QT_TRANSLATE_NOOP("templates", "Surfacing")},
    {":/templates/pocket.cvp", QT_TRANSLATE_NOOP("templates", "Rectangular pocket")},
    {":/templates/drillgrid.cvp", QT_TRANSLATE_NOOP("templates", "Grid of drilled holes")},
    {":/templates/outlinetabs.cvp", QT_TRANSLATE_NOOP("templates", "Rectangle outline with tabs")},
};

// The built-in files' descriptions and prompts, here so that the translators see them: the files
// stay English (their lines go into part files), what the window shows is translated.
constexpr const char* BuiltInTexts[] = {
    QT_TRANSLATE_NOOP("templates", "Surfacing a rectangle in passes along X, stepping over in Y, at one depth"),
    QT_TRANSLATE_NOOP("templates", "Rectangular pocket cut in depth passes, each back and forth along X"),
    QT_TRANSLATE_NOOP("templates", "Grid of holes drilled in pecks, the bit raised to the safe Z between pecks"),
    QT_TRANSLATE_NOOP("templates", "Rectangle outline cut anticlockwise to depth, leaving two tabs on each side"),
    QT_TRANSLATE_NOOP("templates", "Width the bit's centre covers (X)"),
    QT_TRANSLATE_NOOP("templates", "Length the bit's centre covers (Y)"),
    QT_TRANSLATE_NOOP("templates", "Depth below the top of the blank"),
    QT_TRANSLATE_NOOP("templates", "Step-over between passes"),
    QT_TRANSLATE_NOOP("templates", "Safe Z for jogs"),
    QT_TRANSLATE_NOOP("templates", "Total depth of the pocket"),
    QT_TRANSLATE_NOOP("templates", "Depth of each pass"),
    QT_TRANSLATE_NOOP("templates", "Rows of holes (along Y)"),
    QT_TRANSLATE_NOOP("templates", "Holes in each row (along X)"),
    QT_TRANSLATE_NOOP("templates", "Distance between holes in X"),
    QT_TRANSLATE_NOOP("templates", "Distance between rows in Y"),
    QT_TRANSLATE_NOOP("templates", "Depth of each hole"),
    QT_TRANSLATE_NOOP("templates", "Depth of each peck"),
    QT_TRANSLATE_NOOP("templates", "Depth of the cut"),
    QT_TRANSLATE_NOOP("templates", "Length of each tab"),
    QT_TRANSLATE_NOOP("templates", "Height of the tabs above the cut's depth"),
};

QString translatedBuiltInText(const QString& english) {
    Q_ASSERT_X(std::any_of(std::begin(BuiltInTexts), std::end(BuiltInTexts),
                           [&](const char* t) { return english == QLatin1String(t); }),
               "templates::builtIns", "a built-in template's text is missing from BuiltInTexts");
    return QCoreApplication::translate("templates", english.toUtf8().constData());
}

QStringList decodedLines(const QByteArray& content) {
    QStringList lines;
    for (const QByteArray& line : textfile::splitLines(content, textfile::LoneCr::EndsLine))
        lines << textfile::decode(line);
    return lines;
}

} // namespace

ParseResult parse(const QString& name, const QStringList& fileLines) {
    QList<std::pair<qsizetype, QString>> errors; // line index, message: listed in line order
    for (qsizetype i = 0; i < fileLines.size(); ++i)
        if (textfile::breaksLine(fileLines[i]))
            errors.append({i, tr("Line %1 holds a control character, which no part-file line may hold.").arg(i + 1)});

    Template t;
    t.name = name;
    QHash<QString, qsizetype> declaredOn; // name key -> line number
    qsizetype at = afterOpening(fileLines);
    for (; at < fileLines.size(); ++at) {
        const QString& line = fileLines[at];
        if (skipBlanks(line, 0) == line.size()) continue;
        const qsizetype body = declarationBody(line);
        if (body < 0) break;
        Parameter p;
        QString error = readDeclaration(line, body, QString::number(at + 1), p);
        if (error.isEmpty()) {
            const QString key = statement::nameKey(p.name);
            if (const auto first = declaredOn.constFind(key); first != declaredOn.cend()) {
                error = tr("Line %1: &%2 is declared again; it was first declared on line %3.")
                            .arg(QString::number(at + 1), p.name, QString::number(*first));
            } else {
                declaredOn.insert(key, at + 1);
                t.parameters << p;
            }
        }
        if (!error.isEmpty()) errors.append({at, error});
    }
    if (at < fileLines.size() && isCommentLine(fileLines[at])) t.description = commentText(fileLines[at++]);

    qsizetype to = fileLines.size();
    const qsizetype closing = fileLines.indexOf(headertext::ClosingStart, at);
    if (closing >= 0 && fileLines.indexOf(headertext::ClosingEnd, closing + 1) > closing) to = closing;
    t.lines = fileLines.mid(at, to - at);

    ParseResult r;
    std::stable_sort(errors.begin(), errors.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& e : errors)
        r.errors << e.second;
    if (r.errors.isEmpty()) r.ok = std::move(t);
    return r;
}

std::optional<double> number(QStringView text) {
    text = text.trimmed();
    bool ok = false;
    const double v = isNumber(text) ? QLocale::c().toDouble(text, &ok) : 0;
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

QString numberText(double v) {
    // "-0" would read back as the same number, but nobody writes it.
    if (v == 0) return QStringLiteral("0");
    return QString::number(v, 'f', QLocale::FloatingPointShortest);
}

QStringList instantiate(const Template& t, const QHash<QString, double>& values) {
    QHash<QString, double> byKey;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        byKey.insert(statement::nameKey(it.key()), it.value());
    QStringList out;
    for (const Parameter& p : t.parameters) {
        double v = values.value(p.name, byKey.value(statement::nameKey(p.name), p.defaultValue));
        if (!std::isfinite(v)) v = p.defaultValue;
        if (!std::isfinite(v)) v = 0;
        // Written as the program writes a Variable block, so that the lines read back as blocks.
        out << *partfile::composeLine(Kind::Variable, linesyntax::composeVar({p.name, numberText(v)}), QString());
    }
    return out + t.lines;
}

QStringList templateFile(const QString& description, const QList<Parameter>& parameters,
                         const QStringList& programLines) {
    QStringList out;
    for (const Parameter& p : parameters)
        out << QStringLiteral("'' param &%1 = %2 \"%3\"")
                   .arg(p.name, numberText(std::isfinite(p.defaultValue) ? p.defaultValue : 0),
                        textfile::oneLine(p.prompt));
    // Always a description line, empty or not: else the program's first comment would be taken for it.
    const QString text = textfile::oneLine(description).trimmed();
    out << (text.isEmpty() ? QStringLiteral("'") : QStringLiteral("' ") + text);
    return out + programLines;
}

QStringList variablesSetIn(const QStringList& lines) {
    QStringList out;
    QSet<QString> seen;
    for (const QString& line : lines) {
        const statement::Statement s = statement::parse(line);
        if (s.kind != statement::Kind::Assign || !isName(s.variable)) continue;
        const QString key = statement::nameKey(s.variable);
        if (seen.contains(key)) continue;
        seen.insert(key);
        out << s.variable;
    }
    return out;
}

QList<Template> builtIns() {
    QList<Template> out;
    for (const BuiltIn& b : BuiltIns) {
        QFile file(QString::fromLatin1(b.file));
        if (!file.open(QIODevice::ReadOnly)) continue;
        ParseResult r = parse(tr(b.name), decodedLines(file.readAll()));
        Q_ASSERT_X(r.ok, "templates::builtIns", qPrintable(r.errors.join(u' ')));
        if (!r.ok) continue;
        r.ok->description = translatedBuiltInText(r.ok->description);
        for (Parameter& p : r.ok->parameters)
            p.prompt = translatedBuiltInText(p.prompt);
        out << *r.ok;
    }
    return out;
}

ParseResult readFile(const QString& path) {
    ParseResult r;
    const auto refuse = [&](const QString& why) {
        r.errors << QStringLiteral("%1\n\n%2").arg(QDir::toNativeSeparators(path), why);
        return r;
    };
    const QString tooLarge = tr("The file is larger than 1 MiB, too large for a template.");
    QFile file(path);
    QString why;
    if (!regularfile::openForReading(file, &why)) return refuse(why);
    if (file.size() > MaxFileSize) return refuse(tooLarge);
    const QByteArray content = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) return refuse(file.errorString());
    // The file may have grown since its size was asked.
    if (content.size() > MaxFileSize) return refuse(tooLarge);
    return parse(QFileInfo(path).completeBaseName(), decodedLines(content));
}

std::optional<Template> load(const QString& path) {
    return readFile(path).ok;
}

} // namespace templates
