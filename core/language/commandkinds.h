#pragma once

#include "core/language/kindcode.h"

#include <array>

// A colour as 0xRRGGBB; the core library has no GUI types.
using Rgb = quint32;
constexpr Rgb rgb(int r, int g, int b) {
    return (quint32(r) << 16) | (quint32(g) << 8) | quint32(b);
}

// How a row of the table becomes a line of the part file.
enum class WriteRule : quint8 {
    None,            // no line
    HeldAndComment,  // held text, three blanks, inline comment
    HeldOnly,        // held text alone
    HeldThenComment, // held text followed directly by what the comment label shows (a free command as typed)
    InputUndoubled,  // held text with its first "&&" reduced, three blanks, inline comment
    Literal,         // the template caption ("END", "RETURN")
};

// Everything in which the command kinds differ. Behaviour is written once over this table.
struct KindInfo {
    Kind kind;
    const char* name;
    // Toolbox button (nullptr for RETURN, which has none).
    const char* button;
    const char* buttonCaption; // marked for translation in the "Toolbox" context; translate where shown
    qint16 buttonTop;
    qint16 buttonHeight;
    Rgb buttonColor;
    bool basic; // shown in Basic mode; the advanced buttons are shown in Advanced mode
    bool advanced;
    // The block.
    Rgb textColor;
    const char* templateCaption;
    qint16 templateWidth;
    bool hasComment;
    bool oval;
    qint16 fixedWidth;      // 0: laid out from its labels; -1: CommentWidth; RETURN keeps its template width
    bool shiftCarriesWidth; // what a deletion carries down besides tops and captions
    WriteRule write;
    // The undo step an add is ("Add Move"), marked for translation in the "Undo" context, and the
    // toolbox button's tool tip, in the "Toolbox" context.
    const char* addStep;
    const char* toolTip;
};

