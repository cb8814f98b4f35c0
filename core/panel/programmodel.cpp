#include "core/panel/programmodel.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// The rows a GOSUB set takes below the row it is added after: GOSUB, Label, three free, RETURN.
constexpr int GoSubRows = 6;
} // namespace

ProgramModel::ProgramModel(LabelWidth labelWidth) : m_labelWidth(std::move(labelWidth)) {
    // Element 0 of every kind is the hidden design-time template the blocks are copied from.
    for (const KindInfo& info : kinds::Table) {
        if (info.kind == Kind::None) continue;
        PanelBlock tmpl;
        tmpl.shape.width = info.templateWidth;
        tmpl.shape.oval = info.oval;
        tmpl.text.caption = QString::fromLatin1(info.templateCaption);
        tmpl.text.color = info.textColor;
        tmpl.text.width = static_cast<float>(m_labelWidth(tmpl.text.caption));
        tmpl.comment.color = kinds::Green;
        m_blocks[info.kind].push_back(tmpl);
    }
}

bool ProgramModel::exists(Kind k, int index) const {
    if (k == Kind::None) return false;
    const auto& list = blocks(k);
    return index >= 1 && static_cast<std::size_t>(index) < list.size();
}

QString ProgramModel::heldText(Kind k, int index) const {
    return exists(k, index) ? block(k, index).text.caption : QString();
}

QString ProgramModel::inlineComment(Kind k, int index) const {
    return exists(k, index) && kinds::info(k).hasComment ? block(k, index).comment.caption : QString();
}

ProgramLine ProgramModel::line(int n) const {
    const LineRow& r = row(n);
    if (!exists(r.kind, r.blockIndex)) return {r.kind, {}, {}, {}, {}};
    const PanelBlock& b = block(r.kind, r.blockIndex);
    return {r.kind, heldText(r.kind, r.blockIndex), inlineComment(r.kind, r.blockIndex), b.written, b.writtenText};
}

QList<ProgramLine> ProgramModel::lines() const {
    QList<ProgramLine> out;
    out.reserve(m_lineCount);
    for (int n = 1; n <= m_lineCount; ++n)
        if (exists(row(n).kind, row(n).blockIndex)) out << line(n);
    return out;
}

int ProgramModel::rowOf(PanelHit block) const {
    for (int n = 1; n <= m_lineCount; ++n)
        if (row(n).kind == block.kind && row(n).blockIndex == block.index) return n;
    return 0;
}

bool ProgramModel::appendRow(Kind k, qint16 blockIndex) {
    if (m_lineCount >= MaxLines) return false;
    ++m_lineCount;
    rowRef(m_lineCount) = {m_nextTop, k, blockIndex, 1};
    return true;
}

AddRefusal ProgramModel::canAdd(Kind k) const {
    const bool goSub = k == Kind::GoSub;
    const int rows = goSub ? 3 : 1;
    if (m_lineCount + rows > MaxLines) return AddRefusal::TableFull;
    constexpr qint16 CountLimit = std::numeric_limits<qint16>::max();
    if (k == Kind::None || m_counts[k] >= CountLimit) return AddRefusal::CounterFull;
    if (goSub && m_counts[Kind::Label] >= CountLimit) return AddRefusal::CounterFull;
    if (!addAfter(goSub ? GoSubRows : 1)) return AddRefusal::PanelFull;
    return AddRefusal::None;
}

std::optional<qint16> ProgramModel::addAfter(int rows) const {
    const auto fits = [this, rows](int top) { return top + blocklayout::LineSpacing * rows <= MaxRowTop; };
    if (fits(m_nextTop)) return m_nextTop;
    // A drop far down can leave NextTop on the lowest row while the lines end higher up: the add
    // then goes one row below the last line.
    const int last = m_lineCount > 0 ? row(m_lineCount).top : blocklayout::FirstRow;
    if (fits(last)) return static_cast<qint16>(last);
    return std::nullopt;
}

