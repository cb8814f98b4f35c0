#pragma once

#include "core/panel/panelpointer.h"
#include "core/panel/programmodel.h"

#include <QWidget>

#include <optional>

class QPainter;
class PartDocument;

// The program panel "picPanel": paints the blocks of a ProgramModel and turns mouse events into the
// panel pointer's press, move and release. Its size is the model's panel size. One line is current
// (the model's, ProgramModel::currentRow): a press on a block makes it current, the keyboard moves it
// and can move, delete, edit or copy it.
class PanelView : public QWidget {
    Q_OBJECT

public:
    explicit PanelView(ProgramModel& model, QWidget* parent = nullptr);

    ProgramModel& model() { return m_model; }
    const PanelPointer& pointer() const { return m_pointer; }
    // Where a drop is recorded as an undo step; none in a bare view.
    void setDocument(PartDocument* document) { m_document = document; }

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
    // The current line: a row of the table (1..LineCount), 0 when none is chosen yet.
    int currentRow() const { return m_model.currentRow(); }
    // Makes a row current and scrolls it into view.
    void setCurrentRow(int row);

    // The row top the carried block would land on, marked by the drop line; -1 when no drop is due.
    int dropLineTop() const { return m_dropLine; }

    // The panel's mouse handlers, in panel coordinates; buttons as MouseButton bits.
    void pointerPressed(int button, float x, float y, QPoint globalPos);
    void pointerMoved(int buttons, float x, float y);
    void pointerReleased(int button, float x, float y);

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
    // The block whose shape or labels hold the point, for a press anywhere on a block.
    PanelHit blockAt(float x, float y) const;
    // Tells the current line's listeners when it is another line than last told.
    void followCurrentRow();
    // Selects the current line as a right press on it would; false for none or a RETURN line.
    bool selectCurrent();
    void moveCurrentLine(int step);
    void drawFocusFrame(QPainter& p);

    ProgramModel& m_model;
    PanelPointer m_pointer;
    bool m_hand = false;
    QList<PanelHit> m_errorBlocks;
    PanelHit m_outlined;
    PartDocument* m_document = nullptr;
    int m_shownRow = 0; // the current row last told with currentRowChanged
    int m_dropLine = -1;
    QSize m_least;
    int m_modelHeight = 0; // the model's panel height at the last refresh
    // The program as it stood when the button that may drag went down.
    std::optional<ProgramModel::Snapshot> m_dragStart;
};
