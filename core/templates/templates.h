#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Templates: part files that are inserted into a program with a few numbers filled in. A template's
// first lines declare its parameters ("'' param &width = 10 \"Pocket width\""); the format, its
// messages and the built-in templates are described in docs/templates.md.
namespace templates {

// One end of the values a parameter takes: the value itself is one of them unless open.
struct Bound {
    double value = 0;
    bool open = false;
    friend bool operator==(const Bound&, const Bound&) = default;
};

struct Parameter {
    QString name; // without "&"
    double defaultValue = 0;
    QString prompt;
    // Its range, as its declaration writes it after the prompt (min, above, max, below, whole); no
    // bound: any number.
    std::optional<Bound> low, high;
    bool whole = false;
    friend bool operator==(const Parameter&, const Parameter&) = default;
};

// A combination of values the template can be cut with: "'' require TEST \"MESSAGE\"". TEST reads
// as an IF line's test, over the parameters; MESSAGE says what is wrong when it does not hold.
struct Requirement {
    QString test;
    QString message;
    friend bool operator==(const Requirement&, const Requirement&) = default;
};

// The most parameters a template may declare: a part file holds at most 100 lines, and a form of
// more boxes than this is no form to fill in.
inline constexpr int MaxParameters = 50;

struct Template {
    QString name;
    QString description;
    QList<Parameter> parameters;
    QList<Requirement> requirements;
    QStringList lines; // program lines: header, opening lines, declarations and description removed
};

struct ParseResult {
    std::optional<Template> ok;
    QStringList errors; // one sentence per bad declaration (or bad line), with its line number
};

// The template a file's lines make, or every reason they make none.
ParseResult parse(const QString& name, const QStringList& fileLines);

// The lines inserting t gives: a Variable line "&&name = value" for each parameter, written as the
// program writes one (values by name without regard to letter case; a missing or non-finite value
// takes the default), then the template's lines.
QStringList instantiate(const Template& t, const QHash<QString, double>& values);

// Why the template cannot be cut with these values (by name without regard to letter case; a
// missing one takes the default): a sentence naming each parameter outside its range, then the
// message of each requirement that does not hold once all are inside; empty when it can.
QStringList refusals(const Template& t, const QHash<QString, double>& values);

// Whether v is in the parameter's range.
bool inRange(const Parameter& p, double v);

// The range of a parameter in words ("a whole number from 1 to 1000", "a number above 0"); empty
// when it takes any number.
QString rangeText(const Parameter& p);

// A template file: the declarations, the description as a comment, then the program lines. parse
// reads it back to the same parameters, description and lines.
QStringList templateFile(const QString& description, const QList<Parameter>& parameters,
                         const QStringList& programLines);

// The variables that "&name = value" lines set, each once (names compared without regard to case),
// in the order they are first set.
QStringList variablesSetIn(const QStringList& lines);

// A number as a declaration's default is written in a file (digits with at most one ".", a "-"
// before them allowed), blanks and tabs around it allowed. A box takes numberbox::read's numbers.
std::optional<double> number(QStringView text);

// The number as a value writes it: "." as decimal point, no exponent, no trailing zeros, and read
// back it is exactly v. v must be finite.
QString numberText(double v);

// The templates that come with the program, their names, descriptions and prompts translated.
QList<Template> builtIns();

// A user's template file, named after the file without its extension. A file that is no regular
// file, larger than 1 MiB or unreadable is refused with one error naming the file and the reason;
// bad declarations give parse's errors.
ParseResult readFile(const QString& path);
// readFile's template, or nothing.
std::optional<Template> load(const QString& path);

} // namespace templates