bool ProgramModel::add(Kind k, const QString& heldText, const QString& inlineComment) {
    if (k == Kind::GoSub || k == Kind::Return || k == Kind::None || canAdd(k) != AddRefusal::None) return false;
    const KindInfo& info = kinds::info(k);
    m_nextTop = *addAfter(1);
    m_currentKind = k;
    const qint16 index = ++m_counts[k];
    PanelBlock& b = appendBlock(k, index, 1, true);
    b.comment.visible = info.hasComment;
    // END keeps its caption; a kind without a comment label keeps that label empty.
    QString text = b.text.caption;
    QString comment = b.comment.caption;
    if (k == Kind::Blank) {
        std::tie(text, comment) = splitBlankText(heldText);
        if (!comment.isEmpty()) b.text.color = m_copiedColor;
    } else if (k != Kind::End) {
        text = heldText;
        if (info.hasComment) comment = inlineComment;
    }
    setCaptions(k, index, text, comment, true);
    return true;
}

PanelBlock& ProgramModel::appendBlock(Kind k, qint16 index, int rows, bool grow) {
    m_nextTop = static_cast<qint16>(m_nextTop + rows * blocklayout::LineSpacing);
    if (grow && m_nextTop > m_panelHeight) m_panelHeight = m_nextTop + m_panelHeight + 48;
    appendRow(k, index);
    std::vector<PanelBlock>& list = m_blocks[k];
    PanelBlock b = list.front();
    b.shape.visible = b.text.visible = true;
    blocklayout::place(b, blocklayout::BlockLeft, m_nextTop);
    list.push_back(b);
    return list.back();
}

std::pair<QString, QString> ProgramModel::splitBlankText(const QString& text) {
    const qsizetype p = text.indexOf(QLatin1Char('\''));
    if (p < 0) return {text, QString()};
    return {text.left(p), text.mid(p)};
}

void ProgramModel::setBlankText(int index, const QString& text) {
    const auto [held, comment] = splitBlankText(text);
    setCaptions(Kind::Blank, index, held, comment, true);
}

bool ProgramModel::addGoSub(const QString& goSubText, const QString& labelText) {
    if (canAdd(Kind::GoSub) != AddRefusal::None) return false;
    m_nextTop = *addAfter(GoSubRows);
    m_currentKind = Kind::GoSub;
    const qint16 n = ++m_counts[Kind::GoSub];
    appendBlock(Kind::GoSub, n, 1, true);
    setCaptions(Kind::GoSub, n, goSubText, QString(), true);

    m_currentKind = Kind::Label;
    const qint16 m = ++m_counts[Kind::Label];
    PanelBlock& label = appendBlock(Kind::Label, m, 1, true);
    label.comment.visible = true;
    label.shape.fill = kinds::Orange;
    setCaptions(Kind::Label, m, labelText, label.comment.caption, false);
    label.shape.width = 200;

    // Three free rows between the Label and the RETURN; this step leaves the panel's height alone.
    appendBlock(Kind::Return, n, 4, false).text.width = 81;
    return true;
}

void ProgramModel::setCaptions(Kind k, int index, const QString& heldText, const QString& inlineComment,
                               bool relayout) {
    if (!exists(k, index)) return;
    PanelBlock& b = blockRef(k, index);
    const bool hasComment = kinds::info(k).hasComment;
    if (b.text.caption != heldText || (hasComment && b.comment.caption != inlineComment)) {
        b.written.clear();
        b.writtenText.clear();
    }
    b.text.caption = heldText;
    b.text.width = static_cast<float>(m_labelWidth(heldText));
    if (hasComment) {
        b.comment.caption = inlineComment;
        b.comment.width = static_cast<float>(m_labelWidth(inlineComment));
    }
    blocklayout::place(b, b.shape.left, b.shape.top);
    if (relayout) blocklayout::fitShape(k, b);
}

void ProgramModel::reset() {
    for (auto& list : m_blocks)
        if (!list.empty()) list.resize(1);
    m_counts = {};
    m_nextTop = blocklayout::FirstRow;
    m_lineCount = 0;
    m_gesture.pressed = {};
}

