#include "gui/mainwindow/panelview.h"

#include "gui/document/partdocument.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

QColor toColor(Rgb c) {
    return QColor(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>(c & 0xFF));
}

int buttonCode(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return LeftButton;
    case Qt::RightButton:
        return RightButton;
    case Qt::MiddleButton:
        return MiddleButton;
    default:
        return 0;
    }
}

int buttonMask(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? LeftButton : 0) | (b & Qt::RightButton ? RightButton : 0) |
           (b & Qt::MiddleButton ? MiddleButton : 0);
}

// A pointing hand, index finger up, white with a black outline; the hot spot is the fingertip.
QPixmap drawHand() {
    QPixmap pix(32, 32);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);

    QPainterPath hand;
    hand.addRoundedRect(QRectF(10.5, 1.5, 5, 17), 2.5, 2.5);  // index finger
    hand.addRoundedRect(QRectF(15.5, 10.5, 5, 10), 2.5, 2.5); // middle finger, folded
    hand.addRoundedRect(QRectF(20.5, 11.5, 5, 9), 2.5, 2.5);  // ring finger
    hand.addRoundedRect(QRectF(25.5, 13.5, 4, 8), 2, 2);      // little finger
    QPainterPath thumb;
    thumb.moveTo(11, 22);
    thumb.lineTo(5, 16);
    thumb.quadTo(3, 13.5, 5.5, 13);
    thumb.quadTo(7, 12.8, 9, 15);
    thumb.lineTo(11, 17);
    thumb.closeSubpath();
    hand.addPath(thumb);
    hand.addRoundedRect(QRectF(10.5, 16.5, 19, 11), 4, 4); // palm
    hand.addRect(QRectF(13.5, 26, 13, 4.5));               // wrist
    hand.setFillRule(Qt::WindingFill);                     // overlapping parts join instead of cancelling
    hand = hand.simplified();

    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    // Creases between the folded fingers.
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(15.5, 12), QPointF(15.5, 18));
    p.drawLine(QPointF(20.5, 13), QPointF(20.5, 18));
    p.drawLine(QPointF(25.5, 14.5), QPointF(25.5, 19));
    p.end();
    return pix;
}

} // namespace

// ---- PanelView ---------------------------------------------------------------------------------

PanelView::PanelView(ProgramModel& model, QWidget* parent) : QWidget(parent), m_model(model), m_pointer(model) {
    setObjectName(QStringLiteral("picPanel"));
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    m_modelHeight = static_cast<int>(std::lround(m_model.panelHeight()));
    fitSize();
    // Tab reaches the panel; the keyboard then steers its current line.
    setFocusPolicy(Qt::StrongFocus);
}

QFont PanelView::labelFont() {
    // Small enough that a label's text fits its 13 pixel height.
    QFont f = QApplication::font();
    f.setPixelSize(11);
    return f;
}

QString PanelView::displayText(const QString& caption) {
    QString shown = caption;
    return shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

int PanelView::labelWidth(const QString& caption) {
    if (caption.isEmpty()) return 0;
    return QFontMetrics(labelFont()).horizontalAdvance(displayText(caption));
}

QCursor PanelView::handCursor() {
    static const QCursor hand(drawHand(), 12, 2);
    return hand;
}

void PanelView::setLeastSize(QSize least) {
    m_least = least;
    fitSize();
}

void PanelView::fitSize() {
    const QSize wanted = QSize(static_cast<int>(std::lround(m_model.panelWidth())), m_modelHeight).expandedTo(m_least);
    if (wanted != size()) resize(wanted);
}

void PanelView::refresh() {
    const int height = static_cast<int>(std::lround(m_model.panelHeight()));
    const bool taller = height != m_modelHeight;
    m_modelHeight = height;
    fitSize();
    // A drop, an undo or an insertion may have moved the current line or chosen another.
    followCurrentRow();
    updatePointer();
    update();
    if (taller) Q_EMIT panelResized();
    Q_EMIT refreshed();
}

void PanelView::setErrorBlocks(const QList<PanelHit>& blocks) {
    auto same = [](const QList<PanelHit>& a, const QList<PanelHit>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](PanelHit x, PanelHit y) { return x.kind == y.kind && x.index == y.index; });
    };
    if (same(blocks, m_errorBlocks)) return;
    m_errorBlocks = blocks;
    update();
}

void PanelView::setOutlined(PanelHit block) {
    m_outlined = block;
    update();
}

void PanelView::updatePointer() {
    const bool hand = m_pointer.isHand();
    if (hand == m_hand) return;
    m_hand = hand;
    if (hand)
        setCursor(handCursor());
    else
        unsetCursor();
}

void PanelView::followCurrentRow() {
    const int row = currentRow();
    if (row == m_shownRow) return;
    m_shownRow = row;
    Q_EMIT currentRowChanged(row);
}

