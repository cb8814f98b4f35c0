#pragma once

#include "core/headsmith/headerfields.h"
#include "core/headsmith/modHeaderProgVar.h"
#include "core/textfile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

class Platform;

// Headsmith's remembered answers: the variables file in the parts folder, the old settings file
// beside the program, and where the help lives.
namespace headeranswers {

inline const QString OldSettingsName = QStringLiteral("cvheader.ini");
inline const QByteArray MarkerKey = QByteArrayLiteral("&my_hasrunheader");
inline const QString HelpFileName = QStringLiteral("head_smithfaq.txt");

// <parts folder>/custom/header_variables.cvc, in native separators.
QString variablesFilePath(const QString& partsFolder);

// A line "key = value": the key before the first "=", the value up to a second "=", both without
// surrounding blanks; a bare CR ends the entry. The key stays bytes (keys are compared byte for
// byte); the value is decoded without loss and cleaned to one line. Nothing for a line without "=".
struct Entry {
    QByteArray key;
    QString value;
};
std::optional<Entry> parseEntry(QByteArrayView line);

// The leading number of a text (blanks skipped, optional sign and fraction), 0 when there is none.
double leadingNumber(const QString& text);

struct Loaded {
    enum class Source { None, OldSettings, Variables };
    Source source = Source::None;
    std::optional<bool> metric;   // a unit was chosen by the file
    std::optional<bool> tableTop; // a Z zero was chosen by the file
    QString error;                // something the user should hear about; loading went as far as it could
};

// Reads the old settings file once (and deletes it) or else the variables file into the stored
// values of header; keys missing from the file leave their values as they were.
Loaded LoadHeaderSettings(Platform& platform, modHeaderProgVar& header);

// The nineteen lines of a new variables file, the marker first.
QList<QByteArray> newVariableLines(const HeaderFields& f, const modHeaderProgVar& header);

// Creates the variables file at path with the nineteen lines.
FileResult WriteNewHeaderVariables(const QString& path, const HeaderFields& f, const modHeaderProgVar& header);

// Saves the answers: a new file when there is none; an existing file only when it carries the
// marker, rewriting the lines of known keys and keeping every other line byte for byte. The
// folder is created when missing; the file is replaced in one step.
FileResult SaveHeaderVariables(Platform& platform, modHeaderProgVar& header, const HeaderFields& f);

// The install folder of the maker's software: the program's folder up to the last "Toolcrate",
// ending with the separator before it. Nothing when the folder has no "Toolcrate".
std::optional<QString> FindPath(const QString& programFolder);

// The maker's text editor under that install folder.
QString editorPath(const QString& pathString);

// The help file: beside the program when it is there (the build tree, a Windows install), else the
// installed copy under the shared data folders (share/cvstacker/); the path beside the program
// when neither exists, so that a failure names where it looked first.
QString helpFilePath(const QString& programFolder);

} // namespace headeranswers
