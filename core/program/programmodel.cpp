#include "core/program/programmodel.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The toolkit's colour value (red + 256 green + 65536 blue) as an RGB colour.
Rgb fromColorValue(double value) {
    const auto v = static_cast<quint32>(std::clamp(value, 0.0, 16777215.0));
    return rgb(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

double toColorValue(Rgb c) {
    return static_cast<double>(((c >> 16) & 0xFF) + 256 * ((c >> 8) & 0xFF) + 65536 * (c & 0xFF));
}

constexpr int RowPitch = 24; // drops land on rows 8 + 24k
constexpr int FirstRow = 8;
constexpr int SortSentinel = 10000;

// Mouse positions can lie far outside the panel while it has the mouse; keep them where integer
// conversions are safe.
float saneCoordinate(float v) {
    return std::clamp(v, -1.0e6f, 1.0e6f);
}

LineRow& row(modProgVar& v, int i) {
    return v.Lines[static_cast<std::size_t>(i)];
}

// The lines in written order, as (kind, block index): what a save would put in the file.
std::vector<std::pair<Kind, qint16>> lineOrder(modProgVar& v) {
    std::vector<std::pair<Kind, qint16>> order;
    for (int i = 1; i <= v.LineCount; ++i)
        order.emplace_back(row(v, i).Kind, row(v, i).BlockIndex);
    return order;
}

// Sorts rows 1..LineCount by ascending Top, the lower row first among equal tops (SortByTop). Every
// Top must be below 10000, which the panel guarantees by bounding its rows.
void sortByTop(modProgVar& vars) {
    // A selection sort with a sentinel: among equal tops the lower row is taken first. It works on a
    // copy of the tops, so a Top at the sentinel (which the panel's bounds rule out) changes nothing.
    const int count = vars.LineCount;
    std::array<int, modProgVar::MaxLines + 1> tops{};
    std::array<LineRow, modProgVar::MaxLines + 1> sorted{};
    for (int i = 1; i <= count; ++i)
        tops[static_cast<std::size_t>(i)] = row(vars, i).Top;
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
        sorted[static_cast<std::size_t>(k)] = row(vars, pick);
        tops[static_cast<std::size_t>(pick)] = SortSentinel;
    }
    for (int k = 1; k <= count; ++k) {
        LineRow& r = row(vars, k);
        const LineRow& from = sorted[static_cast<std::size_t>(k)];
        r.Top = from.Top;
        r.Kind = from.Kind;
        r.BlockIndex = from.BlockIndex;
    }
}

} // namespace

ProgramModel::ProgramModel(modProgVar& vars, LabelWidth labelWidth)
    : m_vars(vars), m_labelWidth(std::move(labelWidth)) {
    // Element 0 of every kind is the hidden design-time template the blocks are copied from.
    for (const KindInfo& info : kinds::Table) {
        if (info.kind == Kind::None) continue;
        PanelBlock tmpl;
        tmpl.Shape.Width = info.templateWidth;
        tmpl.Shape.Oval = info.oval;
        tmpl.Text.Caption = QString::fromLatin1(info.templateCaption);
        tmpl.Text.Color = info.textColor;
        tmpl.Text.Width = static_cast<float>(m_labelWidth(tmpl.Text.Caption));
        tmpl.Comment.Color = kinds::Green;
        m_blocks[info.kind].push_back(tmpl);
    }
}

bool ProgramModel::exists(Kind k, int index) const {
    if (k == Kind::None) return false;
    const auto& list = blocks(k);
    return index >= 1 && static_cast<std::size_t>(index) < list.size();
}

QString ProgramModel::heldText(Kind k, int index) const {
    return exists(k, index) ? block(k, index).Text.Caption : QString();
}

QString ProgramModel::inlineComment(Kind k, int index) const {
    return exists(k, index) && kinds::info(k).hasComment ? block(k, index).Comment.Caption : QString();
}

