#include "gui/mainwindow/panesizer.h"

#include <QDockWidget>
#include <QEvent>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>

#include <algorithm>

QPoint placedOnScreen(const QRect& frame, const QRect& room) {
    const auto place = [](int at, int length, int first, int end) {
        return std::max(first, std::min(at, end - length));
    };
    return {place(frame.x(), frame.width(), room.left(), room.left() + room.width()),
            place(frame.y(), frame.height(), room.top(), room.top() + room.height())};
}

PaneSizer::PaneSizer(QMainWindow* window) : QObject(window), m_window(window) {
    window->installEventFilter(this);
}

void PaneSizer::add(QDockWidget* pane, Qt::Orientation along, int length) {
    const Sizing sizing{pane, along, length};
    m_panes.append(sizing);
    connect(pane, &QDockWidget::visibilityChanged, this, [this, sizing](bool visible) {
        // The layout places the pane once this returns; a hidden window places nothing yet.
        if (visible && m_window->isVisible()) QTimer::singleShot(0, this, [this, sizing] { opened(sizing); });
    });
}

void PaneSizer::opened(const Sizing& sizing) {
    QDockWidget* pane = sizing.pane;
    if (!pane || !pane->isVisible() || pane->isFloating()) return;
    if (m_window->isMaximized() || m_window->isFullScreen()) {
        m_pending = sizing;
        apply();
        return;
    }
    const int now = sizing.along == Qt::Horizontal ? pane->width() : pane->height();
    const int more = now * 2 >= sizing.length ? 0 : sizing.length - now;
    const QSize grow = onScreen(sizing.along == Qt::Horizontal ? QSize(more, 0) : QSize(0, more));
    if (more == 0) return;
    m_pending = sizing;
    if (grow.isNull())
        apply();
    else
        m_window->resize(m_window->size() + grow);
}

QSize PaneSizer::onScreen(QSize grow) {
    // Qt widens the window for a pane's least size, and it grows here for the pane's working size,
    // with no regard to the screen: on a small shop PC the pane would go past its edge. The window
    // moves back onto its screen and grows only as far as the screen has room.
    const QScreen* screen = m_window->screen();
    if (!screen) return grow;
    const QRect room = screen->availableGeometry();
    const QRect frame = m_window->frameGeometry();
    grow = grow.boundedTo((room.size() - frame.size()).expandedTo(QSize(0, 0)));
    const QPoint to = placedOnScreen(QRect(frame.topLeft(), frame.size() + grow), room);
    if (to != frame.topLeft()) m_window->move(to);
    return grow;
}

bool PaneSizer::eventFilter(QObject* watched, QEvent* event) {
    // The window's layout has taken the new size before its filters see the event; only then can
    // the pane have the room without taking it from the panel.
    if (watched != m_window) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Resize && m_pending) QTimer::singleShot(0, this, &PaneSizer::apply);
    // Panes restored open are measured once the shown window has placed them.
    if (event->type() == QEvent::Show)
        for (const Sizing& sizing : std::as_const(m_panes))
            QTimer::singleShot(0, this, [this, sizing] { opened(sizing); });
    return QObject::eventFilter(watched, event);
}

void PaneSizer::apply() {
    if (!m_pending) return;
    const Sizing sizing = *m_pending;
    m_pending.reset();
    if (sizing.pane) m_window->resizeDocks({sizing.pane.data()}, {sizing.length}, sizing.along);
}
