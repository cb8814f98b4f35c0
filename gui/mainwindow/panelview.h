#pragma once

#include "core/program/programmodel.h"

#include <QFrame>
#include <QWidget>

class QPainter;
class QScrollBar;
class QTimer;
class PanelHistory;

// The program panel "picPanel": paints the blocks of a ProgramModel and turns mouse events into the
// model's press, move and release. Its size is the model's panel size.
class PanelView : public QWidget {
    Q_OBJECT

public:
    explicit PanelView(ProgramModel& model, QWidget* parent = nullptr);

    ProgramModel& model() { return m_model; }
    // Where a drop is recorded as an undo step; none in a bare view.
    void setHistory(PanelHistory* history) { m_history = history; }

    // The font every block label is drawn in.
    static QFont labelFont();
    // A caption as an auto-sized label shows it: a doubled "&&" shows as one "&".
    static QString displayText(const QString& caption);
    // The width an auto-sized label takes for the caption: what the model is built with.
    static int labelWidth(const QString& caption);
    // The panel's own hand pointer, drawn in code.
    static QCursor handCursor();

    // Brings the widget in line with the model after a change made outside the mouse handlers
    // (an add, an edit, a deletion, a reset): size, pointer and picture.
    void refresh();
    // The least size shown: a frame larger than the model's panel shows white panel to its edges.
    void setLeastSize(QSize least);

    // Blocks marked at their left edge as holding an error, and the one block outlined (none when
    // its kind is None). Both are looked up anew at every paint, so a drag carries them along.
    void setErrorBlocks(const QList<PanelHit>& blocks);
    void setOutlined(PanelHit block);
    PanelHit outlined() const { return m_outlined; }
    const QList<PanelHit>& errorBlocks() const { return m_errorBlocks; }
    // The current line, which the keyboard acts on: a row of the table (1..LineCount), 0 when empty.
    int currentRow() const { return m_currentRow; }
    // Makes a row current and scrolls it into view.
    void setCurrentRow(int row);

    // The row top the carried block would land on, marked by the drop line; -1 when no drop is due.
    int dropLineTop() const { return m_dropLine; }

    // The panel's mouse handlers, in panel coordinates; buttons as 1 left, 2 right, 4 middle.
    void picPanel_MouseDown(int button, float x, float y, QPoint globalPos);
    void picPanel_MouseMove(int buttons, float x, float y);
    void picPanel_MouseUp(int button, float x, float y);

Q_SIGNALS:
    // A right press hit a block: the pop-up menu belongs at globalPos.
    void popupRequested(QPoint globalPos);
    // The panel's height changed; the scroll bar follows.
    void panelResized();
    // The picture was brought in line with the model: the program may have changed.
    void refreshed();
    void currentRowChanged(int row);
    // The panel's stretch from top to bottom should be seen.
    void scrollIntoView(int top, int bottom);
    // Keyboard requests for the pop-up menu's commands on the current line, which is selected.
    void deleteRequested();
    void editRequested();
    void copyRequested();
    // A carried block is at pos (panel coordinates); the frame scrolls near the visible edges.
    void dragAt(QPointF pos);
    void dragEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updatePointer();
    // The widget's size: the model's panel, at least the least size.
    void fitSize();
    // A pointer position in the model's coordinates: the white beyond the model's width counts as
    // its right edge, so a release there still drops.
    QPointF toModel(QPointF pos) const;
    // The current line's block (for a RETURN line, the RETURN block), if there is one.
    const PanelBlock* currentBlock() const;
    // Selects the current line as a right press on it would; false for none or a RETURN line.
    bool selectCurrent();
    void moveCurrentLine(int step);
    void drawFocusFrame(QPainter& p);

    ProgramModel& m_model;
    bool m_hand = false;
    QList<PanelHit> m_errorBlocks;
    PanelHit m_outlined;
    PanelHistory* m_history = nullptr;
    int m_currentRow = 0;
    int m_dropLine = -1;
    QSize m_least;
    int m_modelHeight = 0; // the model's panel height at the last refresh
    // The program as it stood when the button that may drag went down.
    std::optional<ProgramModel::Snapshot> m_dragStart;
};

// The viewport "Picture1": holds the panel at its top and the scroll bar "VScroll1" along the
// panel's right edge. Scrolling moves the whole panel up inside the viewport.
class PanelScrollArea : public QFrame {
    Q_OBJECT

public:
    static constexpr int ArrowStep = 24; // one row of blocks

    explicit PanelScrollArea(ProgramModel& model, QWidget* parent = nullptr);

    PanelView* panel() const { return m_panel; }
    QScrollBar* scrollBar() const { return m_scroll; }
    // The height the panel is seen in and scrolls within, which the scroll bar spans.
    int visibleHeight() const { return m_visibleHeight; }

    // Sets the scroll bar's range from the panel height and shows it only when the panel is taller
    // than the viewport. The value is left alone.
    void picPanel_Resize();
    // Thumb drag, and any other change of the value: the panel moves to -value at once.
    void VScroll1_Scroll(int value);
    void VScroll1_Change(int value);
    // Scrolls the panel so that its stretch top..bottom is seen.
    void showPanelStretch(int top, int bottom);
    // While a block is carried near the top or bottom of the visible panel, a timer scrolls it.
    void followDrag(QPointF pos);
    void stopDragScroll();

    // Scrolls the block on table row `row` into view and outlines it.
    void showRow(int row);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scrollByWheel(QWheelEvent* event);

    QWidget* m_viewport = nullptr;
    PanelView* m_panel = nullptr;
    QScrollBar* m_scroll = nullptr;
    int m_visibleHeight = 0;
    int m_scrollWidth = 17;
    // How far the viewport reaches below the part of the panel that is seen, at every size.
    static constexpr int ViewportBelow = 637 - ProgramModel::StartHeight;
    int m_wheelRemainder = 0;
    QTimer* m_dragScroll = nullptr;
    int m_dragStep = 0;
    QPointF m_dragSeen; // the pointer in the viewport while it carries a block
};
