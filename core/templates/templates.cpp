#include "core/templates/templates.h"

#include "core/headsmith/headertext.h"
#include "core/language/expression.h"
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
#include <QRegularExpression>
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

// A requirement's test, read as an IF line reads its test.
statement::Statement requirementTest(const QString& test) {
    return statement::parse(QStringLiteral("IF %1 THEN END").arg(test));
}

// Where the text after "'' param" (or "'' require") begins, or -1 when the line is no such declaration.
qsizetype declarationBody(QStringView line, QStringView keyword) {
    qsizetype at = skipBlanks(line, 0);
    if (!line.sliced(at).startsWith(u"''")) return -1;
    at = skipBlanks(line, at + 2);
    if (!line.sliced(at).startsWith(keyword, Qt::CaseInsensitive)) return -1;
    at += keyword.size();
    if (at < line.size() && !isBlank(line[at]) && line[at] != u'&') return -1;
    return at;
}

// Reads the range after a prompt ("above 0 max 100", "min 1 whole") into p; the message for a
// range that is none, or empty.
QString readRange(QStringView text, const QString& number, Parameter& p) {
    const QStringList words = text.toString().split(QRegularExpression(QStringLiteral("[ \t]+")), Qt::SkipEmptyParts);
    const QString malformed = tr("Line %1: after the prompt of &%2 may stand only its range: min, max, above or "
                                 "below, each with a number, and whole.")
                                  .arg(number, p.name);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString word = words[i].toLower();
        if (word == QLatin1String("whole") && !p.whole) {
            p.whole = true;
            continue;
        }
        const bool low = word == QLatin1String("min") || word == QLatin1String("above");
        const bool high = word == QLatin1String("max") || word == QLatin1String("below");
        if ((!low && !high) || i + 1 == words.size() || !isNumber(words[i + 1])) return malformed;
        std::optional<Bound>& bound = low ? p.low : p.high;
        if (bound) return malformed;
        bound =
            Bound{QLocale::c().toDouble(words[++i]), word == QLatin1String("above") || word == QLatin1String("below")};
    }
    if (p.low && p.high &&
        (p.low->value > p.high->value || (p.low->value == p.high->value && (p.low->open || p.high->open))))
        return tr("Line %1: the range of &%2 holds no number.").arg(number, p.name);
    if (!inRange(p, p.defaultValue))
        return tr("Line %1: the default value of &%2 is outside its range.").arg(number, p.name);
    return {};
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
    p.prompt = line.sliced(at + 1, close - at - 1).toString();
    return readRange(line.sliced(close + 1), number, p);
}

