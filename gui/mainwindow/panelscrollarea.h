#pragma once

#include <QAbstractScrollArea>

class PanelView;
class ProgramModel;
class QTimer;

// The viewport "Picture1" round the program panel, with the scroll bar "VScroll1" along the panel's
// right edge. Scrolling moves the whole panel up inside the viewport. The frame runs a few pixels
// below the window's client area, where nothing shows, so the scroll bar is only as high as the part
// of the panel that is seen.
class PanelScrollArea : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr int ArrowStep = 24; // one row of blocks
    static constexpr int ScrollBarWidth = 25;
    // The panel's seen part, the bar's strip beside it and the 2-pixel frame on either side.
    static constexpr int FrameWidth = 2 + 700 + ScrollBarWidth + 2;
    static constexpr int FrameHeight = 641;

    explicit PanelScrollArea(ProgramModel& model, QWidget* parent = nullptr);

    PanelView* panel() const { return m_panel; }
    QScrollBar* scrollBar() const { return verticalScrollBar(); }
    // The height the panel is seen in and scrolls within, which the scroll bar spans.
    int visibleHeight() const;

    // The scroll bar's range from the panel's height; shown only when the panel is taller than the
    // part seen. The value is left alone.
    void updateScrollRange();
    // Scrolls the panel so that its stretch top..bottom is seen.
    void showPanelStretch(int top, int bottom);
    // While a block is carried near the top or bottom of the visible panel, a timer scrolls it.
    void followDrag(QPointF pos);
    void stopDragScroll();
    // Scrolls the block on table row `row` into view and outlines it.
    void showRow(int row);

protected:
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scrollByWheel(QWheelEvent* event);
    // Keeps the viewport exactly the panel's seen part whether or not the bar shows, and the bar as
    // high as that part.
    void fitChildren();
    void placeStrip();

    // How far the frame's inside reaches below the part of the panel that is seen, at every size.
    static constexpr int BelowSeen = FrameHeight - 4 - 617;

    PanelView* m_panel = nullptr;
    int m_wheelRemainder = 0;
    QTimer* m_dragScroll = nullptr;
    int m_dragStep = 0;
    QPointF m_dragSeen; // the pointer in the viewport while it carries a block
};