namespace kinds {

constexpr Rgb Red = rgb(255, 0, 0);
constexpr Rgb Blue = rgb(0, 0, 255);
constexpr Rgb Green = rgb(0, 128, 0);
constexpr Rgb Black = rgb(0, 0, 0);
constexpr Rgb White = rgb(255, 255, 255);
constexpr Rgb Orange = rgb(255, 128, 0);
constexpr Rgb LightBlue = rgb(192, 192, 255);
constexpr Rgb LightGreen = rgb(128, 255, 128);
constexpr Rgb LightRed = rgb(255, 128, 128);

// Indexed by kind code; row 0 stands for "no kind".
inline constexpr std::array<KindInfo, KindSlots> Table{{
    {Kind::None, "", nullptr, "", 0, 0, 0, false, false, Black, "", 0, false, false, 0, false, WriteRule::None,
     QT_TRANSLATE_NOOP("Undo", "Add Line"), ""},
    {Kind::Move, "Move", "cmdMove", QT_TRANSLATE_NOOP("Toolbox", "[M]oves"), 32, 25, White, true, true, Black, "Move",
     65, true, false, 0, true, WriteRule::HeldAndComment, QT_TRANSLATE_NOOP("Undo", "Add Move"),
     QT_TRANSLATE_NOOP("Toolbox", "Adds a move to a position")},
    {Kind::FileCall, "File call", "cmdFile", QT_TRANSLATE_NOOP("Toolbox", "Call a Part File"), 152, 33, LightBlue, true,
     true, Blue, "FP", 65, true, false, 0, true, WriteRule::HeldAndComment, QT_TRANSLATE_NOOP("Undo", "Add File Call"),
     QT_TRANSLATE_NOOP("Toolbox", "Adds a call of another part file")},
    {Kind::IfThen, "IF..THEN", "cmdIfThen", QT_TRANSLATE_NOOP("Toolbox", "IF..THEN"), 384, 25, LightRed, false, true,
     Red, "IF..THEN", 81, true, false, 0, true, WriteRule::HeldAndComment, QT_TRANSLATE_NOOP("Undo", "Add IF..THEN"),
     QT_TRANSLATE_NOOP("Toolbox", "Adds an IF..THEN test")},
    {Kind::Label, "Label", "cmdLabel", QT_TRANSLATE_NOOP("Toolbox", "Label for GOTO"), 464, 33, LightRed, false, true,
     Red, "Label", 65, true, false, 0, true, WriteRule::HeldAndComment, QT_TRANSLATE_NOOP("Undo", "Add Label"),
     QT_TRANSLATE_NOOP("Toolbox", "Adds a label for GOTO")},
    {Kind::GoSub, "GOSUB", "cmdGoSub", QT_TRANSLATE_NOOP("Toolbox", "GOSUB"), 584, 25, Orange, false, false, Red,
     "GOSUB", 65, false, false, 200, false, WriteRule::HeldOnly, QT_TRANSLATE_NOOP("Undo", "Add GOSUB"),
     QT_TRANSLATE_NOOP("Toolbox", "Adds a GOSUB with its label and RETURN")},
    {Kind::End, "END", "cmdEnd", QT_TRANSLATE_NOOP("Toolbox", "END"), 552, 25, LightRed, false, true, Red, "END", 41,
     false, true, 40, false, WriteRule::Literal, QT_TRANSLATE_NOOP("Undo", "Add END"),
     QT_TRANSLATE_NOOP("Toolbox", "Adds an END line")},
    {Kind::Pause, "PAUSE", "cmdPause", QT_TRANSLATE_NOOP("Toolbox", "PAUSE"), 200, 25, LightBlue, true, true, Blue,
     "PAUSE", 81, false, false, 200, false, WriteRule::HeldOnly, QT_TRANSLATE_NOOP("Undo", "Add PAUSE"),
     QT_TRANSLATE_NOOP("Toolbox", "Adds a PAUSE")},
    {Kind::Variable, "Variable", "cmdVar", QT_TRANSLATE_NOOP("Toolbox", "Define a Variable"), 336, 33, LightRed, false,
     true, Red, "Variable", 81, true, false, 0, true, WriteRule::HeldAndComment,
     QT_TRANSLATE_NOOP("Undo", "Add Variable"), QT_TRANSLATE_NOOP("Toolbox", "Adds a variable definition")},
    {Kind::Comment, "Comment", "cmdComment", QT_TRANSLATE_NOOP("Toolbox", "Comment"), 288, 25, LightGreen, true, true,
     Green, "Comment", 81, false, false, -1, false, WriteRule::HeldOnly, QT_TRANSLATE_NOOP("Undo", "Add Comment"),
     QT_TRANSLATE_NOOP("Toolbox", "Adds a comment line")},
    {Kind::GoTo, "GOTO", "cmdGoTo", QT_TRANSLATE_NOOP("Toolbox", "GOTO"), 424, 25, LightRed, false, true, Red, "GOTO",
     81, true, false, 0, true, WriteRule::HeldAndComment, QT_TRANSLATE_NOOP("Undo", "Add GOTO"),
     QT_TRANSLATE_NOOP("Toolbox", "Adds a GOTO")},
    {Kind::Return, "RETURN", nullptr, "", 0, 0, 0, false, false, Red, "RETURN", 81, false, false, 81, false,
     WriteRule::Literal, QT_TRANSLATE_NOOP("Undo", "Add Line"), ""},
    {Kind::Speed, "Speed", "cmdSpeed", QT_TRANSLATE_NOOP("Toolbox", "Set Speeds"), 240, 33, LightBlue, true, true, Blue,
     "Speed", 81, true, false, 0, true, WriteRule::HeldAndComment, QT_TRANSLATE_NOOP("Undo", "Add Speed"),
     QT_TRANSLATE_NOOP("Toolbox", "Adds a speed setting")},
    {Kind::Input, "INPUT", "cmdInput", QT_TRANSLATE_NOOP("Toolbox", "INPUT"), 512, 25, LightRed, false, true, Red,
     "INPUT", 81, true, false, 0, true, WriteRule::InputUndoubled, QT_TRANSLATE_NOOP("Undo", "Add INPUT"),
     QT_TRANSLATE_NOOP("Toolbox", "Adds an INPUT prompt")},
    {Kind::Jog, "Jog", "cmdJog", QT_TRANSLATE_NOOP("Toolbox", "[J]ogs"), 72, 25, White, true, true, Black, "Jog", 65,
     true, false, 0, true, WriteRule::HeldAndComment, QT_TRANSLATE_NOOP("Undo", "Add Jog"),
     QT_TRANSLATE_NOOP("Toolbox", "Adds a jog")},
    {Kind::Blank, "Blank", "cmdBlank", QT_TRANSLATE_NOOP("Toolbox", "???"), 112, 25, White, true, true, Black, "?", 81,
     true, false, 0, false, WriteRule::HeldThenComment, QT_TRANSLATE_NOOP("Undo", "Add Command"),
     QT_TRANSLATE_NOOP("Toolbox", "Type a command that isn't included yet")},
}};

constexpr const KindInfo& info(Kind k) {
    return Table[static_cast<std::size_t>(code(k))];
}

// The toolbox buttons top to bottom, and the order Reset goes through the kinds.
inline constexpr std::array<Kind, 14> ToolboxOrder{
    Kind::Move,     Kind::Jog,    Kind::Blank, Kind::FileCall, Kind::Pause, Kind::Speed, Kind::Comment,
    Kind::Variable, Kind::IfThen, Kind::GoTo,  Kind::Label,    Kind::Input, Kind::End,   Kind::GoSub};

// Hit-test scan orders. RETURN blocks are in none of them (they move only with their GOSUB). END is in
// the right-press order so that an END added by mistake can be deleted from the pop-up menu.
inline constexpr std::array<Kind, 14> RightPressOrder{
    Kind::Move,  Kind::Jog,      Kind::FileCall, Kind::IfThen, Kind::Label, Kind::GoSub, Kind::End,
    Kind::Pause, Kind::Variable, Kind::Comment,  Kind::GoTo,   Kind::Speed, Kind::Input, Kind::Blank};
inline constexpr std::array<Kind, 14> PressOrder{
    Kind::Move,  Kind::Jog,      Kind::FileCall, Kind::IfThen, Kind::Label, Kind::GoSub, Kind::End,
    Kind::Pause, Kind::Variable, Kind::Comment,  Kind::GoTo,   Kind::Speed, Kind::Input, Kind::Blank};
inline constexpr std::array<Kind, 14> PointerOrder{
    Kind::Move,  Kind::Jog,      Kind::FileCall, Kind::IfThen, Kind::Label, Kind::End,   Kind::GoSub,
    Kind::Pause, Kind::Variable, Kind::Comment,  Kind::GoTo,   Kind::Speed, Kind::Input, Kind::Blank};

} // namespace kinds