AddRefusal ProgramModel::canAdd(Kind k) const {
    const bool goSub = k == Kind::GoSub;
    const int rows = goSub ? 3 : 1;
    if (m_vars.LineCount + rows > modProgVar::MaxLines) return AddRefusal::TableFull;
    constexpr qint16 CountLimit = std::numeric_limits<qint16>::max();
    if (k == Kind::None || m_vars.PerKind[k].Count >= CountLimit) return AddRefusal::CounterFull;
    if (goSub && m_vars.PerKind[Kind::Label].Count >= CountLimit) return AddRefusal::CounterFull;
    if (!addAfter(goSub ? GoSubRows : 1)) return AddRefusal::PanelFull;
    return AddRefusal::None;
}

std::optional<qint16> ProgramModel::addAfter(int rows) const {
    const auto fits = [this, rows](int top) { return top + m_vars.LineSpacing * rows <= MaxRowTop; };
    if (fits(m_vars.NextTop)) return m_vars.NextTop;
    // A drop far down can leave NextTop on the lowest row while the lines end higher up: the add
    // then goes one row below the last line.
    const int last = m_vars.LineCount > 0 ? m_vars.Lines[static_cast<std::size_t>(m_vars.LineCount)].Top : FirstRow;
    if (fits(last)) return static_cast<qint16>(last);
    return std::nullopt;
}

bool ProgramModel::add(Kind k, const QString& heldText, const QString& inlineComment) {
    if (k == Kind::GoSub || k == Kind::Return || k == Kind::None || canAdd(k) != AddRefusal::None) return false;
    const KindInfo& info = kinds::info(k);
    m_vars.NextTop = *addAfter(1);
    m_vars.CurrentKind = k;
    const qint16 index = ++m_vars.PerKind[k].Count;
    PanelBlock& b = appendBlock(k, index, 1, true);
    b.Comment.Visible = info.hasComment;
    // END keeps its caption; a kind without a comment label keeps that label empty.
    QString text = b.Text.Caption;
    QString comment = b.Comment.Caption;
    if (k == Kind::Blank) {
        std::tie(text, comment) = splitBlankText(heldText);
        if (!comment.isEmpty()) b.Text.Color = fromColorValue(m_vars.CopiedColor);
    } else if (k != Kind::End) {
        text = heldText;
        if (info.hasComment) comment = inlineComment;
    }
    setCaptions(k, index, text, comment, true);
    return true;
}

PanelBlock& ProgramModel::appendBlock(Kind k, qint16 index, int rows, bool grow) {
    m_vars.NextTop = static_cast<qint16>(m_vars.NextTop + rows * m_vars.LineSpacing);
    if (grow && m_vars.NextTop > m_panelHeight) m_panelHeight = m_vars.NextTop + m_panelHeight + 48;
    m_vars.appendLine(k, index);
    std::vector<PanelBlock>& list = m_blocks[k];
    PanelBlock b = list.front();
    b.Shape.Visible = b.Text.Visible = true;
    placeBlock(b, m_vars.BlockLeft, m_vars.NextTop);
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
    m_vars.NextTop = *addAfter(GoSubRows);
    m_vars.CurrentKind = Kind::GoSub;
    const qint16 n = ++m_vars.PerKind[Kind::GoSub].Count;
    appendBlock(Kind::GoSub, n, 1, true);
    setCaptions(Kind::GoSub, n, goSubText, QString(), true);

    m_vars.CurrentKind = Kind::Label;
    const qint16 m = ++m_vars.PerKind[Kind::Label].Count;
    PanelBlock& label = appendBlock(Kind::Label, m, 1, true);
    label.Comment.Visible = true;
    label.Shape.Fill = kinds::Orange;
    setCaptions(Kind::Label, m, labelText, label.Comment.Caption, false);
    label.Shape.Width = 200;

    // Three free rows between the Label and the RETURN; this step leaves the panel's height alone.
    appendBlock(Kind::Return, n, 4, false).Text.Width = 81;
    return true;
}

void ProgramModel::setCaptions(Kind k, int index, const QString& heldText, const QString& inlineComment,
                               bool relayout) {
    if (!exists(k, index)) return;
    PanelBlock& b = blockRef(k, index);
    b.Text.Caption = heldText;
    b.Text.Width = static_cast<float>(m_labelWidth(heldText));
    if (kinds::info(k).hasComment) {
        b.Comment.Caption = inlineComment;
        b.Comment.Width = static_cast<float>(m_labelWidth(inlineComment));
    }
    placeBlock(b, b.Shape.Left, b.Shape.Top);
    if (relayout) fitShape(k, b);
}