PanelHit PanelView::blockAt(float x, float y) const {
    if (const PanelHit hit = m_pointer.hitBlock(x, y, kinds::PressOrder)) return hit;
    // A RETURN block takes no press of its own, but its line may be the current one.
    static constexpr std::array<Kind, 1> Returns{Kind::Return};
    if (const PanelHit hit = m_pointer.hitBlock(x, y, Returns)) return hit;
    const auto inside = [x, y](const PanelLabel& l) {
        return l.visible && l.width > 0 && x >= l.left && x < l.left + l.width && y >= l.top && y < l.top + l.height;
    };
    for (int k = 1; k < KindSlots; ++k) {
        const auto& list = m_model.blocks(static_cast<Kind>(k));
        for (std::size_t n = 1; n < list.size(); ++n)
            if (inside(list[n].text) || inside(list[n].comment)) return {static_cast<Kind>(k), static_cast<int>(n)};
    }
    return {};
}

void PanelView::pointerPressed(int button, float x, float y, QPoint globalPos) {
    if (m_document && !(button & RightButton)) m_dragStart = m_model.snapshot();
    const bool popup = m_pointer.mouseDown(button, x, y);
    // A press on a block, its labels too, makes its line the current line; the pointer has selected
    // a block pressed outside its labels already.
    if (button & (LeftButton | RightButton))
        if (const PanelHit hit = blockAt(x, y)) m_model.setCurrentRow(m_model.rowOf(hit));
    refresh();
    if (popup) Q_EMIT popupRequested(globalPos);
}

void PanelView::pointerMoved(int buttons, float x, float y) {
    m_pointer.mouseMove(buttons, x, y);
    // The drop line marks the row a release here lands on, while a release would drop.
    const std::optional<qint16> target = m_pointer.isHand() ? m_pointer.dropTarget(y) : std::nullopt;
    const int line = target ? *target : -1;
    if (line != m_dropLine) {
        m_dropLine = line;
        update();
    }
    refresh();
    if ((buttons & LeftButton) && m_pointer.panelHasMouse() && m_pointer.pressedBlock()) Q_EMIT dragAt(QPointF(x, y));
}

void PanelView::pointerReleased(int button, float x, float y) {
    m_pointer.mouseUp(button, x, y);
    m_dropLine = -1;
    Q_EMIT dragEnded();
    // A drop is one step; a release that dropped nothing records none.
    if (m_document && m_dragStart && !(button & RightButton))
        m_document->recordChange(QCoreApplication::translate("Undo", "Move Line"), *m_dragStart);
    if (!(button & RightButton)) m_dragStart.reset();
    refresh();
}

QPointF PanelView::toModel(QPointF pos) const {
    const double right = m_model.panelWidth() - 1;
    if (pos.x() > right && pos.x() < width()) pos.setX(right);
    return pos;
}

void PanelView::mousePressEvent(QMouseEvent* event) {
    const int button = buttonCode(event->button());
    if (!button) return;
    const QPointF pos = toModel(event->position());
    pointerPressed(button, static_cast<float>(pos.x()), static_cast<float>(pos.y()), event->globalPosition().toPoint());
}

void PanelView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = toModel(event->position());
    pointerMoved(buttonMask(event->buttons()), static_cast<float>(pos.x()), static_cast<float>(pos.y()));
}

void PanelView::mouseReleaseEvent(QMouseEvent* event) {
    const int button = buttonCode(event->button());
    if (!button) return;
    const QPointF pos = toModel(event->position());
    pointerReleased(button, static_cast<float>(pos.x()), static_cast<float>(pos.y()));
}

// ---- Keyboard ----------------------------------------------------------------------------------

const PanelBlock* PanelView::currentBlock() const {
    const int current = currentRow();
    if (current < 1) return nullptr;
    const LineRow& r = m_model.row(current);
    return m_model.exists(r.kind, r.blockIndex) ? &m_model.block(r.kind, r.blockIndex) : nullptr;
}

void PanelView::setCurrentRow(int row) {
    const int lines = m_model.lineCount();
    m_model.setCurrentRow(std::clamp(row, lines > 0 ? 1 : 0, lines));
    followCurrentRow();
    if (const PanelBlock* b = currentBlock()) {
        const auto top = static_cast<int>(std::floor(b->shape.top));
        Q_EMIT scrollIntoView(top - 4, static_cast<int>(std::ceil(b->shape.top + b->shape.height)) + 4);
    }
    update();
}

bool PanelView::selectCurrent() {
    if (!currentBlock()) return false;
    const LineRow& r = m_model.row(currentRow());
    if (r.kind == Kind::Return) return false;
    m_model.select(r.kind, r.blockIndex);
    return true;
}

void PanelView::moveCurrentLine(int step) {
    if (!currentBlock()) return;
    const int current = currentRow();
    const int row = m_document ? m_document->moveLine(current, step) : m_model.moveLine(current, step);
    refresh();
    setCurrentRow(row);
}

