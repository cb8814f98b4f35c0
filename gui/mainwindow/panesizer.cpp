#include "gui/mainwindow/panesizer.h"

#include <QDockWidget>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

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
    const int now = sizing.along == Qt::Horizontal ? pane->width() : pane->height();
    if (now * 2 >= sizing.length) return;
    m_pending = sizing;
    if (m_window->isMaximized() || m_window->isFullScreen()) {
        apply();
        return;
    }
    const int more = sizing.length - now;
    m_window->resize(m_window->size() + (sizing.along == Qt::Horizontal ? QSize(more, 0) : QSize(0, more)));
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