// Reads a requirement after "require" into r; the message for the first rule it breaks, or empty.
// The variables its test uses go into uses.
QString readRequirement(QStringView line, qsizetype at, const QString& number, Requirement& r, QStringList& uses) {
    const qsizetype open = line.indexOf(u'"', at);
    const qsizetype close = line.lastIndexOf(u'"');
    if (open < 0) return tr("Line %1: the requirement has no message in double quotes after its test.").arg(number);
    if (close == open) return tr("Line %1: the requirement's message has no closing double quote.").arg(number);
    if (skipBlanks(line, close + 1) != line.size())
        return tr("Line %1: there is text after the requirement's message.").arg(number);
    r.test = line.sliced(at, open - at).trimmed().toString();
    r.message = line.sliced(open + 1, close - open - 1).toString();
    const statement::Statement test = requirementTest(r.test);
    if (test.compare == statement::Compare::None || test.left.isEmpty() || test.right.isEmpty())
        return tr("Line %1: the requirement's test \"%2\" compares nothing; write two values with = < > <= >= or <> "
                  "between them.")
            .arg(number, r.test);
    expression::Names names;
    for (const QString& side : {test.left, test.right})
        if (!expression::Expression::compile(side, names).isValid())
            return tr("Line %1: \"%2\" in the requirement is no value.").arg(number, side);
    for (int slot = 0; slot < names.size(); ++slot)
        uses << names.name(slot);
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
    QT_TRANSLATE_NOOP("templates", "Diameter of the bit"),
    QT_TRANSLATE_NOOP("templates",
                      "The step-over must not be wider than the bit, or strips between the passes stay uncut."),
    QT_TRANSLATE_NOOP("templates", "Each tab must be shorter than a third of the width, or the tabs run into each "
                                   "other and past the corners."),
    QT_TRANSLATE_NOOP("templates", "Each tab must be shorter than a third of the length, or the tabs run into each "
                                   "other and past the corners."),
    QT_TRANSLATE_NOOP("templates", "The tabs cannot be higher than the cut is deep."),
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
    QHash<QString, qsizetype> declaredOn;          // name key -> line number
    QList<std::pair<qsizetype, QStringList>> uses; // a requirement's line and the variables it uses
    int declared = 0;
    qsizetype at = afterOpening(fileLines);
    for (; at < fileLines.size(); ++at) {
        const QString& line = fileLines[at];
        if (skipBlanks(line, 0) == line.size()) continue;
        const QString number = QString::number(at + 1);
        if (const qsizetype body = declarationBody(line, u"require"); body >= 0) {
            Requirement r;
            QStringList used;
            const QString error = readRequirement(line, body, number, r, used);
            if (!error.isEmpty()) errors.append({at, error});
            t.requirements << r;
            uses.append({at, used});
            continue;
        }
        const qsizetype body = declarationBody(line, u"param");
        if (body < 0) break;
        // Past the bound the declarations are not read: a file of thousands would only cost.
        if (++declared > MaxParameters) {
            if (declared == MaxParameters + 1)
                errors.append({at, tr("Line %1: a template declares at most %2 parameters; this is one more.")
                                       .arg(number)
                                       .arg(MaxParameters)});
            continue;
        }
        Parameter p;
        QString error = readDeclaration(line, body, number, p);
        if (error.isEmpty()) {
            const QString key = statement::nameKey(p.name);
            if (const auto first = declaredOn.constFind(key); first != declaredOn.cend()) {
                error = tr("Line %1: &%2 is declared again; it was first declared on line %3.")
                            .arg(number, p.name, QString::number(*first));
            } else {
                declaredOn.insert(key, at + 1);
                t.parameters << p;
            }
        }
        if (!error.isEmpty()) errors.append({at, error});
    }
    for (const auto& [line, used] : uses)
        for (const QString& name : used)
            if (!declaredOn.contains(statement::nameKey(name)))
                errors.append({line, tr("Line %1: the requirement uses &%2, which no parameter declares.")
                                         .arg(QString::number(line + 1), name)});
    if (at < fileLines.size() && isCommentLine(fileLines[at])) t.description = commentText(fileLines[at++]);

    qsizetype to = fileLines.size();
    const qsizetype closing = fileLines.indexOf(headertext::ClosingStart, at);
    if (closing >= 0 && fileLines.indexOf(headertext::ClosingEnd, closing + 1) > closing) to = closing;
    t.lines = fileLines.mid(at, to - at);

    ParseResult r;
    std::stable_sort(errors.begin(), errors.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    // A file of a thousand bad lines is told by its first few.
    constexpr qsizetype MaxErrors = 20;
    for (qsizetype i = 0; i < std::min(errors.size(), MaxErrors); ++i)
        r.errors << errors[i].second;
    if (errors.size() > MaxErrors) r.errors << tr("And %1 more faults.").arg(errors.size() - MaxErrors);
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

bool inRange(const Parameter& p, double v) {
    if (p.whole && v != std::floor(v)) return false;
    if (p.low && (p.low->open ? v <= p.low->value : v < p.low->value)) return false;
    return !p.high || (p.high->open ? v < p.high->value : v <= p.high->value);
}

QString rangeText(const Parameter& p) {
    QStringList bounds;
    const auto low = [&](const Bound& b) {
        return (b.open ? tr("above %1") : tr("at least %1")).arg(numberText(b.value));
    };
    const auto high = [&](const Bound& b) {
        return (b.open ? tr("below %1") : tr("at most %1")).arg(numberText(b.value));
    };
    if (p.low && p.high && !p.low->open && !p.high->open) {
        bounds << tr("from %1 to %2").arg(numberText(p.low->value), numberText(p.high->value));
    } else {
        if (p.low) bounds << low(*p.low);
        if (p.high) bounds << high(*p.high);
    }
    if (bounds.isEmpty() && !p.whole) return {};
    const QString kind = p.whole ? tr("a whole number") : tr("a number");
    return bounds.isEmpty() ? kind : kind + u' ' + bounds.join(tr(" and "));
}

QStringList refusals(const Template& t, const QHash<QString, double>& values) {
    QHash<QString, double> byKey;
    for (const Parameter& p : t.parameters)
        byKey.insert(statement::nameKey(p.name), p.defaultValue);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        if (byKey.contains(statement::nameKey(it.key()))) byKey.insert(statement::nameKey(it.key()), it.value());
    QStringList out;
    for (const Parameter& p : t.parameters) {
        const double v = byKey.value(statement::nameKey(p.name));
        if (!inRange(p, v))
            out << (p.prompt.isEmpty() ? tr("&%1 must be %2.").arg(p.name, rangeText(p))
                                       : tr("&%1 (%2) must be %3.").arg(p.name, p.prompt, rangeText(p)));
    }
    if (!out.isEmpty()) return out;
    for (const Requirement& r : t.requirements) {
        const statement::Statement test = requirementTest(r.test);
        const std::optional<double> left = expression::evaluate(test.left, byKey);
        const std::optional<double> right = expression::evaluate(test.right, byKey);
        if (!left || !right || !statement::holds(*left, test.compare, *right)) out << r.message;
    }
    return out;
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
        for (Requirement& q : r.ok->requirements)
            q.message = translatedBuiltInText(q.message);
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
