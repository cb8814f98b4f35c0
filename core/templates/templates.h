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

struct Parameter {
    QString name; // without "&"
    double defaultValue = 0;
    QString prompt;
    friend bool operator==(const Parameter&, const Parameter&) = default;
};

struct Template {
    QString name;
    QString description;
    QList<Parameter> parameters;
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

// A template file: the declarations, the description as a comment, then the program lines. parse
// reads it back to the same parameters, description and lines.
QStringList templateFile(const QString& description, const QList<Parameter>& parameters,
                         const QStringList& programLines);

// The variables that "&name = value" lines set, each once (names compared without regard to case),
// in the order they are first set.
QStringList variablesSetIn(const QStringList& lines);

// A number as a declaration's default is written (digits with at most one ".", a "-" before them
// allowed), blanks and tabs around it allowed: how a parameter's value is typed.
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
