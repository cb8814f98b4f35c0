#include "gui/mainwindow/panesizer.h"

#include <QDockWidget>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {

// Where a window's frame goes to lie within room, the screen's: moved no further than it must, and
// its top left corner kept on the screen when it is the larger.
QPoint placedOnScreen(const QRect& frame, const QRect& room) {
    const auto place = [](int at, int length, int first, int end) {
        return std::max(first, std::min(at, end - length));
    };
    return {place(frame.x(), frame.width(), room.left(), room.left() + room.width()),
            place(frame.y(), frame.height(), room.top(), room.top() + room.height())};
}

} // namespace

PaneSizer::PaneSizer(QMainWindow* window, QSize leastClient)
    : QObject(window), m_window(window), m_design(window->centralWidget()->minimumSize()), m_least(leastClient) {
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
    // with no regard to the screen; and at 150 % a laptop's screen is shorter than the window
    // itself. The panel gives up what the screen has no room for (it scrolls), down to its least
    // size, and the window lies on its screen.
    const QScreen* screen = m_window->screen();
    QWidget* central = m_window->centralWidget();
    if (!screen || !central || m_window->isMaximized() || m_window->isFullScreen()) return grow;
    const QRect room = screen->availableGeometry();
    const QSize frame = m_window->frameGeometry().size() - m_window->size();
    const QSize around = m_window->size() - central->size(); // the menu and status bars, the panes
    const QSize most = room.size() - frame;
    const QSize least = m_design.boundedTo(most - around).expandedTo(m_least);
    if (least != central->minimumSize()) {
        central->setMinimumSize(least);
        m_window->layout()->activate(); // the window's own least size follows before it may shrink
    }
    if (m_window->size().boundedTo(most) != m_window->size())
        m_window->resize(m_window->size().boundedTo(most).expandedTo(m_window->minimumSizeHint()));
    grow = grow.boundedTo((most - m_window->size()).expandedTo(QSize(0, 0)));
    const QRect at = m_window->frameGeometry();
    const QPoint to = placedOnScreen(QRect(at.topLeft(), at.size() + grow), room);
    if (to != at.topLeft()) m_window->move(to);
    return grow;
}

bool PaneSizer::eventFilter(QObject* watched, QEvent* event) {
    // The window's layout has taken the new size before its filters see the event; only then can
    // the pane have the room without taking it from the panel.
    if (watched != m_window) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Resize && m_pending) QTimer::singleShot(0, this, &PaneSizer::apply);
    // The window fits its screen once it is on it, and panes restored open are measured once the
    // shown window has placed them.
    if (event->type() == QEvent::Show) {
        QTimer::singleShot(0, this, [this] { onScreen(QSize(0, 0)); });
        for (const Sizing& sizing : std::as_const(m_panes))
            QTimer::singleShot(0, this, [this, sizing] { opened(sizing); });
    }
    return QObject::eventFilter(watched, event);
}

void PaneSizer::apply() {
    if (!m_pending) return;
    const Sizing sizing = *m_pending;
    m_pending.reset();
    if (sizing.pane) m_window->resizeDocks({sizing.pane.data()}, {sizing.length}, sizing.along);
}
