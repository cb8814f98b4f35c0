#pragma once

#include <QLineEdit>

// A dialog's text box. It reports when it receives the focus so that its dialog's GotFocus
// handler can select the text; without such a handler focusing it selects nothing (not even on Tab).
// A selection made on focus survives the mouse click that gave the focus, so the first key typed
// replaces a prompt however the user got into the box.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent);

    // Selects the whole text (selection start 0, length the length of the text).
    void selectWhole();

Q_SIGNALS:
    void gotFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_away = false;               // the focus went to another window or a pop-up menu, not to another box
    bool m_keepFocusSelection = false; // between the focusing press and its release
    int m_focusSelStart = 0;
    int m_focusSelLength = 0;
};