bool ProgramModel::wellFormed(const std::vector<LoadedLine>& lines) {
    // Every GOSUB needs exactly one RETURN below it: the pair moves, and is deleted, as one.
    std::vector<int> returns(lines.size(), 0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LoadedLine& l = lines[i];
        if (l.kind == Kind::None || code(l.kind) >= KindSlots) return false;
        if (l.kind != Kind::Return) continue;
        if (l.goSub < 0 || static_cast<std::size_t>(l.goSub) >= i ||
            lines[static_cast<std::size_t>(l.goSub)].kind != Kind::GoSub)
            return false;
        ++returns[static_cast<std::size_t>(l.goSub)];
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == Kind::GoSub && returns[i] != 1) return false;
    return true;
}

bool ProgramModel::load(const std::vector<LoadedLine>& lines) {
    if (lines.size() > static_cast<std::size_t>(MaxLines) || !wellFormed(lines)) return false;
    reset();
    const int goSubs = static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [](const LoadedLine& l) { return l.kind == Kind::GoSub; }));
    auto& returnBlocks = m_blocks[Kind::Return];
    returnBlocks.resize(static_cast<std::size_t>(goSubs) + 1, returnBlocks.front());
    std::vector<qint16> goSubIndex(lines.size(), 0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LoadedLine& l = lines[i];
        const qint16 index =
            l.kind == Kind::Return ? goSubIndex[static_cast<std::size_t>(l.goSub)] : ++m_counts[l.kind];
        if (l.kind == Kind::GoSub) goSubIndex[i] = index;
        m_nextTop = static_cast<qint16>(m_nextTop + blocklayout::LineSpacing);
        if (m_nextTop > m_panelHeight) m_panelHeight = m_nextTop + m_panelHeight + 48;
        appendRow(l.kind, index);
        placeLoaded(l, index, m_nextTop);
    }
    return true;
}

void ProgramModel::placeLoaded(const LoadedLine& l, qint16 index, qint16 top) {
    const Kind k = l.kind;
    const KindInfo& info = kinds::info(k);
    PanelBlock b = m_blocks[k].front();
    b.shape.visible = b.text.visible = true;
    b.comment.visible = info.hasComment;
    blocklayout::place(b, blocklayout::BlockLeft, top);
    if (k == Kind::Return) {
        // RETURN blocks are numbered with their GOSUBs.
        b.text.width = 81;
        b.written = l.written;
        b.writtenText = l.writtenText;
        auto& returns = m_blocks[Kind::Return];
        const auto at = static_cast<std::size_t>(index);
        if (returns.size() <= at) returns.resize(at + 1, returns.front());
        returns[at] = b;
        return;
    }
    m_blocks[k].push_back(b);
    if (k == Kind::Blank) {
        setBlankText(index, l.held);
    } else if (k == Kind::Label && l.goSubLabel) {
        PanelBlock& label = blockRef(k, index);
        label.shape.fill = kinds::Orange;
        setCaptions(k, index, l.held, l.comment, false);
        label.shape.width = 200;
    } else if (k != Kind::End) {
        setCaptions(k, index, l.held, info.hasComment ? l.comment : QString(), true);
    } else {
        blocklayout::fitShape(k, blockRef(k, index));
    }
    // A line read from a file is written back as it was read until it is edited.
    PanelBlock& read = blockRef(k, index);
    read.written = l.written;
    read.writtenText = l.writtenText;
}

ProgramModel::Snapshot ProgramModel::snapshot() const {
    return {m_rows, m_lineCount, m_counts, m_selected, m_nextTop, m_currentKind, m_blocks, m_panelHeight};
}

void ProgramModel::restore(const Snapshot& s) {
    m_rows = s.rows;
    m_lineCount = s.lineCount;
    m_counts = s.counts;
    m_selected = s.selected;
    m_nextTop = s.nextTop;
    m_currentKind = s.currentKind;
    m_blocks = s.blocks;
    m_panelHeight = s.panelHeight;
    m_gesture = {};
}

