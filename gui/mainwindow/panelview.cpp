#include "gui/mainwindow/panelview.h"

#include "gui/mainwindow/panelhistory.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
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

PanelView::PanelView(ProgramModel& model, QWidget* parent) : QWidget(parent), m_model(model) {
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
    const int lines = m_model.vars().LineCount;
    const int current = std::clamp(m_currentRow, lines > 0 ? 1 : 0, lines);
    if (current != m_currentRow) {
        m_currentRow = current;
        Q_EMIT currentRowChanged(current);
    }
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
    const bool hand = m_model.pointerIsHand();
    if (hand == m_hand) return;
    m_hand = hand;
    if (hand)
        setCursor(handCursor());
    else
        unsetCursor();
}

void PanelView::picPanel_MouseDown(int button, float x, float y, QPoint globalPos) {
    if (m_history && !(button & RightButton)) m_dragStart = m_model.snapshot();
    const bool popup = m_model.mouseDown(button, x, y);
    refresh();
    if (popup) Q_EMIT popupRequested(globalPos);
}

void PanelView::picPanel_MouseMove(int buttons, float x, float y) {
    m_model.mouseMove(buttons, x, y);
    // The drop line marks the row a release here lands on, while a release would drop.
    const std::optional<qint16> target = m_model.pointerIsHand() ? m_model.dropTarget(y) : std::nullopt;
    const int line = target ? *target : -1;
    if (line != m_dropLine) {
        m_dropLine = line;
        update();
    }
    refresh();
    if ((buttons & LeftButton) && m_model.panelHasMouse() && m_model.pressedBlock()) Q_EMIT dragAt(QPointF(x, y));
}

void PanelView::picPanel_MouseUp(int button, float x, float y) {
    m_model.mouseUp(button, x, y);
    m_dropLine = -1;
    Q_EMIT dragEnded();
    // A drop is one step; a release that dropped nothing records none.
    if (m_history && m_dragStart && !(button & RightButton)) m_history->recordSince(tr("Move Line"), *m_dragStart);
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
    picPanel_MouseDown(button, static_cast<float>(pos.x()), static_cast<float>(pos.y()),
                       event->globalPosition().toPoint());
}

void PanelView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = toModel(event->position());
    picPanel_MouseMove(buttonMask(event->buttons()), static_cast<float>(pos.x()), static_cast<float>(pos.y()));
}

void PanelView::mouseReleaseEvent(QMouseEvent* event) {
    const int button = buttonCode(event->button());
    if (!button) return;
    const QPointF pos = toModel(event->position());
    picPanel_MouseUp(button, static_cast<float>(pos.x()), static_cast<float>(pos.y()));
}

// ---- Keyboard ----------------------------------------------------------------------------------

const PanelBlock* PanelView::currentBlock() const {
    const modProgVar& v = m_model.vars();
    if (m_currentRow < 1 || m_currentRow > v.LineCount) return nullptr;
    const LineRow& r = v.Lines[static_cast<std::size_t>(m_currentRow)];
    return m_model.exists(r.Kind, r.BlockIndex) ? &m_model.block(r.Kind, r.BlockIndex) : nullptr;
}

void PanelView::setCurrentRow(int row) {
    const int lines = m_model.vars().LineCount;
    row = std::clamp(row, lines > 0 ? 1 : 0, lines);
    if (row != m_currentRow) {
        m_currentRow = row;
        Q_EMIT currentRowChanged(row);
    }
    if (const PanelBlock* b = currentBlock()) {
        const auto top = static_cast<int>(std::floor(b->Shape.Top));
        Q_EMIT scrollIntoView(top - 4, static_cast<int>(std::ceil(b->Shape.Top + b->Shape.Height)) + 4);
    }
    update();
}

bool PanelView::selectCurrent() {
    const modProgVar& v = m_model.vars();
    if (!currentBlock()) return false;
    const LineRow& r = v.Lines[static_cast<std::size_t>(m_currentRow)];
    if (r.Kind == Kind::Return) return false;
    m_model.select(r.Kind, r.BlockIndex);
    return true;
}

void PanelView::moveCurrentLine(int step) {
    if (!currentBlock()) return;
    int row = m_currentRow;
    const auto move = [this, &row, step] { row = m_model.moveLine(row, step); };
    if (m_history)
        m_history->record(tr("Move Line"), move);
    else
        move();
    refresh();
    setCurrentRow(row);
}

void PanelView::keyPressEvent(QKeyEvent* event) {
    const int lines = m_model.vars().LineCount;
    const int page = std::max(1, (parentWidget() ? parentWidget()->height() : height()) / 24 - 1);
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        ctrl ? moveCurrentLine(-1) : setCurrentRow(m_currentRow - 1);
        return;
    case Qt::Key_Down:
        ctrl ? moveCurrentLine(1) : setCurrentRow(std::max(m_currentRow + 1, 1));
        return;
    case Qt::Key_Home:
        setCurrentRow(1);
        return;
    case Qt::Key_End:
        setCurrentRow(lines);
        return;
    case Qt::Key_PageUp:
        setCurrentRow(m_currentRow - page);
        return;
    case Qt::Key_PageDown:
        setCurrentRow(m_currentRow + page);
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
    const PanelShape& s = currentBlock()->Shape;
    Q_EMIT popupRequested(mapToGlobal(QPoint(static_cast<int>(s.Left) + 8, static_cast<int>(s.Top + s.Height))));
}

