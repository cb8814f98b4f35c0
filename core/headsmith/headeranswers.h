#pragma once

#include "core/headsmith/headerfields.h"
#include "core/textfile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

class Platform;

// Headsmith's remembered answers and chosen files. They outlive its window, so a second opening in the
// same run still has the files chosen and the answers loaded earlier; between runs they live in the
// variables file in the parts folder (and, once, in the old settings file beside the program).
struct HeaderAnswers {
    // The opening file: the full path chosen in this run, and its folder and name (remembered; they
    // preset the Open dialog). The closing file, the same.
    QString openingPath;
    QString openingFolder;
    QString openingName;
    QString closingPath;
    QString closingFolder;
    QString closingName;

    // Answers loaded from the variables file or the old settings file.
    QString createdBy;
    QString copyrightHolder;
    QString restrictions;
    QString contactName;
    QString phone;
    QString email;
    QString units;
    QString zZero;
    QString bitSize;
    QString bitType;
    QString blank;
    QString material;
    QString thickness;
    // Written back unchanged; nothing else uses it.
    QString partFolder;

    // Where the answers are kept; set by the loader from the parts folder.
    QString variablesFile;
};

// The variables file and the old settings file.
namespace headeranswers {

inline const QString OldSettingsName = QStringLiteral("cvheader.ini");
inline const QByteArray MarkerKey = QByteArrayLiteral("&my_hasrunheader");

// <parts folder>/custom/header_variables.cvc, in native separators.
QString variablesFilePath(const QString& partsFolder);

// A line "key = value": the key before the first "=", the value up to a second "=", both without
// surrounding blanks; a bare CR ends the entry. The key stays bytes (keys are compared byte for
// byte); the value is decoded without loss in the file's encoding and cleaned to one line. Nothing
// for a line without "=".
struct Entry {
    QByteArray key;
    QString value;
};
std::optional<Entry> parseEntry(QByteArrayView line, textfile::Encoding encoding = textfile::Encoding::Windows1252);

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
Loaded load(Platform& platform, HeaderAnswers& header);

// The nineteen lines of a new variables file, the marker first, in Windows-1252; nothing, with
// *refused set, when an answer holds a character that cannot be written in it.
std::optional<QList<QByteArray>> newFileLines(const HeaderFields& f, const HeaderAnswers& header,
                                              QString* refused = nullptr);

// Creates the variables file at path with the nineteen lines.
FileResult writeNew(const QString& path, const HeaderFields& f, const HeaderAnswers& header);

// Saves the answers: a new file when there is none; an existing file only when it carries the
// marker, rewriting the lines of known keys and keeping every other line byte for byte. The
// folder is created when missing; the file is replaced in one step.
FileResult save(Platform& platform, HeaderAnswers& header, const HeaderFields& f);

} // namespace headeranswers
