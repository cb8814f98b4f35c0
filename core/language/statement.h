#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <memory>

// One line of a part file as the router reads it. Operators type part files by hand, so the reading
// is lenient: letter case, blanks and tabs around commas and fields, trailing blanks and an inline
// comment after any amount of space all read the same. The accepted forms are listed in
// docs/part-files.md. Every function here takes time linear in the line's length.
namespace statement {

enum class Kind : quint8 {
    Empty,    // nothing but blanks
    Comment,  // nothing but a comment
    Move,     // MX MY MZ M2 M3 M4 M5
    Jog,      // JX JY JZ J2 J3 J4 J5
    Speed,    // VS
    FileCall, // FP
    If,       // IF test THEN statement
    GoTo,
    GoSub,
    Return,
    End,
    Label,  // NAME:
    Assign, // &NAME = VALUE
    Input,  // INPUT "prompt" &NAME
    Pause,  // PAUSE or PAUSE, n
    Unknown // any other command, kept as text
};

enum class Compare : quint8 { None, Equal, Less, Greater, LessOrEqual, GreaterOrEqual, NotEqual };

// A file call's offset mode as its last field gives it: "0" (or no mode at all) none, "2" 2d, "1" 3d,
// anything else Odd (the text is kept in offsetText).
enum class Offset : quint8 { None, TwoD, ThreeD, Odd };

inline constexpr int AxisCount = 5; // X, Y, Z, A, B
inline constexpr int SpeedCount = 8;

struct Statement {
    Kind kind = Kind::Empty;
    // Where the inline comment's "'" stands in the line, or -1: the text before it is what the
    // router runs.
    qsizetype commentAt = -1;
    // The command word in capitals as the router reads it ("MX", "M3", "VS", "FP", "IF", "GOTO", ...);
    // empty for an Empty, Comment, Label, Assign or Unknown line.
    QString command;

    // Move and Jog: each axis's field text (X, Y, Z, A, B), trimmed, where the command positions it;
    // empty leaves the axis where it is.
    std::array<QString, AxisCount> axes;
    // Speed: XY move, Z move, A move, B move, XY jog, Z jog, A jog, B jog, trimmed; empty keeps a speed.
    std::array<QString, SpeedCount> speeds;
    // Move, Jog and Speed: how many comma-separated fields follow the command, and how many places the
    // command has ("J2, 1,5, 2,5" gives 4 for 2).
    int valuesGiven = 0;
    int valuesTaken = 0;
    // Bit i: field i (from 0, the first 32) was given but holds only blanks.
    quint32 blankFields = 0;
    // A field the command does not read holds a value: past the command's places, or in a place
    // that only pads MX, MY or MZ ("MY, 3, 2").
    bool ignoredValues = false;

    // FileCall: the name as written (trimmed; may hold "\"), and its offset mode.
    QString file;
    Offset offset = Offset::None;
    QString offsetText;

    // If: left and right of the comparison (trimmed), and the statement after THEN; no THEN gives a
    // null statement, an empty THEN an Empty one. test and thenText are the two parts as written
    // (trimmed), for putting the line into the dialog's layout.
    QString left;
    Compare compare = Compare::None;
    QString right;
    std::shared_ptr<const Statement> then;
    QString test;
    QString thenText;

    // GoTo, GoSub and Label: the label's name (trimmed, without its ":").
    QString label;
    // Assign and Input: the variable's name without its "&"s.
    QString variable;
    // Assign: the value's text; Pause: its argument (empty for a bare PAUSE); End and Return: any
    // text after the word, which the router does not read.
    QString value;
    // Input: the text between the quotes.
    QString prompt;
};

// The line as the router reads it.
Statement parse(QStringView line);

// Why values on the line are ignored ("J2, 1,5, 2,5": a decimal comma makes four values of two), in
// the words the checker and the dry run both show; empty when none is.
QString ignoredValuesText(const Statement& s);

// How far apart two numbers may be and still be equal, as a part of the larger (at least 1).
inline constexpr double Tolerance = 1e-9;

// Whether a compare b holds as an IF test, with = meeting numbers that differ by rounding only.
bool holds(double a, Compare compare, double b);

// Where a line's inline comment begins ("'" outside a double-quoted text), or -1.
qsizetype commentStart(QStringView line);

// A label's name as a line writes it: trimmed, one trailing ":" dropped, trimmed again.
QString labelName(QStringView text);

// How label and variable names compare: without regard to letter case, as the checker compares
// them. name is a label name (see labelName) or a variable name without its "&"s.
QString nameKey(QStringView name);

} // namespace statement
