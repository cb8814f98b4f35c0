#pragma once

#include "core/panel/panelblock.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

// One row of the command-line table: where the line's block stands and which block it is.
struct LineRow {
    qint16 top = 0;
    Kind kind = Kind::None;
    qint16 blockIndex = 0;
    qint16 mark = 0; // -1 only on the lines a drop has just placed, while the drop settles
    bool operator==(const LineRow&) const = default;
};

// A line of the program as the writer, the checker and the panes read it.
struct ProgramLine {
    Kind kind = Kind::None;
    QString held;        // the held text, as the block's text label shows it
    QString comment;     // the inline comment, for kinds that have one
    QByteArray written;  // the line as read from a file, while unedited (see PanelBlock); else empty
    QString writtenText; // the same as text
    bool operator==(const ProgramLine&) const = default;
};

// One line of an opened part file as the panel is to show it.
struct LoadedLine {
    Kind kind = Kind::Blank;
    QString held;            // a free command: its whole text, split for showing as an add splits it
    QString comment;         // the inline comment, for kinds that have one
    bool goSubLabel = false; // a Label made with a GOSUB: orange, 200 wide
    int goSub = -1;          // a RETURN line: the position in the list of its GOSUB line
    // The line's bytes as read, when the writer would compose held and comment into another line
    // (a line typed by hand); empty when composing them gives the line back. writtenText is the same
    // line as the reader decoded it.
    QByteArray written{};
    QString writtenText{};
};

// Why an add was refused; None when it may go ahead.
enum class AddRefusal { None, TableFull, CounterFull, PanelFull };

class PanelPointer;

// The program as the panel holds it: the command-line table (rows 1..lineCount, top to bottom, which is
// also the written order) and every block of every kind, with adding, deleting, editing, resetting,
// loading and dropping lines, and the selection the pop-up menu acts on. It needs one service from
// outside: the width an auto-sized label takes for a caption. The mouse is PanelPointer's.
class ProgramModel {
public:
    using LabelWidth = std::function<int(const QString&)>;

    static constexpr int MaxLines = 100;
    // Highest row a block may stand on: keeps every top below the sort's sentinel 10000 and
    // the panel height within 16 bits.
    static constexpr qint16 MaxRowTop = 9584;
    static constexpr qint16 MaxPanelHeight = 32000;
    // The panel's height at start-up; it only ever grows from there.
    static constexpr int StartHeight = 617;
    static constexpr int PanelWidth = 700;

    explicit ProgramModel(LabelWidth labelWidth);

    // ---- Reading the program ----
    int lineCount() const { return m_lineCount; }
    // Row n of the table, 1..lineCount.
    const LineRow& row(int n) const { return m_rows[static_cast<std::size_t>(n)]; }
    // The line in row n (1..lineCount).
    ProgramLine line(int n) const;
    QList<ProgramLine> lines() const;
    // The row that holds a block, 0 when none does.
    int rowOf(PanelHit block) const;
    // Blocks of a kind; element 0 is the hidden template and never a real block.
    const std::vector<PanelBlock>& blocks(Kind k) const { return m_blocks[k]; }
    const PanelBlock& block(Kind k, int index) const { return blocks(k)[static_cast<std::size_t>(index)]; }
    bool exists(Kind k, int index) const;
    QString heldText(Kind k, int index) const;
    QString inlineComment(Kind k, int index) const;
    float panelWidth() const { return PanelWidth; }
    float panelHeight() const { return m_panelHeight; }
    // The row the last added block stands on: the next add goes one row below it.
    qint16 nextTop() const { return m_nextTop; }
    // Highest element index in use for a kind (GOSUB's also numbers its RETURN blocks).
    qint16 count(Kind k) const { return m_counts[k]; }

    // ---- The selection: the block last pressed, which the pop-up menu acts on ----
    Kind currentKind() const { return m_currentKind; }
    PanelHit selection() const { return {m_currentKind, m_selected[m_currentKind]}; }
    // Per kind, the element the last press on one of its blocks chose.
    qint16 selected(Kind k) const { return m_selected[k]; }
    // The selected line as Copy puts it on the clipboard: its text, three blanks, its comment.
    QString selectionText() const;
    // The text colour of the block last right-pressed: a free command with a comment is added in it.
    Rgb copiedColor() const { return m_copiedColor; }
    // The selection, if it still names a line (RETURN lines are never selected on their own).
    bool selectionExists() const;
    // Makes a block the selection, as a right press on it does; its text colour becomes the colour a
    // free command with a comment is added in.
    void select(Kind k, int index);
    // The current line, which the keyboard, the Tools and the toolpath act on: the row of the block
    // the selection names (a RETURN line too, which is current without being selected), 0 for none.
    int currentRow() const;
    // Makes a row's block the selection, as a press on it does; 0 or a row out of range changes nothing.
    void setCurrentRow(int row);