void ProgramModel::placeBlock(PanelBlock& b, float left, float top) {
    b.Shape.Left = left;
    b.Shape.Top = top;
    b.Text.Left = left + 8;
    b.Text.Top = top + 2;
    b.Comment.Left = b.Text.Left + b.Text.Width + 8;
    b.Comment.Top = b.Text.Top;
}

void ProgramModel::fitShape(Kind k, PanelBlock& b) const {
    const KindInfo& info = kinds::info(k);
    if (info.fixedWidth == -1)
        b.Shape.Width = m_vars.CommentWidth;
    else if (info.fixedWidth > 0 && k != Kind::Return)
        b.Shape.Width = info.fixedWidth;
    else if (info.hasComment)
        b.Shape.Width = b.Comment.Left + b.Comment.Width + 20;
}

void ProgramModel::reset() {
    for (auto& list : m_blocks)
        if (!list.empty()) list.resize(1);
    for (KindState& state : m_vars.PerKind)
        state.Count = 0;
    m_vars.NextTop = 8;
    m_vars.LineCount = 0;
    m_pressed = {};
}

bool ProgramModel::load(const std::vector<LoadedLine>& lines) {
    if (lines.size() > static_cast<std::size_t>(modProgVar::MaxLines)) return false;
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

    reset();
    const int goSubs = static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [](const LoadedLine& l) { return l.kind == Kind::GoSub; }));
    auto& returnBlocks = m_blocks[Kind::Return];
    returnBlocks.resize(static_cast<std::size_t>(goSubs) + 1, returnBlocks.front());
    std::vector<qint16> goSubIndex(lines.size(), 0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LoadedLine& l = lines[i];
        const Kind k = l.kind;
        const KindInfo& info = kinds::info(k);
        qint16 index = 0;
        if (k == Kind::Return) {
            index = goSubIndex[static_cast<std::size_t>(l.goSub)];
        } else {
            index = ++m_vars.PerKind[k].Count;
            if (k == Kind::GoSub) goSubIndex[i] = index;
        }
        m_vars.NextTop = static_cast<qint16>(m_vars.NextTop + m_vars.LineSpacing);
        if (m_vars.NextTop > m_panelHeight) m_panelHeight = m_vars.NextTop + m_panelHeight + 48;
        m_vars.appendLine(k, index);
        PanelBlock b = m_blocks[k].front();
        b.Shape.Visible = b.Text.Visible = true;
        b.Comment.Visible = info.hasComment;
        placeBlock(b, m_vars.BlockLeft, m_vars.NextTop);
        if (k == Kind::Return) {
            b.Text.Width = 81;
            returnBlocks[static_cast<std::size_t>(index)] = b;
            continue;
        }
        m_blocks[k].push_back(b);
        if (k == Kind::Blank) {
            setBlankText(index, l.held);
        } else if (k == Kind::Label && l.goSubLabel) {
            PanelBlock& label = blockRef(k, index);
            label.Shape.Fill = kinds::Orange;
            setCaptions(k, index, l.held, l.comment, false);
            label.Shape.Width = 200;
        } else if (k != Kind::End) {
            setCaptions(k, index, l.held, info.hasComment ? l.comment : QString(), true);
        } else {
            fitShape(k, blockRef(k, index));
        }
    }
    return true;
}

ProgramModel::Snapshot ProgramModel::snapshot() const {
    Snapshot s;
    s.lines = m_vars.Lines;
    s.lineCount = m_vars.LineCount;
    s.perKind = m_vars.PerKind;
    s.nextTop = m_vars.NextTop;
    s.currentKind = m_vars.CurrentKind;
    s.blocks = m_blocks;
    s.panelHeight = m_panelHeight;
    return s;
}

void ProgramModel::restore(const Snapshot& s) {
    m_vars.Lines = s.lines;
    m_vars.LineCount = s.lineCount;
    m_vars.PerKind = s.perKind;
    m_vars.NextTop = s.nextTop;
    m_vars.CurrentKind = s.currentKind;
    m_blocks = s.blocks;
    m_panelHeight = s.panelHeight;
    m_pressed = {};
    m_capture = Capture::None;
    m_hand = false;
}