bool ProgramModel::programDiffers(const Snapshot& a, const Snapshot& b) {
    if (a.lineCount != b.lineCount || a.nextTop != b.nextTop) return true;
    for (int i = 1; i <= a.lineCount; ++i) {
        const LineRow& x = a.rows[static_cast<std::size_t>(i)];
        const LineRow& y = b.rows[static_cast<std::size_t>(i)];
        if (x.top != y.top || x.kind != y.kind || x.blockIndex != y.blockIndex) return true;
        const PanelBlock& bx = a.blocks[x.kind][static_cast<std::size_t>(x.blockIndex)];
        const PanelBlock& by = b.blocks[y.kind][static_cast<std::size_t>(y.blockIndex)];
        if (bx.text.caption != by.text.caption || bx.comment.caption != by.comment.caption || bx.written != by.written)
            return true;
    }
    return false;
}

QString ProgramModel::checkInvariants() const {
    QStringList problems;
    KindArray<std::vector<int>> seen;
    for (std::size_t k = 1; k < KindSlots; ++k)
        seen[k].assign(m_blocks[k].size(), 0);
    for (int n = 1; n <= m_lineCount; ++n) {
        const LineRow& row = m_rows[static_cast<std::size_t>(n)];
        if (n > 1 && row.top <= m_rows[static_cast<std::size_t>(n - 1)].top)
            problems << QStringLiteral("row %1 not below row %2").arg(n).arg(n - 1);
        if (row.top < blocklayout::FirstRow || row.top > MaxRowTop)
            problems << QStringLiteral("row %1 top %2 out of range").arg(n).arg(row.top);
        if (!exists(row.kind, row.blockIndex))
            problems << QStringLiteral("row %1 names no block (%2, %3)").arg(n).arg(code(row.kind)).arg(row.blockIndex);
        else
            ++seen[row.kind][static_cast<std::size_t>(row.blockIndex)];
        if (row.mark != 1) problems << QStringLiteral("row %1 mark %2").arg(n).arg(row.mark);
    }
    for (std::size_t k = 1; k < KindSlots; ++k) {
        const Kind kind = static_cast<Kind>(k);
        for (std::size_t i = 1; i < seen[k].size(); ++i)
            if (seen[k][i] != 1) problems << QStringLiteral("block (%1, %2) in %3 rows").arg(k).arg(i).arg(seen[k][i]);
        if (kind == Kind::Return) continue; // numbered with their GOSUBs
        const qint16 count = m_counts[kind];
        const auto blocksOfKind = static_cast<int>(m_blocks[k].size()) - 1;
        if (count != blocksOfKind)
            problems << QStringLiteral("counter of kind %1 is %2 for %3 blocks").arg(k).arg(count).arg(blocksOfKind);
    }
    if (m_panelHeight > MaxPanelHeight) problems << QStringLiteral("panel height %1").arg(m_panelHeight);
    if (m_nextTop > MaxRowTop) problems << QStringLiteral("NextTop %1 below the last row").arg(m_nextTop);
    if (m_lineCount > 0 && m_nextTop < m_rows[static_cast<std::size_t>(m_lineCount)].top)
        problems << QStringLiteral("NextTop %1 above the last line").arg(m_nextTop);
    // A subroutine's RETURN line stays below its GOSUB line.
    for (int g = 1; g <= m_lineCount; ++g) {
        const LineRow& gr = m_rows[static_cast<std::size_t>(g)];
        if (gr.kind != Kind::GoSub) continue;
        for (int r = 1; r <= m_lineCount; ++r) {
            const LineRow& rr = m_rows[static_cast<std::size_t>(r)];
            if (rr.kind == Kind::Return && rr.blockIndex == gr.blockIndex && rr.top <= gr.top)
                problems << QStringLiteral("RETURN %1 not below its GOSUB").arg(gr.blockIndex);
        }
    }
    return problems.join(u'\n');
}

// ---- The selection and deleting ----------------------------------------------------------------

bool ProgramModel::selectionExists() const {
    // RETURN lines are never selected on their own: they go with their GOSUB.
    const Kind k = m_currentKind;
    return k != Kind::Return && exists(k, m_selected[k]);
}

