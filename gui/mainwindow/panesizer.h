#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>

#include <optional>

class QDockWidget;
class QMainWindow;

// Gives a pane a size to work in when it opens at less than half of it. Qt opens a pane that was
// never sized at its size hint, for the program text no wider than its line-number margin; a size
// the operator gave it, kept in the saved layout, stands. The window grows by what the pane takes,
// so the panel keeps its size, as far as the screen has room; the window also fits its screen when
// shown.
class PaneSizer : public QObject {
    Q_OBJECT

public:
    // The window's central widget has its designed least size already; on a screen with less room
    // it may shrink to leastClient.
    PaneSizer(QMainWindow* window, QSize leastClient);
    // length is the pane's width for Qt::Horizontal, its height for Qt::Vertical.
    void add(QDockWidget* pane, Qt::Orientation along, int length);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Sizing {
        QPointer<QDockWidget> pane;
        Qt::Orientation along;
        int length;
    };
    void opened(const Sizing& sizing);
    // Fits the window to its screen, with room for it to grow by grow if the screen has it; returns
    // what room there is.
    QSize onScreen(QSize grow);
    void apply();

    QMainWindow* m_window;
    QSize m_design; // the central widget's least size as designed
    QSize m_least;  // and where the screen has no room for that
    QList<Sizing> m_panes;
    std::optional<Sizing> m_pending; // waits for the window to have grown
};