bool ProgramModel::programDiffers(const Snapshot& a, const Snapshot& b) {
    if (a.lineCount != b.lineCount || a.nextTop != b.nextTop) return true;
    for (int i = 1; i <= a.lineCount; ++i) {
        const LineRow& x = a.lines[static_cast<std::size_t>(i)];
        const LineRow& y = b.lines[static_cast<std::size_t>(i)];
        if (x.Top != y.Top || x.Kind != y.Kind || x.BlockIndex != y.BlockIndex) return true;
        const PanelBlock& bx = a.blocks[x.Kind][static_cast<std::size_t>(x.BlockIndex)];
        const PanelBlock& by = b.blocks[y.Kind][static_cast<std::size_t>(y.BlockIndex)];
        if (bx.Text.Caption != by.Text.Caption || bx.Comment.Caption != by.Comment.Caption) return true;
    }
    return false;
}

QString ProgramModel::checkInvariants() const {
    QStringList problems;
    KindArray<std::vector<int>> seen;
    for (std::size_t k = 1; k < KindSlots; ++k)
        seen[k].assign(m_blocks[k].size(), 0);
    for (int n = 1; n <= m_vars.LineCount; ++n) {
        const LineRow& row = m_vars.Lines[static_cast<std::size_t>(n)];
        if (n > 1 && row.Top <= m_vars.Lines[static_cast<std::size_t>(n - 1)].Top)
            problems << QStringLiteral("row %1 not below row %2").arg(n).arg(n - 1);
        if (row.Top < FirstRow || row.Top > MaxRowTop)
            problems << QStringLiteral("row %1 top %2 out of range").arg(n).arg(row.Top);
        if (!exists(row.Kind, row.BlockIndex))
            problems << QStringLiteral("row %1 names no block (%2, %3)").arg(n).arg(code(row.Kind)).arg(row.BlockIndex);
        else
            ++seen[row.Kind][static_cast<std::size_t>(row.BlockIndex)];
        if (row.Mark != 1) problems << QStringLiteral("row %1 mark %2").arg(n).arg(row.Mark);
    }
    for (std::size_t k = 1; k < KindSlots; ++k) {
        const Kind kind = static_cast<Kind>(k);
        for (std::size_t i = 1; i < seen[k].size(); ++i)
            if (seen[k][i] != 1) problems << QStringLiteral("block (%1, %2) in %3 rows").arg(k).arg(i).arg(seen[k][i]);
        if (kind == Kind::Return) continue; // numbered with their GOSUBs
        const qint16 count = m_vars.PerKind[kind].Count;
        const auto blocksOfKind = static_cast<int>(m_blocks[k].size()) - 1;
        if (count != blocksOfKind)
            problems << QStringLiteral("counter of kind %1 is %2 for %3 blocks").arg(k).arg(count).arg(blocksOfKind);
    }
    if (m_panelHeight > MaxPanelHeight) problems << QStringLiteral("panel height %1").arg(m_panelHeight);
    if (m_vars.NextTop > MaxRowTop) problems << QStringLiteral("NextTop %1 below the last row").arg(m_vars.NextTop);
    if (m_vars.LineCount > 0 && m_vars.NextTop < m_vars.Lines[static_cast<std::size_t>(m_vars.LineCount)].Top)
        problems << QStringLiteral("NextTop %1 above the last line").arg(m_vars.NextTop);
    // A subroutine's RETURN line stays below its GOSUB line.
    for (int g = 1; g <= m_vars.LineCount; ++g) {
        const LineRow& gr = m_vars.Lines[static_cast<std::size_t>(g)];
        if (gr.Kind != Kind::GoSub) continue;
        for (int r = 1; r <= m_vars.LineCount; ++r) {
            const LineRow& rr = m_vars.Lines[static_cast<std::size_t>(r)];
            if (rr.Kind == Kind::Return && rr.BlockIndex == gr.BlockIndex && rr.Top <= gr.Top)
                problems << QStringLiteral("RETURN %1 not below its GOSUB").arg(gr.BlockIndex);
        }
    }
    return problems.join(u'\n');
}

