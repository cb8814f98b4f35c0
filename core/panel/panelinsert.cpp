// Inserting several lines at a row: a template, or any lines read as File > Open reads them. The new
// blocks are made as an opened file's are; the lines below move down only as far as they must, so an
// insert into the free rows of a subroutine fills them without moving its RETURN.
#include "core/panel/programmodel.h"

#include <algorithm>
#include <limits>

namespace {
constexpr int RowPitch = blocklayout::LineSpacing;
} // namespace

std::optional<ProgramModel::InsertPlace> ProgramModel::insertPlace(int at, int lines) const {
    if (at < 1 || at > m_lineCount + 1 || lines < 0) return std::nullopt;
    if (at == m_lineCount + 1) {
        // At the end the lines go where as many adds would put them.
        const std::optional<qint16> after = addAfter(lines);
        if (!after) return std::nullopt;
        return InsertPlace{static_cast<qint16>(*after + RowPitch), 0};
    }
    const int above = at > 1 ? row(at - 1).top : blocklayout::FirstRow;
    const int first = above + RowPitch;
    const int shift = std::max(0, first + RowPitch * lines - row(at).top);
    if (row(m_lineCount).top + shift > MaxRowTop) return std::nullopt;
    return InsertPlace{static_cast<qint16>(first), shift};
}

int ProgramModel::insertRoom(int at) const {
    int room = MaxLines - m_lineCount;
    while (room > 0 && !insertPlace(at, room))
        --room;
    return room;
}

AddRefusal ProgramModel::canInsert(int at, const std::vector<LoadedLine>& lines) const {
    const auto n = static_cast<int>(lines.size());
    if (n > MaxLines - m_lineCount) return AddRefusal::TableFull;
    if (!insertPlace(at, n)) return AddRefusal::PanelFull;
    KindArray<int> added{};
    for (const LoadedLine& l : lines)
        if (l.kind != Kind::None && l.kind != Kind::Return && code(l.kind) < KindSlots) ++added[l.kind];
    for (std::size_t k = 1; k < KindSlots; ++k)
        if (m_counts[k] + added[k] > std::numeric_limits<qint16>::max()) return AddRefusal::CounterFull;
    return AddRefusal::None;
}

bool ProgramModel::insert(int at, const std::vector<LoadedLine>& lines) {
    if (lines.empty() || !wellFormed(lines) || canInsert(at, lines) != AddRefusal::None) return false;
    const auto n = static_cast<int>(lines.size());
    const InsertPlace place = *insertPlace(at, n);

    // The lines from the row on move down first, blocks and rows together.
    std::array<LineRow, MaxLines + 1> moved{};
    const int below = m_lineCount - at + 1;
    for (int i = 0; i < below; ++i) {
        LineRow r = row(at + i);
        r.top = static_cast<qint16>(r.top + place.shift);
        PanelBlock& b = blockRef(r.kind, r.blockIndex);
        blocklayout::place(b, b.shape.left, b.shape.top + static_cast<float>(place.shift));
        moved[static_cast<std::size_t>(i)] = r;
    }

    m_lineCount = static_cast<qint16>(at - 1);
    std::vector<qint16> goSubIndex(lines.size(), 0);
    qint16 top = place.firstTop;
    for (std::size_t i = 0; i < lines.size(); ++i, top = static_cast<qint16>(top + RowPitch)) {
        const LoadedLine& l = lines[i];
        const qint16 index =
            l.kind == Kind::Return ? goSubIndex[static_cast<std::size_t>(l.goSub)] : ++m_counts[l.kind];
        if (l.kind == Kind::GoSub) goSubIndex[i] = index;
        rowRef(++m_lineCount) = {top, l.kind, index, 1};
        placeLoaded(l, index, top);
        if (l.kind != Kind::Return) {
            // The last line inserted is the selection, so that a second insert follows it.
            m_currentKind = l.kind;
            m_selected[l.kind] = index;
        }
    }
    for (int i = 0; i < below; ++i)
        rowRef(++m_lineCount) = moved[static_cast<std::size_t>(i)];

    // At the end the next add follows the inserted lines, as it follows an added one; elsewhere it
    // stays below the last line.
    const qint16 lastTop = row(m_lineCount).top;
    m_nextTop = below == 0 ? lastTop : std::max(m_nextTop, lastTop);
    if (lastTop > m_panelHeight) m_panelHeight = lastTop + m_panelHeight + 48;
    // A drag needs a fresh press: the pressed block may have moved.
    m_gesture.pressed = {};
    return true;
}
