#pragma once

#include "core/program/kindcode.h"

#include <QString>

#include <array>
#include <optional>

// One row of the command-line table.
struct LineRow {
    qint16 Top = 0;
    qint16 Kind = 0;
    qint16 BlockIndex = 0;
    qint16 Mark = 0;
};

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

    // Per-kind block counters (highest element index in use); GOSUB's also counts its RETURN blocks.
    qint16 MoveCount = 0, FileCount = 0, IfThenCount = 0, LabelCount = 0, GoSubCount = 0, EndCount = 0, PauseCount = 0,
           VarCount = 0, CommentCount = 0, GoToCount = 0, SpeedCount = 0, InputCount = 0, JogCount = 0, BlankCount = 0;

    // Layout constants and position state.
    qint16 LineSpacing = 24;
    qint16 BlockLeft = 20;
    qint16 NextTop = 8;
    qint16 CommentWidth = 600;

    qint16 CurrentKind = 0;
    bool FileSaved = true;

    QString PartFileName;
    QString PartFileFolder;
    QString PartFileTitle;
    qint16 PartNameState = 0;

    // Results the command dialogs hand back.
    QString MoveText, FileText, IfText, LabelText, GoSubText, GoSubLabelText, PauseText, VarText, CommentText, GoToText,
        SpeedText, InputText, JogText, BlankText;
    QString InlineCommentText;
    QString EditInlineComment;

    // File-call dialog state.
    QString CalledFileName;
    QString OffsetMode = QStringLiteral("0");
    qint16 FileChoiceState = 0;

    // Selection, drag and copy state of the panel.
    qint16 MoveSel = 0, FileSel = 0, IfThenSel = 0, LabelSel = 0, GoSubSel = 0, EndSel = 0, PauseSel = 0, VarSel = 0,
           CommentSel = 0, GoToSel = 0, SpeedSel = 0, InputSel = 0, JogSel = 0, BlankSel = 0;
    float GrabOffsetX = 0;
    float GrabOffsetY = 0;
    qint16 PressY = 0;
    qint16 ReturnGap = 0;
    QString CopiedCaption;
    QString CopiedComment;
    double CopiedColor = 0; // an RGB value as the toolkit encodes it: red + 256 * green + 65536 * blue
    QString ClipText;

    // The counter of a kind (RETURN shares GOSUB's); nullptr for codes without one.
    qint16* counter(Kind k);
    const qint16* counter(Kind k) const;
    // The selection variable of a kind; nullptr for RETURN and unknown codes.
    qint16* selection(Kind k);
    // The result string a kind's dialog leaves; nullptr for END and RETURN.
    QString* resultText(Kind k);

    // Append a row at NextTop. Refused (false, nothing changed) when the table is full.
    bool appendLine(Kind k, qint16 blockIndex);
};