QString ProgramModel::selectionText() const {
    const PanelHit s = selection();
    return heldText(s.kind, s.index) + QStringLiteral("   ") + inlineComment(s.kind, s.index);
}

int ProgramModel::currentRow() const {
    const Kind k = m_currentKind;
    return k != Kind::None && exists(k, m_selected[k]) ? rowOf({k, m_selected[k]}) : 0;
}

void ProgramModel::setCurrentRow(int row) {
    if (row < 1 || row > m_lineCount) return;
    const LineRow& r = this->row(row);
    m_currentKind = r.kind;
    m_selected[r.kind] = r.blockIndex;
}

void ProgramModel::select(Kind k, int index) {
    if (!exists(k, index)) return;
    m_currentKind = k;
    m_selected[k] = static_cast<qint16>(index);
    m_copiedColor = block(k, index).text.color;
}

void ProgramModel::deleteLine() {
    if (!selectionExists()) return;
    const Kind k = m_currentKind;
    const KindInfo& info = kinds::info(k);
    const int s = m_selected[k];
    qint16& count = m_counts[k];
    const int n = count;
    auto& list = m_blocks[k];
    auto& returns = m_blocks[Kind::Return];

    // Later blocks of the kind move one element down; each element keeps its colours and height.
    for (int i = s + 1; i <= n; ++i) {
        const PanelBlock& from = list[static_cast<std::size_t>(i)];
        PanelBlock& to = list[static_cast<std::size_t>(i - 1)];
        to.text.caption = from.text.caption;
        to.text.width = from.text.width;
        to.text.top = from.text.top;
        to.shape.top = from.shape.top;
        to.written = from.written;
        to.writtenText = from.writtenText;
        if (info.shiftCarriesWidth) to.shape.width = from.shape.width;
        if (info.hasComment) {
            to.comment.caption = from.comment.caption;
            to.comment.width = from.comment.width;
            to.comment.top = from.comment.top;
        }
        if (k == Kind::GoSub) {
            // The RETURN lines are renumbered with their GOSUBs, so their blocks move along.
            const PanelBlock& rFrom = returns[static_cast<std::size_t>(i)];
            PanelBlock& rTo = returns[static_cast<std::size_t>(i - 1)];
            rTo.shape.top = rFrom.shape.top;
            rTo.text.top = rFrom.text.top;
            rTo.written = rFrom.written;
            rTo.writtenText = rFrom.writtenText;
        }
    }
    list.pop_back();
    if (k == Kind::GoSub) returns.pop_back();
    --count;

    for (int i = 1; i <= count; ++i) {
        PanelBlock& b = list[static_cast<std::size_t>(i)];
        b.shape.visible = b.text.visible = true;
        if (info.hasComment) b.comment.visible = true;
        blocklayout::place(b, blocklayout::BlockLeft, b.shape.top);
        if (k == Kind::GoSub) {
            PanelBlock& r = returns[static_cast<std::size_t>(i)];
            blocklayout::place(r, blocklayout::BlockLeft, r.shape.top);
        }
    }

    // Remove the line (and a GOSUB's RETURN line), then renumber the rows of the kind.
    auto removed = [&](const LineRow& r) {
        return r.blockIndex == s && (r.kind == k || (k == Kind::GoSub && r.kind == Kind::Return));
    };
    int kept = 0;
    for (int i = 1; i <= m_lineCount; ++i) {
        const LineRow r = rowRef(i);
        if (!removed(r)) rowRef(++kept) = r;
    }
    m_lineCount = static_cast<qint16>(kept);
    for (int i = 1; i <= m_lineCount; ++i) {
        LineRow& r = rowRef(i);
        const bool ofKind = r.kind == k || (k == Kind::GoSub && r.kind == Kind::Return);
        if (ofKind && r.blockIndex > s) --r.blockIndex;
    }
    // The pressed block may now be another line or gone: a drag needs a fresh press.
    m_gesture.pressed = {};
}
