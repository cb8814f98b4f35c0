#pragma once

#include "core/program/commandkinds.h"
#include "core/program/modProgVar.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <vector>

// A label on the panel: auto-sized to its caption, transparent, coloured text.
struct PanelLabel {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 13;
    QString Caption;
    Rgb Color = kinds::Black;
    bool Visible = false;
    bool operator==(const PanelLabel&) const = default;
};

// A block's shape: rounded rectangle (END: oval) with a fill and a thin border.
struct PanelShape {
    float Left = 0;
    float Top = 0;
    float Width = 65;
    float Height = 17;
    Rgb Fill = kinds::White;
    bool Visible = false;
    bool Oval = false;
    bool operator==(const PanelShape&) const = default;
};

// One block: shape, text label and (for kinds that have one) comment label, sharing an element index.
struct PanelBlock {
    PanelShape Shape;
    PanelLabel Text;
    PanelLabel Comment;
    bool operator==(const PanelBlock&) const = default;
};

// Mouse buttons as the panel handlers receive them.
enum MouseButton : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// A block found by a hit test: its kind and element index; kind None when nothing was hit.
struct PanelHit {
    Kind kind = Kind::None;
    int index = 0;
    explicit operator bool() const { return kind != Kind::None; }
};

// One line of an opened part file as the panel is to show it.
struct LoadedLine {
    Kind kind = Kind::Blank;
    QString held;            // a free command: its whole text, split for showing as an add splits it
    QString comment;         // the inline comment, for kinds that have one
    bool goSubLabel = false; // a Label made with a GOSUB: orange, 200 wide
    int goSub = -1;          // a RETURN line: the position in the list of its GOSUB line
};

// Why an add was refused; None when it may go ahead.
enum class AddRefusal { None, TableFull, CounterFull, PanelFull };

// The program panel as data: every block of every kind, the command-line table's layout, and the
// mouse interaction (press, drag, drop), deletion, reset and re-layout after an edit. It needs one
// service from outside: the width an auto-sized label takes for a caption.
class ProgramModel {
public:
    using LabelWidth = std::function<int(const QString&)>;

    // Highest row a block may stand on: keeps every Top below the sort's sentinel 10000 and
    // the panel height within 16 bits.
    static constexpr qint16 MaxRowTop = 9584;
    static constexpr qint16 MaxPanelHeight = 32000;
    // The panel's height at start-up; it only ever grows from there.
    static constexpr int StartHeight = 617;
    // Lowest pointer y a drag follows: one row below the lowest row, so the panel's growth stays bounded.
    static constexpr qint16 MaxDragY = MaxRowTop + 24;

    ProgramModel(modProgVar& vars, LabelWidth labelWidth);

    // The whole program as the panel and the table hold it: what an undo step gives back. The file
    // name, the saved state and the dialogs' last results are not part of it.
    struct Snapshot {
        std::array<LineRow, modProgVar::MaxLines + 1> lines{};
        qint16 lineCount = 0;
        KindArray<KindState> perKind{};
        qint16 nextTop = 8;
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

    modProgVar& vars() { return m_vars; }
    const modProgVar& vars() const { return m_vars; }

    // Blocks of a kind; element 0 is the hidden template and never a real block.
    const std::vector<PanelBlock>& blocks(Kind k) const { return m_blocks[k]; }
    const PanelBlock& block(Kind k, int index) const { return blocks(k)[static_cast<std::size_t>(index)]; }
    bool exists(Kind k, int index) const;
    QString heldText(Kind k, int index) const;
    QString inlineComment(Kind k, int index) const;

    float panelWidth() const { return m_panelWidth; }
    float panelHeight() const { return m_panelHeight; }

    // Whether an add of this kind can go ahead (GOSUB needs three lines and six rows); checked before
    // any dialog opens. The panel is full only when the last line stands on the lowest row.
    AddRefusal canAdd(Kind k) const;
    // Adds one block below all others with the given texts (END keeps its caption). Blank splits its
    // text at the first "'". Returns false, with nothing changed, when canAdd refuses.
    bool add(Kind k, const QString& heldText, const QString& inlineComment);
    // A free command's text as the block shows it: the part before its first "'" in the text label,
    // the rest (from the "'") in the comment label.
    static std::pair<QString, QString> splitBlankText(const QString& text);
    // New text for a free-command block, split the same way; its colours stay.
    void setBlankText(int index, const QString& text);
    // Adds the GOSUB block, its Label block and its RETURN block.
    bool addGoSub(const QString& goSubText, const QString& labelText);