void PanelView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF dirty = event->rect();
    const PanelHit carried = m_model.panelHasMouse() ? m_model.pressedBlock() : PanelHit{};

    auto drawShape = [&p, &dirty](const PanelShape& s) {
        if (!s.Visible) return;
        const QRectF r(s.Left + 0.5, s.Top + 0.5, s.Width - 1, s.Height - 1);
        if (!r.intersects(dirty)) return;
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(toColor(s.Fill));
        if (s.Oval)
            p.drawEllipse(r);
        else
            p.drawRoundedRect(r, 4, 4);
    };
    p.setFont(labelFont());
    const int ascent = QFontMetrics(labelFont()).ascent();
    auto drawLabel = [&p, &dirty, ascent](const PanelLabel& l) {
        if (!l.Visible || l.Caption.isEmpty()) return;
        const QRectF r(l.Left, l.Top, std::max(l.Width, 1.f), l.Height);
        if (!r.intersects(dirty)) return;
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(toColor(l.Color));
        p.drawText(QPointF(l.Left, l.Top + ascent), displayText(l.Caption));
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
            if (!isCarried(k, n)) drawShape(list[n].Shape);
    }
    for (int k = 1; k < KindSlots; ++k) {
        const auto& list = m_model.blocks(static_cast<Kind>(k));
        for (std::size_t n = 1; n < list.size(); ++n)
            if (!isCarried(k, n)) {
                drawLabel(list[n].Text);
                drawLabel(list[n].Comment);
            }
    }
    if (carried) {
        auto drawWhole = [&](const PanelBlock& b) {
            drawShape(b.Shape);
            drawLabel(b.Text);
            drawLabel(b.Comment);
        };
        drawWhole(m_model.block(carried.kind, carried.index));
        if (carried.kind == Kind::GoSub) drawWhole(m_model.block(Kind::Return, carried.index));
    }
    // Marks over everything: a red bar left of each block with an error, and the outlined block.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const PanelHit& h : m_errorBlocks) {
        if (!m_model.exists(h.kind, h.index)) continue;
        const PanelShape& s = m_model.block(h.kind, h.index).Shape;
        p.fillRect(QRectF(s.Left - 6, s.Top, 4, s.Height), Qt::red);
    }
    if (m_model.exists(m_outlined.kind, m_outlined.index)) {
        const PanelShape& s = m_model.block(m_outlined.kind, m_outlined.index).Shape;
        p.setPen(QPen(QColor(0, 90, 200), 2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(s.Left - 2, s.Top - 2, s.Width + 4, s.Height + 4));
    }
    drawFocusFrame(p);
    if (m_dropLine >= 0) {
        // Just above the row the block lands on, across the panel.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(0, 90, 200), 2));
        const int y = m_dropLine - 4;
        p.drawLine(m_model.vars().BlockLeft - 8, y, width() - 8, y);
    }
}

void PanelView::drawFocusFrame(QPainter& p) {
    // The current line wears a dotted frame while the panel has the keyboard.
    const PanelBlock* b = hasFocus() ? currentBlock() : nullptr;
    if (!b) return;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawRect(QRectF(b->Shape.Left - 3, b->Shape.Top - 3, b->Shape.Width + 5, b->Shape.Height + 5));
}

// ---- PanelScrollArea --------------------------------------------------------------------------------

PanelScrollArea::PanelScrollArea(ProgramModel& model, QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    resize(721, 641);

    m_viewport = new QWidget(this);
    m_viewport->setObjectName(QStringLiteral("Picture1_viewport"));
    m_viewport->setGeometry(contentsRect());

    m_panel = new PanelView(model, m_viewport);
    m_panel->move(0, 0);

    // Along the panel's right edge, filling the rest of the viewport's width, as high as the panel
    // starts. The viewport runs a few pixels below the window's client area, where nothing shows, so
    // the panel's start-up height is also the height the view scrolls within.
    m_visibleHeight = ProgramModel::StartHeight;
    m_scroll = new QScrollBar(Qt::Vertical, m_viewport);
    m_scroll->setObjectName(QStringLiteral("VScroll1"));
    const int left = m_panel->width();
    m_scrollWidth = std::max(1, m_viewport->width() - left);
    m_scroll->setGeometry(left, 0, m_scrollWidth, m_visibleHeight);
    m_scroll->setSingleStep(ArrowStep);
    m_scroll->setPageStep(m_visibleHeight);
    m_scroll->setRange(0, 0);
    m_scroll->hide();

    m_panel->installEventFilter(this);
    connect(m_panel, &PanelView::panelResized, this, &PanelScrollArea::picPanel_Resize);
    connect(m_panel, &PanelView::scrollIntoView, this, &PanelScrollArea::showPanelStretch);
    m_dragScroll = new QTimer(this);
    m_dragScroll->setInterval(60);
    connect(m_dragScroll, &QTimer::timeout, this, [this] {
        const int before = m_scroll->value();
        m_scroll->setValue(std::clamp(before + m_dragStep, 0, m_scroll->maximum()));
        if (m_scroll->value() == before) return;
        // The pointer stays put in the viewport, so the block follows it onto the rows scrolled in.
        const QPointF at(m_dragSeen.x(), m_dragSeen.y() + m_scroll->value());
        m_panel->picPanel_MouseMove(LeftButton, static_cast<float>(at.x()), static_cast<float>(at.y()));
    });
    connect(m_panel, &PanelView::dragAt, this, &PanelScrollArea::followDrag);
    connect(m_panel, &PanelView::dragEnded, this, &PanelScrollArea::stopDragScroll);
    connect(m_scroll, &QScrollBar::sliderMoved, this, &PanelScrollArea::VScroll1_Scroll);
    connect(m_scroll, &QScrollBar::valueChanged, this, &PanelScrollArea::VScroll1_Change);
    picPanel_Resize();
}