// ---- Mouse interaction -------------------------------------------------------------------------

PanelHit ProgramModel::hitBlock(float x, float y, std::span<const Kind> order) const {
    for (Kind k : order) {
        const auto& list = blocks(k);
        for (std::size_t n = 1; n < list.size(); ++n) {
            const PanelShape& s = list[n].Shape;
            // Strict on all four borders; the far edges are sums in single precision.
            const float right = s.Left + s.Width;
            const float bottom = s.Top + s.Height;
            if (x > s.Left && x < right && y > s.Top && y < bottom) return {k, static_cast<int>(n)};
        }
    }
    return {};
}

bool ProgramModel::overLabel(float x, float y) const {
    auto inside = [x, y](const PanelLabel& l) {
        return l.Visible && l.Width > 0 && x >= l.Left && x < l.Left + l.Width && y >= l.Top && y < l.Top + l.Height;
    };
    for (std::size_t k = 1; k < KindSlots; ++k) {
        const auto& list = m_blocks[k];
        for (std::size_t n = 1; n < list.size(); ++n)
            if (inside(list[n].Text) || inside(list[n].Comment)) return true;
    }
    return false;
}

bool ProgramModel::mouseDown(int button, float x, float y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    x = saneCoordinate(x);
    y = saneCoordinate(y);
    // A label takes presses made on it and does nothing with them, and keeps the mouse until release.
    if (overLabel(x, y)) {
        m_capture = Capture::Label;
        return false;
    }
    m_capture = Capture::Panel;
    m_vars.PressY = roundToInt16(std::clamp(y, -32768.0f, 32767.0f)).value_or(0);

    if (button & RightButton) {
        m_pressed = {};
        const PanelHit hit = hitBlock(x, y, kinds::RightPressOrder);
        if (!hit) return false;
        select(hit.kind, hit.index);
        // The pop-up menu takes the mouse, so the release never comes back to the panel.
        m_capture = Capture::None;
        return true;
    }

    const PanelHit hit = hitBlock(x, y, kinds::PressOrder);
    // A press that misses keeps the selection but starts no drag.
    m_pressed = hit;
    if (!hit) return false;
    const PanelShape& shape = block(hit.kind, hit.index).Shape;
    m_vars.GrabOffsetX = x - shape.Left;
    m_vars.GrabOffsetY = y - shape.Top;
    m_vars.PerKind[hit.kind].Sel = static_cast<qint16>(hit.index);
    m_vars.CurrentKind = hit.kind;
    return false;
}

void ProgramModel::select(Kind k, int index) {
    if (!exists(k, index)) return;
    m_vars.CurrentKind = k;
    m_vars.PerKind[k].Sel = static_cast<qint16>(index);
    // Every kind hands over its own texts, so Copy always places the block that was clicked.
    const PanelBlock& b = block(k, index);
    m_vars.CopiedCaption = b.Text.Caption;
    m_vars.CopiedColor = toColorValue(b.Text.Color);
    m_vars.CopiedComment = kinds::info(k).hasComment ? b.Comment.Caption : QString();
}

int ProgramModel::moveLine(int at, int step) {
    modProgVar& v = m_vars;
    const int target = at + step;
    if (at < 1 || at > v.LineCount || target < 1 || target > v.LineCount || (step != 1 && step != -1)) return at;
    const LineRow moved = row(v, at);
    // A RETURN moves only with its GOSUB.
    if (moved.Kind == Kind::Return) return at;
    // Up: onto the row of the line above, which makes room below. Down: onto the row just below the
    // next line, the first row that puts the line after it.
    const int top = row(v, target).Top + (step > 0 ? RowPitch : 0);
    const std::vector<std::pair<Kind, qint16>> before = lineOrder(v);
    drop(moved.Kind, moved.BlockIndex, static_cast<float>(top));
    m_pressed = {};
    if (lineOrder(v) != before) v.FileSaved = false;
    for (int i = 1; i <= v.LineCount; ++i)
        if (row(v, i).Kind == moved.Kind && row(v, i).BlockIndex == moved.BlockIndex) return i;
    return at;
}

