#pragma once

#include "core/program/kindcode.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// One row of the command-line table.
struct LineRow {
    qint16 Top = 0;
    ::Kind Kind = ::Kind::None;
    qint16 BlockIndex = 0;
    qint16 Mark = 0;
    bool operator==(const LineRow&) const = default;
};

// What the program keeps for each command kind.
struct KindState {
    qint16 Count = 0; // highest element index in use; GOSUB's also numbers its RETURN blocks
    qint16 Sel = 0;   // the element the last press on a block of the kind selected
    QString Text;     // the held text the kind's dialog hands back
    bool operator==(const KindState&) const = default;
};

// Outcome of the part-file name choice.
enum class PartName : qint16 { NotChosen = 0, Cancelled = 1, Chosen = 9 };

// 16-bit arithmetic the way the table needs it: an out-of-range result is reported, never wrapped.
std::optional<qint16> checkedAdd16(qint16 a, int b);

// Nearest integer with halves to even, then checked into 16 bits.
std::optional<qint16> roundToInt16(double v);

// Shared state of the main window, the panel and the command dialogs. The main window owns one
// instance for the run and passes it by reference; tests build their own.
struct modProgVar {
    static constexpr int MaxLines = 100;

    // Command-line table: rows 1..LineCount in ascending Top; row 0 is never used.
    std::array<LineRow, MaxLines + 1> Lines{};
    qint16 LineCount = 0;

    // Counter, selection and dialog result of every kind. RETURN's entry stays unused: a RETURN block
    // is numbered with its GOSUB and moves, and is deleted, only with it.
    KindArray<KindState> PerKind{};

    // Layout constants and position state.
    qint16 LineSpacing = 24;
    qint16 BlockLeft = 20;
    qint16 NextTop = 8;
    qint16 CommentWidth = 600;

    Kind CurrentKind = Kind::None;
    bool FileSaved = true;

    QString PartFileName;
    QString PartFileFolder;
    QString PartFileTitle;
    PartName PartNameState = PartName::NotChosen;

    // Results the command dialogs hand back besides each kind's held text.
    QString GoSubLabelText;
    QString InlineCommentText;
    QString EditInlineComment;

    // File-call dialog state.
    QString CalledFileName;
    QString OffsetMode = QStringLiteral("0");
    qint16 FileChoiceState = 0;

    // Selection, drag and copy state of the panel.
    float GrabOffsetX = 0;
    float GrabOffsetY = 0;
    qint16 PressY = 0;
    qint16 ReturnGap = 0;
    QString CopiedCaption;
    QString CopiedComment;
    double CopiedColor = 0; // an RGB value as the toolkit encodes it: red + 256 * green + 65536 * blue
    QString ClipText;

    // Lines of an opened part file that are no blocks, written back unchanged around the program:
    // a Headsmith header with the lines kept after it, the opening lines as they stood (empty: the
    // standard ones are written), and a closing block with the lines after it.
    QList<QByteArray> KeptHead;
    QList<QByteArray> KeptOpening;
    QList<QByteArray> KeptTail;

    // Append a row at NextTop. Refused (false, nothing changed) when the table is full.
    bool appendLine(Kind k, qint16 blockIndex);
};
