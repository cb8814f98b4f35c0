// Dropping a block on a row: the rule that keeps the table in panel order. The dropped line takes the
// row, every other line from there down moves one row, the table is sorted again and each gap closes
// by one row; a GOSUB brings its RETURN along, keeping the subroutine's length.
#include "core/panel/programmodel.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int RowPitch = blocklayout::LineSpacing; // drops land on rows 8 + 24k
constexpr int FirstRow = blocklayout::FirstRow;
constexpr int SortSentinel = 10000;

} // namespace

// The steps of one drop, over the model's rows and blocks.
struct DropLayout {
    ProgramModel& m;

    // The row a release at y drops on, and how far below it a GOSUB's RETURN lands; bounded so that
    // the RETURN stays on the panel too.
    struct Row {
        qint16 top = 0;
        int returnGap = 0;
    };
    static Row rowAt(const ProgramModel& m, Kind k, int n, float y) {
        int lowest = ProgramModel::MaxRowTop;
        int returnGap = 0;
        if (k == Kind::GoSub) {
            // The subroutine keeps its length: the RETURN row lands as far below as its row stood before.
            int goSubTop = 0, returnTop = 0;
            for (int i = 1; i <= m.m_lineCount; ++i) {
                const LineRow& r = m.row(i);
                if (r.blockIndex == n && r.kind == Kind::GoSub) goSubTop = r.top;
                if (r.blockIndex == n && r.kind == Kind::Return) returnTop = r.top;
            }
            returnGap = std::max(returnTop - goSubTop, RowPitch);
            lowest =
                std::max(FirstRow, FirstRow + (ProgramModel::MaxRowTop - returnGap - FirstRow) / RowPitch * RowPitch);
        }
        const int u = static_cast<int>(std::floor(y / static_cast<float>(RowPitch))) * RowPitch + FirstRow;
        return {static_cast<qint16>(std::clamp(u, FirstRow, lowest)), returnGap};
    }

    void setBlockTop(Kind k, int index, float top) {
        PanelBlock& b = m.blockRef(k, index);
        blocklayout::place(b, b.shape.left, top);
    }

    // The block and its rows on the drop row, marked as this drop's.
    void placeDropped(Kind k, int n, qint16 top) {
        blocklayout::place(m.blockRef(k, n), blocklayout::BlockLeft, top);
        for (int i = 1; i <= m.m_lineCount; ++i) {
            LineRow& r = m.rowRef(i);
            if (r.kind == k && r.blockIndex == n) {
                r.top = top;
                r.mark = -1;
            }
        }
    }

    void pushDown(LineRow& r) {
        setBlockTop(r.kind, r.blockIndex, m.block(r.kind, r.blockIndex).shape.top + RowPitch);
        r.top = static_cast<qint16>(r.top + RowPitch);
    }

    // Every other line from the drop row down moves one row. RETURN lines move too, so that a
    // subroutine never ends above its GOSUB.
    void makeRoom(qint16 top) {
        for (int i = 1; i <= m.m_lineCount; ++i)
            if (m.row(i).top >= top && m.row(i).mark > 0) pushDown(m.rowRef(i));
    }

    // A line pushed onto the dropped RETURN's row keeps it: the RETURN takes the next row, and the
    // unbroken run of lines there moves one row on. No two lines share a row, and a GOSUB dropped
    // onto its own row changes nothing once the gaps close.
    void settleReturn(int n, qint16 returnTop) {
        auto lineAt = [this](int top) -> LineRow* {
            for (int i = 1; i <= m.m_lineCount; ++i)
                if (m.row(i).mark > 0 && m.row(i).top == top) return &m.rowRef(i);
            return nullptr;
        };
        if (!lineAt(returnTop)) return;
        std::vector<LineRow*> run;
        for (int top = returnTop + RowPitch; LineRow* r = lineAt(top); top += RowPitch)
            run.push_back(r);
        for (LineRow* r : run)
            pushDown(*r);
        const auto top = static_cast<qint16>(returnTop + RowPitch);
        setBlockTop(Kind::Return, n, top);
        for (int i = 1; i <= m.m_lineCount; ++i)
            if (m.row(i).kind == Kind::Return && m.row(i).blockIndex == n) m.rowRef(i).top = top;
    }