    // ---- Changing the program ----
    // Whether an add of this kind can go ahead (GOSUB needs three lines and six rows); checked before
    // any dialog opens. The panel is full only when the last line stands on the lowest row.
    AddRefusal canAdd(Kind k) const;
    // Adds one block below all others with the given texts (END keeps its caption). Blank splits its
    // text at the first "'". Returns false, with nothing changed, when canAdd refuses.
    bool add(Kind k, const QString& heldText, const QString& inlineComment);
    // Adds the GOSUB block, its Label block and its RETURN block.
    bool addGoSub(const QString& goSubText, const QString& labelText);
    // A free command's text as the block shows it: the part before its first "'" in the text label,
    // the rest (from the "'") in the comment label.
    static std::pair<QString, QString> splitBlankText(const QString& text);
    // New text for a free-command block, split the same way; its colours stay.
    void setBlankText(int index, const QString& text);
    // New captions for an edited block, then the kind's layout rule for its shape width. Captions
    // that differ from the block's own end its line as read: it is composed from then on.
    void setCaptions(Kind k, int index, const QString& heldText, const QString& inlineComment, bool relayout);
    // Deletes the selected line (a GOSUB takes its RETURN line along).
    void deleteLine();
    // Empties the panel and the table; keeps the panel height.
    void reset();
    // Lines load and insert take: each of a kind that stands on the panel, each RETURN paired with
    // one GOSUB above it and each GOSUB with one RETURN.
    static bool wellFormed(const std::vector<LoadedLine>& lines);
    // Replaces every block with the lines, laid out from the top one row apart as adds lay them out,
    // GOSUB and RETURN lines paired as given. False, with nothing changed, when they are more than
    // the table takes or a RETURN has no GOSUB above it (or a GOSUB no RETURN below it).
    bool load(const std::vector<LoadedLine>& lines);
    // How many lines could be inserted so that the first stands in the given row (1..lineCount + 1):
    // what the table has room for, and what the panel has rows for below the lines that move down.
    int insertRoom(int row) const;
    // Whether the lines can be inserted at row: TableFull or PanelFull when they are more than
    // insertRoom, CounterFull when a kind would pass its counter's limit, None when they fit.
    AddRefusal canInsert(int row, const std::vector<LoadedLine>& lines) const;
    // Inserts the lines as blocks, as load makes them, so that the first stands in the given row (1 to
    // lineCount + 1) right below the line above it; the lines from that row on move down as far as
    // they must. At the end, they go where adds would put them. The last inserted line becomes the
    // selection. False, with nothing changed, when canInsert refuses, row is out of range or the lines
    // pair GOSUB and RETURN as load would not take them.
    bool insert(int row, const std::vector<LoadedLine>& lines);
    // Moves the line in the given row one row up (step -1) or down (+1) by dropping it there, as a
    // drag released on that row would. Returns the row the line stands in afterwards.
    int moveLine(int row, int step);
    // The row top a block released at y drops on.
    qint16 dropRowTop(Kind k, int index, float y) const;

    // ---- Undo ----
    // The whole program as the panel and the table hold it: what an undo step gives back.
    struct Snapshot {
        std::array<LineRow, MaxLines + 1> rows{};
        qint16 lineCount = 0;
        KindArray<qint16> counts{};
        KindArray<qint16> selected{};
        qint16 nextTop = blocklayout::FirstRow;
        Kind currentKind = Kind::None;
        KindArray<std::vector<PanelBlock>> blocks;
        float panelHeight = StartHeight;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() const;
    // Puts the program back as the snapshot holds it; a drag in progress is dropped.
    void restore(const Snapshot& s);
    // True when the lines, their order and rows, or the next add's row differ: what a save writes
    // or an add depends on, as opposed to where a block was left floating.
    static bool programDiffers(const Snapshot& a, const Snapshot& b);

    // Rows 1..lineCount strictly ascending, every block in exactly one row, counters match, every top
    // within the rows, the next add below the last line, RETURN below its GOSUB; empty when all hold.
    QString checkInvariants() const;

    // What the mouse holds between a press and its release. It lives with the program so that a
    // change of the lines (a delete, a reset, an undo) ends a gesture on a block that moved.
    struct Gesture {
        enum class Capture { None, Panel, Label };
        // Who receives moves and the release while a button is held: a press on a label keeps them.
        Capture capture = Capture::None;
        // The block the last left or middle press hit; only it is ever carried or dropped.
        PanelHit pressed;
        bool hand = false;
        float grabX = 0; // where the block was grabbed, from its corner
        float grabY = 0;
        qint16 pressY = 0;
        qint16 returnGap = 0; // a carried GOSUB's RETURN stands this far below it
    };

private:
    friend class PanelPointer;
    friend struct DropLayout;

    // The block of a line read from a file, element index of its kind, standing at top.
    void placeLoaded(const LoadedLine& line, qint16 index, qint16 top);
    // Where lines inserted at row stand: the first one's top, and how far the lines from row on move.
    struct InsertPlace {
        qint16 firstTop = 0;
        int shift = 0;
    };
    std::optional<InsertPlace> insertPlace(int row, int lines) const;
    // The row an add of the given rows goes below (nextTop, else the last line's row), if they fit.
    std::optional<qint16> addAfter(int rows) const;
    PanelBlock& blockRef(Kind k, int index) { return m_blocks[k][static_cast<std::size_t>(index)]; }
    LineRow& rowRef(int n) { return m_rows[static_cast<std::size_t>(n)]; }
    // A new block of the kind, element index, placed rows below nextTop with a row of its own.
    PanelBlock& appendBlock(Kind k, qint16 index, int rows, bool grow);
    // Appends a row at nextTop; refused (false, nothing changed) when the table is full.
    bool appendRow(Kind k, qint16 blockIndex);
    // Drops a block (with a GOSUB's RETURN) on the row a release at y lands on.
    void drop(Kind k, int index, float y);

    LabelWidth m_labelWidth;
    std::array<LineRow, MaxLines + 1> m_rows{}; // row 0 is never used
    qint16 m_lineCount = 0;
    KindArray<std::vector<PanelBlock>> m_blocks;
    KindArray<qint16> m_counts{};
    KindArray<qint16> m_selected{}; // per kind, the element the last press on one of its blocks chose
    Kind m_currentKind = Kind::None;
    qint16 m_nextTop = blocklayout::FirstRow;
    float m_panelHeight = StartHeight;
    Rgb m_copiedColor = kinds::Black; // the text colour of the block last right-pressed
    Gesture m_gesture;
};