void ProgramModel::mouseMove(int buttons, float x, float y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    x = saneCoordinate(x);
    y = saneCoordinate(y);
    // Moves over a label belong to the label, which shows the default arrow.
    if (m_capture == Capture::Label || (m_capture == Capture::None && overLabel(x, y))) {
        m_hand = false;
        return;
    }
    // The carried block moves first, so it is under the pointer when the hand is decided: a fast
    // drag that outruns the block between two events still drops where it is released.
    const bool carrying =
        (buttons & LeftButton) && m_capture == Capture::Panel && exists(m_pressed.kind, m_pressed.index);
    // Outside the panel (as it stood before the drag grows it) a release is no drop.
    const bool outside = x < 0 || x > m_panelWidth || y < 0 || y > m_panelHeight;
    if (carrying) moveDragged(x, y);
    m_hand = static_cast<bool>(hitBlock(x, y, kinds::PointerOrder)) && !(carrying && outside);
}

void ProgramModel::moveDragged(float x, float y) {
    if (x < 0) x = 0;
    if (x > m_panelWidth - 2) x = m_panelWidth;
    if (y < 0) y = 0;
    if (y > MaxDragY) y = MaxDragY;
    if (y > m_panelHeight) m_panelHeight = y + 48;

    const Kind k = m_pressed.kind;
    const int n = m_pressed.index;
    if (k == Kind::GoSub)
        m_vars.ReturnGap = roundToInt16(block(Kind::Return, n).Shape.Top - block(Kind::GoSub, n).Shape.Top).value_or(0);
    const float left = x - m_vars.GrabOffsetX;
    const float top = y - m_vars.GrabOffsetY;
    placeBlock(blockRef(k, n), left, top);
    if (k == Kind::GoSub) placeBlock(blockRef(Kind::Return, n), left, top + m_vars.ReturnGap);
}

void ProgramModel::mouseUp(int button, float x, float y) {
    Q_UNUSED(x);
    const bool panelHadMouse = m_capture == Capture::Panel;
    m_capture = Capture::None;
    if (!panelHadMouse || !std::isfinite(y)) return;
    y = saneCoordinate(y);
    if (!(std::fabs(static_cast<float>(m_vars.PressY) - y) > 1.0f) || (button & RightButton) || !m_hand) return;
    if (!exists(m_pressed.kind, m_pressed.index)) return;
    const std::vector<std::pair<Kind, qint16>> before = lineOrder(m_vars);
    drop(m_pressed.kind, m_pressed.index, y);
    // A new order is unsaved work, which the exit question must not let go unasked.
    if (lineOrder(m_vars) != before) m_vars.FileSaved = false;
}

std::optional<qint16> ProgramModel::dropTarget(float y) const {
    const PanelHit carried = pressedBlock();
    if (!carried || m_capture != Capture::Panel || !std::isfinite(y)) return std::nullopt;
    return dropRow(carried.kind, carried.index, saneCoordinate(y)).top;
}

void ProgramModel::setBlockTop(Kind k, int index, float top) {
    PanelBlock& b = blockRef(k, index);
    placeBlock(b, b.Shape.Left, top);
}

void ProgramModel::drop(Kind k, int n, float y) {
    modProgVar& v = m_vars;
    const DropRow at = dropRow(k, n, y);
    if (k == Kind::GoSub) v.ReturnGap = static_cast<qint16>(at.returnGap);
    if (v.NextTop < at.top) v.NextTop = static_cast<qint16>(at.top - RowPitch);
    if (at.top > m_panelHeight) m_panelHeight = at.top + m_panelHeight + 48;

    const auto returnTop = static_cast<qint16>(at.top + at.returnGap);
    placeDropped(k, n, at.top);
    if (k == Kind::GoSub) placeDropped(Kind::Return, n, returnTop);
    makeRoom(at.top);
    if (k == Kind::GoSub) settleReturn(n, returnTop);
    closeGaps();
    pullBackPastLastRow();
    // The next add goes below every line, never onto a row a drop has filled.
    if (v.LineCount > 0) v.NextTop = std::max(v.NextTop, row(v, v.LineCount).Top);
}

