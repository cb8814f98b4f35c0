#include "mainwindow/panelmodel.h"

#include <QStringList>

#include <limits>

namespace {

// The toolkit's colour value (red + 256 green + 65536 blue) as an RGB colour.
Rgb fromColorValue(double value)
{
    const auto v = static_cast<quint32>(value);
    return rgb(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

} // namespace

PanelModel::PanelModel(modProgVar& vars, LabelWidth labelWidth) : m_vars(vars), m_labelWidth(std::move(labelWidth))
{
    // Element 0 of every kind is the hidden design-time template the blocks are copied from.
    for (const KindInfo& info : kinds::Table) {
        if (info.kind == Kind::None)
            continue;
        PanelBlock tmpl;
        tmpl.Shape.Width = info.templateWidth;
        tmpl.Shape.Oval = info.oval;
        tmpl.Text.Caption = QString::fromLatin1(info.templateCaption);
        tmpl.Text.Color = info.textColor;
        tmpl.Text.Width = static_cast<float>(m_labelWidth(tmpl.Text.Caption));
        tmpl.Comment.Color = kinds::Green;
        m_blocks[static_cast<std::size_t>(code(info.kind))].push_back(tmpl);
    }
}

bool PanelModel::exists(Kind k, int index) const
{
    if (k == Kind::None)
        return false;
    const auto& list = blocks(k);
    return index >= 1 && static_cast<std::size_t>(index) < list.size();
}

QString PanelModel::heldText(Kind k, int index) const
{
    return exists(k, index) ? block(k, index).Text.Caption : QString();
}

QString PanelModel::inlineComment(Kind k, int index) const
{
    return exists(k, index) && kinds::info(k).hasComment ? block(k, index).Comment.Caption : QString();
}

AddRefusal PanelModel::canAdd(Kind k) const
{
    const bool goSub = k == Kind::GoSub;
    const int rows = goSub ? 3 : 1;
    if (m_vars.LineCount + rows > modProgVar::MaxLines)
        return AddRefusal::TableFull;
    const qint16* count = m_vars.counter(k);
    if (!count || *count >= std::numeric_limits<qint16>::max())
        return AddRefusal::CounterFull;
    if (goSub && m_vars.LabelCount >= std::numeric_limits<qint16>::max())
        return AddRefusal::CounterFull;
    // The lowest row the add places: one row down, and for a GOSUB its RETURN five rows further.
    const int lowest = m_vars.NextTop + m_vars.LineSpacing * (goSub ? 6 : 1);
    if (lowest > MaxRowTop)
        return AddRefusal::PanelFull;
    return AddRefusal::None;
}

bool PanelModel::add(Kind k, const QString& heldText, const QString& inlineComment)
{
    if (k == Kind::GoSub || k == Kind::Return || k == Kind::None || canAdd(k) != AddRefusal::None)
        return false;
    const KindInfo& info = kinds::info(k);
    qint16& count = *m_vars.counter(k);
    ++count;
    auto& list = m_blocks[static_cast<std::size_t>(code(k))];
    PanelBlock b = list.front();
    b.Shape.Visible = b.Text.Visible = true;
    b.Comment.Visible = info.hasComment;

    m_vars.NextTop = static_cast<qint16>(m_vars.NextTop + m_vars.LineSpacing);
    if (m_vars.NextTop > m_panelHeight)
        m_panelHeight = m_vars.NextTop + m_panelHeight + 48;
    m_vars.appendLine(k, count);

    b.Shape.Left = m_vars.BlockLeft;
    b.Text.Left = m_vars.BlockLeft + 8;
    b.Shape.Top = m_vars.NextTop;
    b.Text.Top = m_vars.NextTop + 2;

    if (k == Kind::Blank) {
        const qsizetype p = heldText.indexOf(QLatin1Char('\''));
        if (p < 0) {
            b.Text.Caption = heldText;
        } else {
            b.Text.Color = fromColorValue(m_vars.CopiedColor);
            b.Comment.Caption = heldText.mid(p);
            b.Text.Caption = heldText.left(p);
        }
    } else if (k != Kind::End) {
        b.Text.Caption = heldText;
        if (info.hasComment)
            b.Comment.Caption = inlineComment;
    }
    list.push_back(b);
    setCaptions(k, count, block(k, count).Text.Caption, block(k, count).Comment.Caption, true);
    return true;
}

bool PanelModel::addGoSub(const QString& goSubText, const QString& labelText)
{
    if (canAdd(Kind::GoSub) != AddRefusal::None)
        return false;
    auto place = [this](Kind k, qint16 index, PanelBlock b, bool grow) {
        if (grow && m_vars.NextTop > m_panelHeight)
            m_panelHeight = m_vars.NextTop + m_panelHeight + 48;
        b.Shape.Visible = b.Text.Visible = true;
        b.Shape.Left = m_vars.BlockLeft;
        b.Text.Left = m_vars.BlockLeft + 8;
        b.Shape.Top = m_vars.NextTop;
        b.Text.Top = m_vars.NextTop + 2;
        b.Text.Width = static_cast<float>(m_labelWidth(b.Text.Caption));
        m_blocks[static_cast<std::size_t>(code(k))].push_back(b);
        m_vars.appendLine(k, index);
    };

    const qint16 n = ++m_vars.GoSubCount;
    PanelBlock goSub = blocks(Kind::GoSub).front();
    goSub.Shape.Width = 200;
    goSub.Text.Caption = goSubText;
    m_vars.NextTop = static_cast<qint16>(m_vars.NextTop + m_vars.LineSpacing);
    place(Kind::GoSub, n, goSub, true);

    const qint16 m = ++m_vars.LabelCount;
    PanelBlock label = blocks(Kind::Label).front();
    label.Shape.Width = 200;
    label.Shape.Fill = kinds::Orange;
    label.Text.Caption = labelText;
    label.Comment.Visible = true;
    m_vars.NextTop = static_cast<qint16>(m_vars.NextTop + m_vars.LineSpacing);
    place(Kind::Label, m, label, true);
    PanelBlock& placedLabel = m_blocks[static_cast<std::size_t>(code(Kind::Label))].back();
    placedLabel.Comment.Left = placedLabel.Text.Left + placedLabel.Text.Width + 8;
    placedLabel.Comment.Top = placedLabel.Text.Top;
    placedLabel.Comment.Width = static_cast<float>(m_labelWidth(QString()));

    m_vars.NextTop = static_cast<qint16>(m_vars.NextTop + 4 * m_vars.LineSpacing);
    PanelBlock ret = blocks(Kind::Return).front();
    place(Kind::Return, n, ret, false);
    m_blocks[static_cast<std::size_t>(code(Kind::Return))].back().Text.Width = 81;
    return true;
}

void PanelModel::setCaptions(Kind k, int index, const QString& heldText, const QString& inlineComment, bool relayout)
{
    if (!exists(k, index))
        return;
    const KindInfo& info = kinds::info(k);
    PanelBlock& b = m_blocks[static_cast<std::size_t>(code(k))][static_cast<std::size_t>(index)];
    b.Text.Caption = heldText;
    b.Text.Width = static_cast<float>(m_labelWidth(heldText));
    if (info.hasComment) {
        b.Comment.Caption = inlineComment;
        b.Comment.Width = static_cast<float>(m_labelWidth(inlineComment));
        b.Comment.Left = b.Text.Left + b.Text.Width + 8;
        b.Comment.Top = b.Text.Top;
    }
    if (!relayout)
        return;
    if (info.fixedWidth == -1)
        b.Shape.Width = m_vars.CommentWidth;
    else if (info.fixedWidth > 0 && k != Kind::Return)
        b.Shape.Width = info.fixedWidth;
    else if (info.hasComment)
        b.Shape.Width = b.Comment.Left + b.Comment.Width + 20;
}

void PanelModel::reset()
{
    for (auto& list : m_blocks)
        if (!list.empty())
            list.resize(1);
    for (const KindInfo& info : kinds::Table)
        if (info.counter)
            m_vars.*info.counter = 0;
    m_vars.NextTop = 8;
    m_vars.LineCount = 0;
    m_dragArmed = false;
}

QString PanelModel::checkInvariants() const
{
    QStringList problems;
    std::array<std::vector<int>, KindSlots> seen;
    for (std::size_t k = 1; k < KindSlots; ++k)
        seen[k].assign(m_blocks[k].size(), 0);
    for (int n = 1; n <= m_vars.LineCount; ++n) {
        const LineRow& row = m_vars.Lines[static_cast<std::size_t>(n)];
        if (n > 1 && row.Top < m_vars.Lines[static_cast<std::size_t>(n - 1)].Top)
            problems << QStringLiteral("row %1 above row %2").arg(n).arg(n - 1);
        if (row.Top >= 10000 || row.Top < 0)
            problems << QStringLiteral("row %1 top %2 out of range").arg(n).arg(row.Top);
        const Kind k = kindFromCode(row.Kind);
        if (!exists(k, row.BlockIndex))
            problems << QStringLiteral("row %1 names no block (%2, %3)").arg(n).arg(row.Kind).arg(row.BlockIndex);
        else
            ++seen[static_cast<std::size_t>(code(k))][static_cast<std::size_t>(row.BlockIndex)];
        if (row.Mark != 1)
            problems << QStringLiteral("row %1 mark %2").arg(n).arg(row.Mark);
    }
    for (std::size_t k = 1; k < KindSlots; ++k) {
        const Kind kind = static_cast<Kind>(k);
        for (std::size_t i = 1; i < seen[k].size(); ++i)
            if (seen[k][i] != 1)
                problems << QStringLiteral("block (%1, %2) in %3 rows").arg(k).arg(i).arg(seen[k][i]);
        const qint16* count = m_vars.counter(kind);
        const auto blocksOfKind = static_cast<int>(m_blocks[k].size()) - 1;
        if (count && *count != blocksOfKind)
            problems << QStringLiteral("counter of kind %1 is %2 for %3 blocks").arg(k).arg(*count).arg(blocksOfKind);
    }
    if (m_panelHeight > MaxPanelHeight)
        problems << QStringLiteral("panel height %1").arg(m_panelHeight);
    return problems.join(u'\n');
}
