#pragma once

#include "core/partfile/partfilereader.h"
#include "core/templates/templates.h"
#include "core/textfile.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// The templates a user can choose from (the built-in ones and the files in the user's templates
// folder), turning a template's lines into blocks, and saving part of a program as a template.
namespace templates {

struct Entry {
    Template t;         // for a file that is no template: only its name
    QString path;       // empty for a built-in template
    QStringList errors; // why the file is no template; empty when it is one
};

// The built-in templates, then each *.cvp file in folder by name (letter case aside); a file that is
// no template is listed with its errors.
QList<Entry> library(const QString& folder);

// The blocks lines make, read as File > Open reads a part file's program lines; a refusal when they
// would not all become program lines.
partfilereader::ReadResult readLines(const QStringList& lines);

// The labels lines define, as keys (statement::nameKey): how the router tells labels apart.
QSet<QString> labelKeys(const QStringList& lines);

// The lines with each label they define that is among used renamed to a name neither among used
// nor defined in the lines (its name with _2, _3, ... after it), and every jump in the lines to it
// renamed too; the rest of each line stays as it was. Inserting a template and saving one both give
// their labels names the program does not use, so that no label is defined twice.
QStringList renameLabels(const QStringList& lines, const QSet<QString>& used);

// A variable that lines set, as it can become a parameter of a template made of them.
struct Offer {
    QString name;    // as first written, without "&"
    QString value;   // the value's text where the variable is first set
    QString comment; // that line's inline comment without its quote and blanks: a prompt to start from
    // The first line that sets it is "&name = number" and runs once, before any label, jump, IF,
    // GOSUB, RETURN or END: the parameter's own line, which runs first, can take its place.
    bool usable = false;
    double defaultValue = 0; // the number, when usable
};
QList<Offer> offers(const QStringList& lines);

// A template file made of program lines: the declarations and description as templateFile writes
// them, then the lines without the line that first sets each parameter (only usable offers may be
// parameters), since inserting the template sets the parameter first.
QStringList templateFromProgram(const QString& description, const QList<Parameter>& parameters,
                                const QStringList& programLines);

// The file a template called name is saved as in folder ("name.cvp"), or nothing with error saying
// why the name cannot be a file name on any of the systems the program runs on.
std::optional<QString> templatePath(const QString& folder, const QString& name, QString* error);

// Writes a template file (creating its folder), in the part files' encoding with CR LF line ends,
// through a file beside it that replaces it only when whole.
FileResult saveFile(const QString& path, const QStringList& fileLines);

} // namespace templates