    // Mouse handlers. mouseDown returns true when a right press hit a block that opens the pop-up menu.
    bool mouseDown(int button, float x, float y);
    void mouseMove(int buttons, float x, float y);
    void mouseUp(int button, float x, float y);
    bool pointerIsHand() const { return m_hand; }
    // True when the point is over a block's labels (the pointer there is the default arrow).
    bool overLabel(float x, float y) const;
    // True between a press on the panel outside every label and its release: the panel has the mouse.
    bool panelHasMouse() const { return m_capture == Capture::Panel; }
    // The block the last left or middle press hit, while it exists: the one a drag carries.
    PanelHit pressedBlock() const { return exists(m_pressed.kind, m_pressed.index) ? m_pressed : PanelHit{}; }
    // The row top a release at y would drop the carried block on; nothing while none is carried.
    std::optional<qint16> dropTarget(float y) const;
    // The first block (in scan order) whose shape strictly contains the point; element 0 never counts.
    PanelHit hitBlock(float x, float y, std::span<const Kind> order) const;

    // Makes a block the pop-up menu's selection, handing over its texts for Copy: what a right press
    // on it does.
    void select(Kind k, int index);
    // Moves the line in the given row one row up (step -1) or down (+1) by dropping it there, as a
    // drag released on that row would. Returns the row the line stands in afterwards.
    int moveLine(int row, int step);

    // The block the pop-up menu acts on, if it still exists.
    bool selectionExists() const;
    // Text for the clipboard: caption, three blanks, comment (also kept in ClipText).
    QString copyText();
    // Deletes the selected line (a GOSUB takes its RETURN line along).
    void deleteLine();
    // Empties the panel and the table; keeps the panel height.
    void reset();
    // Replaces every block with the lines, laid out from the top one row apart as adds lay them out,
    // GOSUB and RETURN lines paired as given. False, with nothing changed, when they are more than
    // the table takes or a RETURN has no GOSUB above it (or a GOSUB no RETURN below it).
    bool load(const std::vector<LoadedLine>& lines);
    // New captions for an edited block, then the kind's layout rule for its shape width.
    void setCaptions(Kind k, int index, const QString& heldText, const QString& inlineComment, bool relayout);

    // Rows 1..LineCount strictly ascending, every block in exactly one row, counters match, every Top
    // within the rows, the next add below the last line, RETURN below its GOSUB; empty when all hold.
    QString checkInvariants() const;

private:
    enum class Capture { None, Panel, Label };
    // The rows a GOSUB set takes below the row it is added after: GOSUB, Label, three free, RETURN.
    static constexpr int GoSubRows = 6;

    // The row an add of the given rows goes below (NextTop, else the last line's row), if they fit.
    std::optional<qint16> addAfter(int rows) const;

    PanelBlock& blockRef(Kind k, int index) { return m_blocks[k][static_cast<std::size_t>(index)]; }
    // The block layout rule, in one place: the shape's corner at (left, top), the text label 8 right
    // of and 2 below it, the comment label 8 right of the text label's right edge at the same top.
    static void placeBlock(PanelBlock& b, float left, float top);
    // The rest of the rule, the shape's width: fixed for some kinds, else up to the comment's right
    // edge and 20 beyond.
    void fitShape(Kind k, PanelBlock& b) const;
    // A new block of the kind, element index, placed rows below NextTop with a row of its own.
    PanelBlock& appendBlock(Kind k, qint16 index, int rows, bool grow);
    // Puts a block's shape top at top and its labels with it.
    void setBlockTop(Kind k, int index, float top);
    void moveDragged(float x, float y);

    // A drop, in its steps.
    struct DropRow {
        qint16 top = 0;
        int returnGap = 0; // a GOSUB's RETURN lands this far below it
    };
    void drop(Kind k, int n, float y);
    // The row a release at y drops on, bounded so that a GOSUB's RETURN stays on the panel too.
    DropRow dropRow(Kind k, int n, float y) const;
    // The block and its rows on the drop row, marked as this drop's.
    void placeDropped(Kind k, int n, qint16 top);
    // Every other line from the drop row down moves one row.
    void makeRoom(qint16 top);
    void pushDown(LineRow& r);
    void settleReturn(int n, qint16 returnTop);
    // Rows sorted again, then each gap between consecutive lines closes by one row.
    void closeGaps();
    void pullBackPastLastRow();

    modProgVar& m_vars;
    LabelWidth m_labelWidth;
    KindArray<std::vector<PanelBlock>> m_blocks;
    float m_panelWidth = 700;
    float m_panelHeight = StartHeight;
    bool m_hand = false;
    // Who receives moves and the release while a button is held: a press on a label keeps them.
    Capture m_capture = Capture::None;
    // The block the last left or middle press hit; only it is ever carried or dropped.
    PanelHit m_pressed;
};
