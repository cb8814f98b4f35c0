#pragma once

#include <QLatin1String>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The held text of every command kind: composed from a dialog's field texts, and filled back into
// them when a line is edited. The dialogs only move text between their widgets and these functions.
//
// Fills take a held text apart at the very separators the composition wrote (", ", " = ", " THEN "),
// keep every piece as it was composed, and let the last field take whatever is left, so that an edit
// closed at once with Done gives back the same held text and never drops typed text.
namespace linesyntax {

// Initial texts of the boxes. A Done compares them exactly: case and blanks count.
inline constexpr QLatin1String LabelPrompt{"Type label name here"};
inline constexpr QLatin1String GoToPrompt{"Type GOTO label here"};
inline constexpr QLatin1String GoSubPrompt{"Type GOSUB label here"};
inline constexpr QLatin1String IfPrompt{"?"};
inline constexpr QLatin1String VarNamePrompt{"Type the variable name here"};
inline constexpr QLatin1String VarValuePrompt{"Type it's starting value here"};
inline constexpr QLatin1String InputPromptPrompt{"Type the message for your INPUT statement here"};
inline constexpr QLatin1String InputVarPrompt{"&MyVar"};
inline constexpr QLatin1String PausePrompt{"Type PAUSE length here"};
inline constexpr QLatin1String CommentPrompt{"Type Comment text here"};
inline constexpr QLatin1String BlankPrompt{"Type any Corvane Command here"};

// How a called file's coordinates are taken: as written, shifted in X and Y by the position at the
// call, or shifted in X, Y and Z.
enum class OffsetMode { None, Offset2d, Offset3d };
// The mode as the line's last field: "0", "2" and "1".
QLatin1String offsetModeText(OffsetMode mode);

// Move and Jog: the axis boxes X, Y, Z, A, B.
struct AxisFields {
    std::array<QString, 5> axis;
};
// Speed: the eight speed boxes in the order of the line's fields.
struct SpeedFields {
    std::array<QString, 8> speed;
};
struct FileCallFields {
    QString fileName;
    OffsetMode offsetMode = OffsetMode::None;
};
struct IfFields {
    QString test = IfPrompt;
    QString statement = IfPrompt;
};
struct LabelFields {
    QString name = LabelPrompt;
};
struct GoToFields {
    QString name = GoToPrompt;
};
struct GoSubFields {
    QString name = GoSubPrompt;
};
// Both texts a GOSUB Done hands back: the GOSUB line and the label line it jumps to.
struct GoSubTexts {
    QString line;
    QString label;
};
struct VarFields {
    QString name = VarNamePrompt;
    QString value = VarValuePrompt;
};
struct InputFields {
    QString prompt = InputPromptPrompt;
    QString variable = InputVarPrompt;
};
struct PauseFields {
    QString time = PausePrompt;
};
struct CommentFields {
    QString text = CommentPrompt;
};
struct BlankFields {
    QString text = BlankPrompt;
};

// The Move ('M') or Jog ('J') line: the command is chosen by the highest filled axis; a box holding
// only blanks counts as filled. Empty when no box is filled.
QString composeAxes(QChar command, const AxisFields& f);
// The axis boxes of a Move or Jog line, each trimmed; all empty when the command is not one of that
// letter's.
AxisFields fillAxes(QChar command, const QString& held);

// "VS, " and all eight fields, empty ones included.
QString composeSpeed(const SpeedFields& f);
// The eight boxes, each trimmed.
SpeedFields fillSpeed(const QString& held);

// "FP, " FILE ",,,,, " MODE.
QString composeFileCall(const FileCallFields& f);
// The file name between "FP, " and the last ",,,,, ", and the mode: "0" none, "2" 2d, anything else 3d.
FileCallFields fillFileCall(const QString& held);
// The name of path relative to folder when path lies in or below it (the folder compared with cs,
// as a whole leading part of the path); nothing otherwise.
std::optional<QString> relativeToFolder(const QString& path, const QString& folder, Qt::CaseSensitivity cs);

// "IF " TEST " THEN " STATEMENT, both trimmed, "?" dropped, every "&" doubled.
QString composeIf(const IfFields& f);
// Splits after "IF " at the first " THEN " and undoes the doubling.
IfFields fillIf(const QString& held);

QString composeLabel(const LabelFields& f);
LabelFields fillLabel(const QString& held);

QString composeGoTo(const GoToFields& f);
GoToFields fillGoTo(const QString& held);

GoSubTexts composeGoSub(const GoSubFields& f);
GoSubFields fillGoSub(const QString& held);

// "&&" NAME " = " VALUE, the name without its own leading "&".
QString composeVar(const VarFields& f);
// Splits at the first " = "; the name box shows the name with one "&".
VarFields fillVar(const QString& held);

// "INPUT " Q PROMPT Q " " VARPART.
QString composeInput(const InputFields& f);
InputFields fillInput(const QString& held);

QString composePause(const PauseFields& f);
PauseFields fillPause(const QString& held);

QString composeComment(const CommentFields& f);
CommentFields fillComment(const QString& held);

QString composeBlank(const BlankFields& f);
BlankFields fillBlank(const QString& held);

// The inline comment as stored: empty, or beginning with "'".
QString composeInlineComment(const QString& typed);

// Every "&" doubled (a run of n becomes 2n).
QString doubleAmpersands(const QString& s);
// Each "&&" back to one "&"; a lone "&" stays.
QString undoubleAmpersands(const QString& s);

// s split at the first parts - 1 occurrences of sep; the last part keeps the rest, separators included.
QStringList splitAtMost(const QString& s, const QString& sep, int parts);

} // namespace linesyntax