ProgramModel::DropRow ProgramModel::dropRow(Kind k, int n, float y) const {
    int lowest = MaxRowTop;
    int returnGap = 0;
    if (k == Kind::GoSub) {
        // The subroutine keeps its length: the RETURN row lands as far below as its row stood before.
        int goSubTop = 0, returnTop = 0;
        for (int i = 1; i <= m_vars.LineCount; ++i) {
            const LineRow& r = m_vars.Lines[static_cast<std::size_t>(i)];
            if (r.BlockIndex == n && r.Kind == Kind::GoSub) goSubTop = r.Top;
            if (r.BlockIndex == n && r.Kind == Kind::Return) returnTop = r.Top;
        }
        returnGap = std::max(returnTop - goSubTop, RowPitch);
        lowest = std::max(FirstRow, FirstRow + (MaxRowTop - returnGap - FirstRow) / RowPitch * RowPitch);
    }
    const int u = static_cast<int>(std::floor(y / static_cast<float>(RowPitch))) * RowPitch + FirstRow;
    return {static_cast<qint16>(std::clamp(u, FirstRow, lowest)), returnGap};
}

void ProgramModel::placeDropped(Kind k, int n, qint16 top) {
    placeBlock(blockRef(k, n), m_vars.BlockLeft, top);
    for (int i = 1; i <= m_vars.LineCount; ++i) {
        LineRow& r = row(m_vars, i);
        if (r.Kind == k && r.BlockIndex == n) {
            r.Top = top;
            r.Mark = -1;
        }
    }
}

void ProgramModel::pushDown(LineRow& r) {
    setBlockTop(r.Kind, r.BlockIndex, block(r.Kind, r.BlockIndex).Shape.Top + RowPitch);
    r.Top = static_cast<qint16>(r.Top + RowPitch);
}

void ProgramModel::makeRoom(qint16 top) {
    // RETURN lines move too, so that a subroutine never ends above its GOSUB.
    for (int i = 1; i <= m_vars.LineCount; ++i)
        if (row(m_vars, i).Top >= top && row(m_vars, i).Mark > 0) pushDown(row(m_vars, i));
}

void ProgramModel::closeGaps() {
    modProgVar& v = m_vars;
    for (int i = 1; i <= v.LineCount; ++i)
        row(v, i).Mark = 1;
    sortByTop(v);
    // One row per gap; a RETURN block follows its line.
    for (int i = 1; i < v.LineCount; ++i) {
        LineRow& next = row(v, i + 1);
        if (next.Top - row(v, i).Top > RowPitch) {
            next.Top = static_cast<qint16>(next.Top - RowPitch);
            setBlockTop(next.Kind, next.BlockIndex, next.Top);
        }
    }
}

void ProgramModel::pullBackPastLastRow() {
    // Lines pushed past the lowest row go back into the last rows, so every Top stays within the
    // panel's bound.
    modProgVar& v = m_vars;
    for (int i = v.LineCount; i >= 1; --i) {
        LineRow& r = row(v, i);
        const int limit = MaxRowTop - RowPitch * (v.LineCount - i);
        if (r.Top > limit) {
            r.Top = static_cast<qint16>(limit);
            setBlockTop(r.Kind, r.BlockIndex, r.Top);
        }
    }
}

void ProgramModel::settleReturn(int n, qint16 returnTop) {
    // A line pushed onto the dropped RETURN's row keeps it: the RETURN takes the next row, and the
    // unbroken run of lines there moves one row on. No two lines share a row, and a GOSUB dropped
    // onto its own row changes nothing once the gaps close.
    modProgVar& v = m_vars;
    auto lineAt = [&v](int top) -> LineRow* {
        for (int i = 1; i <= v.LineCount; ++i)
            if (row(v, i).Mark > 0 && row(v, i).Top == top) return &row(v, i);
        return nullptr;
    };
    if (!lineAt(returnTop)) return;
    std::vector<LineRow*> run;
    for (int top = returnTop + RowPitch; LineRow* r = lineAt(top); top += RowPitch)
        run.push_back(r);
    for (LineRow* r : run)
        pushDown(*r);
    const auto top = static_cast<qint16>(returnTop + RowPitch);
    v.ReturnGap = static_cast<qint16>(v.ReturnGap + RowPitch);
    setBlockTop(Kind::Return, n, top);
    for (int i = 1; i <= v.LineCount; ++i)
        if (row(v, i).Kind == Kind::Return && row(v, i).BlockIndex == n) row(v, i).Top = top;
}