void PanelView::keyPressEvent(QKeyEvent* event) {
    const int lines = m_model.lineCount();
    const int page = std::max(1, (parentWidget() ? parentWidget()->height() : height()) / 24 - 1);
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        ctrl ? moveCurrentLine(-1) : setCurrentRow(std::max(currentRow() - 1, 1));
        return;
    case Qt::Key_Down:
        ctrl ? moveCurrentLine(1) : setCurrentRow(currentRow() + 1);
        return;
    case Qt::Key_Home:
        setCurrentRow(1);
        return;
    case Qt::Key_End:
        setCurrentRow(lines);
        return;
    case Qt::Key_PageUp:
        setCurrentRow(std::max(currentRow() - page, 1));
        return;
    case Qt::Key_PageDown:
        setCurrentRow(currentRow() + page);
        return;
    case Qt::Key_Delete:
        if (selectCurrent()) Q_EMIT deleteRequested();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        if (selectCurrent()) Q_EMIT editRequested();
        return;
    case Qt::Key_Menu:
        break;
    case Qt::Key_F10:
        if (!(event->modifiers() & Qt::ShiftModifier)) return QWidget::keyPressEvent(event);
        break;
    default:
        if (event->matches(QKeySequence::Copy)) {
            if (selectCurrent()) Q_EMIT copyRequested();
            return;
        }
        return QWidget::keyPressEvent(event);
    }
    // The menu key and Shift+F10 open the pop-up menu at the current line.
    if (!selectCurrent()) return;
    const PanelShape& s = currentBlock()->shape;
    Q_EMIT popupRequested(mapToGlobal(QPoint(static_cast<int>(s.left) + 8, static_cast<int>(s.top + s.height))));
}

void PanelView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF dirty = event->rect();
    const PanelHit carried = m_pointer.panelHasMouse() ? m_pointer.pressedBlock() : PanelHit{};

    auto drawShape = [&p, &dirty](const PanelShape& s) {
        if (!s.visible) return;
        const QRectF r(s.left + 0.5, s.top + 0.5, s.width - 1, s.height - 1);
        if (!r.intersects(dirty)) return;
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(toColor(s.fill));
        if (s.oval)
            p.drawEllipse(r);
        else
            p.drawRoundedRect(r, 4, 4);
    };
    p.setFont(labelFont());
    const int ascent = QFontMetrics(labelFont()).ascent();
    auto drawLabel = [&p, &dirty, ascent](const PanelLabel& l) {
        if (!l.visible || l.caption.isEmpty()) return;
        const QRectF r(l.left, l.top, std::max(l.width, 1.f), l.height);
        if (!r.intersects(dirty)) return;
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(toColor(l.color));
        p.drawText(QPointF(l.left, l.top + ascent), displayText(l.caption));
        p.setRenderHint(QPainter::Antialiasing, true);
    };
    auto isCarried = [&carried](int k, std::size_t n) {
        const Kind kind = static_cast<Kind>(k);
        const bool same = kind == carried.kind || (kind == Kind::Return && carried.kind == Kind::GoSub);
        return same && static_cast<int>(n) == carried.index;
    };
    // Shapes first, labels above them; a carried block (and a GOSUB's RETURN) is drawn whole on top
    // so that it stays readable while it passes over the others.
    for (int k = 1; k < KindSlots; ++k) {
        const auto& list = m_model.blocks(static_cast<Kind>(k));
        for (std::size_t n = 1; n < list.size(); ++n)
            if (!isCarried(k, n)) drawShape(list[n].shape);
    }
    for (int k = 1; k < KindSlots; ++k) {
        const auto& list = m_model.blocks(static_cast<Kind>(k));
        for (std::size_t n = 1; n < list.size(); ++n)
            if (!isCarried(k, n)) {
                drawLabel(list[n].text);
                drawLabel(list[n].comment);
            }
    }
    if (carried) {
        auto drawWhole = [&](const PanelBlock& b) {
            drawShape(b.shape);
            drawLabel(b.text);
            drawLabel(b.comment);
        };
        drawWhole(m_model.block(carried.kind, carried.index));
        if (carried.kind == Kind::GoSub) drawWhole(m_model.block(Kind::Return, carried.index));
    }
    // Marks over everything: a red bar left of each block with an error, and the outlined block.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const PanelHit& h : m_errorBlocks) {
        if (!m_model.exists(h.kind, h.index)) continue;
        const PanelShape& s = m_model.block(h.kind, h.index).shape;
        p.fillRect(QRectF(s.left - 6, s.top, 4, s.height), Qt::red);
    }
    if (m_model.exists(m_outlined.kind, m_outlined.index)) {
        const PanelShape& s = m_model.block(m_outlined.kind, m_outlined.index).shape;
        p.setPen(QPen(QColor(0, 90, 200), 2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(s.left - 2, s.top - 2, s.width + 4, s.height + 4));
    }
    drawFocusFrame(p);
    if (m_dropLine >= 0) {
        // Just above the row the block lands on, across the panel.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(0, 90, 200), 2));
        const int y = m_dropLine - 4;
        p.drawLine(blocklayout::BlockLeft - 8, y, width() - 8, y);
    }
}

void PanelView::drawFocusFrame(QPainter& p) {
    // The current line wears a dotted frame while the panel has the keyboard.
    const PanelBlock* b = hasFocus() ? currentBlock() : nullptr;
    if (!b) return;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawRect(QRectF(b->shape.left - 3, b->shape.top - 3, b->shape.width + 5, b->shape.height + 5));
}