void PanelScrollArea::showPanelStretch(int top, int bottom) {
    // Scrolls as little as brings the stretch into the visible height.
    int value = m_scroll->value();
    if (bottom > value + m_visibleHeight) value = bottom - m_visibleHeight;
    if (top < value) value = top;
    m_scroll->setValue(std::clamp(value, 0, m_scroll->maximum()));
}

void PanelScrollArea::followDrag(QPointF pos) {
    constexpr int Edge = 24; // one row from the visible top or bottom
    m_dragSeen = QPointF(pos.x(), pos.y() - m_scroll->value());
    const double y = m_dragSeen.y();
    m_dragStep = y < Edge ? -ArrowStep : (y > m_visibleHeight - Edge ? ArrowStep : 0);
    if (m_dragStep == 0)
        m_dragScroll->stop();
    else if (!m_dragScroll->isActive())
        m_dragScroll->start();
}

void PanelScrollArea::stopDragScroll() {
    m_dragStep = 0;
    m_dragScroll->stop();
}

void PanelScrollArea::picPanel_Resize() {
    const double height = m_panel->model().panelHeight();
    const qint16 max = roundToInt16(height - m_visibleHeight).value_or(std::numeric_limits<qint16>::max());
    m_scroll->setMaximum(std::max<int>(0, max));
    m_scroll->setVisible(height > m_visibleHeight);
}

void PanelScrollArea::VScroll1_Scroll(int value) {
    m_panel->move(0, -value);
}

void PanelScrollArea::VScroll1_Change(int value) {
    // Arrow and track clicks move the view at once, as the thumb does.
    m_panel->move(0, -value);
}

void PanelScrollArea::showRow(int row) {
    const modProgVar& v = m_panel->model().vars();
    if (row < 1 || row > v.LineCount) return;
    const LineRow& r = v.Lines[static_cast<std::size_t>(row)];
    if (!m_panel->model().exists(r.Kind, r.BlockIndex)) return;
    const PanelShape& s = m_panel->model().block(r.Kind, r.BlockIndex).Shape;
    const int top = m_scroll->value();
    // Only scroll when the block is not already wholly in view; then put it a row below the top.
    if (s.Top < top || s.Top + s.Height > top + m_visibleHeight)
        m_scroll->setValue(std::clamp(static_cast<int>(s.Top) - ArrowStep, 0, m_scroll->maximum()));
    m_panel->setOutlined({r.Kind, r.BlockIndex});
}

void PanelScrollArea::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    if (!m_viewport) return;
    m_viewport->setGeometry(contentsRect());
    // The part seen grows with the frame; the viewport runs as far below the client area as at the start.
    m_visibleHeight = std::max<int>(ProgramModel::StartHeight, m_viewport->height() - ViewportBelow);
    // The white panel fills what the frame gained, with the scroll bar at the viewport's right edge.
    m_panel->setLeastSize(QSize(m_viewport->width() - m_scrollWidth, m_visibleHeight));
    m_scroll->setGeometry(m_panel->width(), 0, m_scrollWidth, m_visibleHeight);
    m_scroll->setPageStep(m_visibleHeight);
    picPanel_Resize();
    m_scroll->setValue(std::min(m_scroll->value(), m_scroll->maximum()));
}

void PanelScrollArea::wheelEvent(QWheelEvent* event) {
    scrollByWheel(event);
}

bool PanelScrollArea::eventFilter(QObject* watched, QEvent* event) {
    // The wheel over the panel scrolls it, also while a block is carried.
    if (watched == m_panel && event->type() == QEvent::Wheel) {
        scrollByWheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void PanelScrollArea::scrollByWheel(QWheelEvent* event) {
    // One notch scrolls the system's number of lines, one block row each; fine-grained wheels add
    // up until they make a notch.
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / 120;
    m_wheelRemainder -= notches * 120;
    if (notches != 0) m_scroll->setValue(m_scroll->value() - notches * QApplication::wheelScrollLines() * ArrowStep);
    event->accept();
}
