#include "gui/mainwindow/panelscrollarea.h"

#include "core/panel/programmodel.h"
#include "gui/mainwindow/panelview.h"

#include <QApplication>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <limits>

namespace {

// The bar keeps the width the panel's frame leaves it, whatever the style would make it.
class PanelScrollBar final : public QScrollBar {
public:
    explicit PanelScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {}
    QSize sizeHint() const override { return {PanelScrollArea::ScrollBarWidth, QScrollBar::sizeHint().height()}; }
};

} // namespace

PanelScrollArea::PanelScrollArea(ProgramModel& model, QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    // The panel inside takes the keyboard, not its frame.
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* bar = new PanelScrollBar(this);
    setVerticalScrollBar(bar);
    bar->setObjectName(QStringLiteral("VScroll1"));
    bar->setSingleStep(ArrowStep);
    bar->parentWidget()->installEventFilter(this);
    viewport()->setObjectName(QStringLiteral("Picture1_viewport"));
    viewport()->setAutoFillBackground(false);

    m_panel = new PanelView(model, viewport());
    m_panel->move(0, 0);
    m_panel->installEventFilter(this);
    resize(FrameWidth, FrameHeight);

    connect(m_panel, &PanelView::panelResized, this, &PanelScrollArea::updateScrollRange);
    connect(m_panel, &PanelView::scrollIntoView, this, &PanelScrollArea::showPanelStretch);
    m_dragScroll = new QTimer(this);
    m_dragScroll->setInterval(60);
    connect(m_dragScroll, &QTimer::timeout, this, [this] {
        QScrollBar* bar = scrollBar();
        const int before = bar->value();
        bar->setValue(std::clamp(before + m_dragStep, 0, bar->maximum()));
        if (bar->value() == before) return;
        // The pointer stays put in the viewport, so the block follows it onto the rows scrolled in.
        const QPointF at(m_dragSeen.x(), m_dragSeen.y() + bar->value());
        m_panel->pointerMoved(LeftButton, static_cast<float>(at.x()), static_cast<float>(at.y()));
    });
    connect(m_panel, &PanelView::dragAt, this, &PanelScrollArea::followDrag);
    connect(m_panel, &PanelView::dragEnded, this, &PanelScrollArea::stopDragScroll);
    fitChildren();
    updateScrollRange();
}

int PanelScrollArea::visibleHeight() const {
    return std::max<int>(ProgramModel::StartHeight, contentsRect().height() - BelowSeen);
}

void PanelScrollArea::fitChildren() {
    // The bar's strip is kept free beside the panel even while the bar is hidden, as a frame with a
    // fixed bar would, and the strip below the part seen is never the panel's.
    const bool barShown = verticalScrollBar()->isVisibleTo(this);
    const int below = contentsRect().height() - visibleHeight();
    setViewportMargins(0, 0, barShown ? 0 : ScrollBarWidth, below);
    placeStrip();
    // The white panel fills what the frame gained.
    m_panel->setLeastSize(viewport()->size());
}

void PanelScrollArea::placeStrip() {
    // Along the panel's right edge, as high as the part seen, whether shown or not.
    QWidget* strip = verticalScrollBar()->parentWidget();
    const QRect inside = contentsRect();
    const QRect wanted(inside.right() + 1 - ScrollBarWidth, inside.top(), ScrollBarWidth, visibleHeight());
    if (strip->geometry() != wanted) strip->setGeometry(wanted);
    if (verticalScrollBar()->size() != wanted.size()) verticalScrollBar()->setGeometry(QRect(QPoint(), wanted.size()));
}

void PanelScrollArea::updateScrollRange() {
    const double height = m_panel->model().panelHeight();
    const qint16 max = roundToInt16(height - visibleHeight()).value_or(std::numeric_limits<qint16>::max());
    QScrollBar* bar = scrollBar();
    bar->setPageStep(visibleHeight());
    bar->setMaximum(std::max<int>(0, max));
    fitChildren();
}

void PanelScrollArea::scrollContentsBy(int, int) {
    // Arrow and track clicks move the view at once, as the thumb does.
    m_panel->move(0, -scrollBar()->value());
}

void PanelScrollArea::showPanelStretch(int top, int bottom) {
    // Scrolls as little as brings the stretch into the visible height.
    QScrollBar* bar = scrollBar();
    int value = bar->value();
    if (bottom > value + visibleHeight()) value = bottom - visibleHeight();
    if (top < value) value = top;
    bar->setValue(std::clamp(value, 0, bar->maximum()));
}

void PanelScrollArea::followDrag(QPointF pos) {
    constexpr int Edge = 24; // one row from the visible top or bottom
    m_dragSeen = QPointF(pos.x(), pos.y() - scrollBar()->value());
    const double y = m_dragSeen.y();
    m_dragStep = y < Edge ? -ArrowStep : (y > visibleHeight() - Edge ? ArrowStep : 0);
    if (m_dragStep == 0)
        m_dragScroll->stop();
    else if (!m_dragScroll->isActive())
        m_dragScroll->start();
}

void PanelScrollArea::stopDragScroll() {
    m_dragStep = 0;
    m_dragScroll->stop();
}

void PanelScrollArea::showRow(int row) {
    const ProgramModel& model = m_panel->model();
    if (row < 1 || row > model.lineCount()) return;
    const LineRow& r = model.row(row);
    if (!model.exists(r.kind, r.blockIndex)) return;
    const PanelShape& s = model.block(r.kind, r.blockIndex).shape;
    QScrollBar* bar = scrollBar();
    const int top = bar->value();
    // Only scroll when the block is not already wholly in view; then put it a row below the top.
    if (s.top < top || s.top + s.height > top + visibleHeight())
        bar->setValue(std::clamp(static_cast<int>(s.top) - ArrowStep, 0, bar->maximum()));
    m_panel->setOutlined({r.kind, r.blockIndex});
}

void PanelScrollArea::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
    scrollBar()->setValue(std::min(scrollBar()->value(), scrollBar()->maximum()));
}

bool PanelScrollArea::eventFilter(QObject* watched, QEvent* event) {
    // The wheel over the panel scrolls it, also while a block is carried.
    if (watched == m_panel && event->type() == QEvent::Wheel) {
        scrollByWheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    // The frame lays the bar's strip out along its whole height; it is only as high as the part seen.
    if (verticalScrollBar() && watched == verticalScrollBar()->parentWidget() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
        placeStrip();
        if (event->type() == QEvent::Show) fitChildren();
    }
    if (verticalScrollBar() && watched == verticalScrollBar()->parentWidget() && event->type() == QEvent::Hide)
        fitChildren();
    return QAbstractScrollArea::eventFilter(watched, event);
}

void PanelScrollArea::wheelEvent(QWheelEvent* event) {
    scrollByWheel(event);
}

void PanelScrollArea::scrollByWheel(QWheelEvent* event) {
    // One notch scrolls the system's number of lines, one block row each; fine-grained wheels add
    // up until they make a notch.
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / 120;
    m_wheelRemainder -= notches * 120;
    if (notches != 0)
        scrollBar()->setValue(scrollBar()->value() - notches * QApplication::wheelScrollLines() * ArrowStep);
    event->accept();
}