    // Sorts rows 1..lineCount by ascending top, the lower row first among equal tops (SortByTop). A
    // selection sort with a sentinel, on a copy of the tops, so a top at the sentinel (which the
    // panel's bounds rule out) changes nothing.
    void sortByTop() {
        const int count = m.m_lineCount;
        std::array<int, ProgramModel::MaxLines + 1> tops{};
        std::array<LineRow, ProgramModel::MaxLines + 1> sorted{};
        for (int i = 1; i <= count; ++i)
            tops[static_cast<std::size_t>(i)] = m.row(i).top;
        for (int k = 1; k <= count; ++k) {
            int pick = 0;
            int least = SortSentinel;
            for (int i = 1; i <= count; ++i) {
                if (tops[static_cast<std::size_t>(i)] < least) {
                    least = tops[static_cast<std::size_t>(i)];
                    pick = i;
                }
            }
            if (pick == 0) return;
            sorted[static_cast<std::size_t>(k)] = m.row(pick);
            tops[static_cast<std::size_t>(pick)] = SortSentinel;
        }
        for (int k = 1; k <= count; ++k) {
            LineRow& r = m.rowRef(k);
            const LineRow& from = sorted[static_cast<std::size_t>(k)];
            r.top = from.top;
            r.kind = from.kind;
            r.blockIndex = from.blockIndex;
        }
    }

    // Rows sorted again, then each gap between consecutive lines closes by one row.
    void closeGaps() {
        for (int i = 1; i <= m.m_lineCount; ++i)
            m.rowRef(i).mark = 1;
        sortByTop();
        // One row per gap; a RETURN block follows its line.
        for (int i = 1; i < m.m_lineCount; ++i) {
            LineRow& next = m.rowRef(i + 1);
            if (next.top - m.row(i).top > RowPitch) {
                next.top = static_cast<qint16>(next.top - RowPitch);
                setBlockTop(next.kind, next.blockIndex, next.top);
            }
        }
    }

    // Lines pushed past the lowest row go back into the last rows, so every top stays within the
    // panel's bound.
    void pullBackPastLastRow() {
        for (int i = m.m_lineCount; i >= 1; --i) {
            LineRow& r = m.rowRef(i);
            const int limit = ProgramModel::MaxRowTop - RowPitch * (m.m_lineCount - i);
            if (r.top > limit) {
                r.top = static_cast<qint16>(limit);
                setBlockTop(r.kind, r.blockIndex, r.top);
            }
        }
    }
};

void ProgramModel::drop(Kind k, int n, float y) {
    DropLayout layout{*this};
    const DropLayout::Row at = DropLayout::rowAt(*this, k, n, y);
    if (m_nextTop < at.top) m_nextTop = static_cast<qint16>(at.top - RowPitch);
    if (at.top > m_panelHeight) m_panelHeight = at.top + m_panelHeight + 48;

    const auto returnTop = static_cast<qint16>(at.top + at.returnGap);
    layout.placeDropped(k, n, at.top);
    if (k == Kind::GoSub) layout.placeDropped(Kind::Return, n, returnTop);
    layout.makeRoom(at.top);
    if (k == Kind::GoSub) layout.settleReturn(n, returnTop);
    layout.closeGaps();
    layout.pullBackPastLastRow();
    // The next add goes below every line, never onto a row a drop has filled.
    if (m_lineCount > 0) m_nextTop = std::max(m_nextTop, row(m_lineCount).top);
}

int ProgramModel::moveLine(int at, int step) {
    const int target = at + step;
    if (at < 1 || at > m_lineCount || target < 1 || target > m_lineCount || (step != 1 && step != -1)) return at;
    const LineRow moved = row(at);
    // A RETURN moves only with its GOSUB.
    if (moved.kind == Kind::Return) return at;
    // Up: onto the row of the line above, which makes room below. Down: onto the row just below the
    // next line, the first row that puts the line after it.
    const int top = row(target).top + (step > 0 ? RowPitch : 0);
    drop(moved.kind, moved.blockIndex, static_cast<float>(top));
    m_gesture.pressed = {};
    const int now = rowOf({moved.kind, moved.blockIndex});
    return now > 0 ? now : at;
}

qint16 ProgramModel::dropRowTop(Kind k, int index, float y) const {
    return DropLayout::rowAt(*this, k, index, y).top;
}