// ---- Pop-up menu commands ----------------------------------------------------------------------

bool ProgramModel::selectionExists() const {
    // RETURN lines are never selected on their own: they go with their GOSUB.
    const Kind k = m_vars.CurrentKind;
    return k != Kind::Return && exists(k, m_vars.PerKind[k].Sel);
}

QString ProgramModel::copyText() {
    m_vars.ClipText = m_vars.CopiedCaption + QStringLiteral("   ") + m_vars.CopiedComment;
    return m_vars.ClipText;
}

void ProgramModel::deleteLine() {
    if (!selectionExists()) return;
    modProgVar& v = m_vars;
    // The line is gone from the program but still in the file on disk: unsaved work.
    v.FileSaved = false;
    const Kind k = v.CurrentKind;
    const KindInfo& info = kinds::info(k);
    const int s = v.PerKind[k].Sel;
    qint16& count = v.PerKind[k].Count;
    const int n = count;
    auto& list = m_blocks[k];
    auto& returns = m_blocks[Kind::Return];

    // Later blocks of the kind move one element down; each element keeps its colours and height.
    for (int i = s + 1; i <= n; ++i) {
        const PanelBlock& from = list[static_cast<std::size_t>(i)];
        PanelBlock& to = list[static_cast<std::size_t>(i - 1)];
        to.Text.Caption = from.Text.Caption;
        to.Text.Width = from.Text.Width;
        to.Text.Top = from.Text.Top;
        to.Shape.Top = from.Shape.Top;
        if (info.shiftCarriesWidth) to.Shape.Width = from.Shape.Width;
        if (info.hasComment) {
            to.Comment.Caption = from.Comment.Caption;
            to.Comment.Width = from.Comment.Width;
            to.Comment.Top = from.Comment.Top;
        }
        if (k == Kind::GoSub) {
            // The RETURN lines are renumbered with their GOSUBs, so their blocks move along.
            const PanelBlock& rFrom = returns[static_cast<std::size_t>(i)];
            PanelBlock& rTo = returns[static_cast<std::size_t>(i - 1)];
            rTo.Shape.Top = rFrom.Shape.Top;
            rTo.Text.Top = rFrom.Text.Top;
        }
    }
    list.pop_back();
    if (k == Kind::GoSub) returns.pop_back();
    --count;

    for (int i = 1; i <= count; ++i) {
        PanelBlock& b = list[static_cast<std::size_t>(i)];
        b.Shape.Visible = b.Text.Visible = true;
        if (info.hasComment) b.Comment.Visible = true;
        placeBlock(b, v.BlockLeft, b.Shape.Top);
        if (k == Kind::GoSub) {
            PanelBlock& r = returns[static_cast<std::size_t>(i)];
            placeBlock(r, v.BlockLeft, r.Shape.Top);
        }
    }

    // Remove the line (and a GOSUB's RETURN line), then renumber the rows of the kind.
    auto removed = [&](const LineRow& r) {
        return r.BlockIndex == s && (r.Kind == k || (k == Kind::GoSub && r.Kind == Kind::Return));
    };
    int kept = 0;
    for (int i = 1; i <= v.LineCount; ++i) {
        const LineRow r = row(v, i);
        if (!removed(r)) row(v, ++kept) = r;
    }
    v.LineCount = static_cast<qint16>(kept);
    for (int i = 1; i <= v.LineCount; ++i) {
        LineRow& r = row(v, i);
        const bool ofKind = r.Kind == k || (k == Kind::GoSub && r.Kind == Kind::Return);
        if (ofKind && r.BlockIndex > s) --r.BlockIndex;
    }
    // The pressed block may now be another line or gone: a drag needs a fresh press.
    m_pressed = {};
}
