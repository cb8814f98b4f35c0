#pragma once

#include <QLineEdit>

// A dialog's text box. With selectOnFocus it selects its whole text whenever it gets the focus, so
// the first key typed replaces a prompt however the user got into the box (a selection made on focus
// survives the mouse click that gave the focus); without it focusing selects nothing, not even on Tab.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent);

    bool selectOnFocus() const { return m_selectOnFocus; }
    void setSelectOnFocus(bool on) { m_selectOnFocus = on; }

    // Shows a text filled back from a held text whole: filling may add a character to what the box
    // took when typed ("&" of a name, "'" of a comment), and an edit must give the same line back.
    void fill(const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_selectOnFocus = false;
    bool m_away = false;               // the focus went to another window or a pop-up menu, not to another box
    bool m_keepFocusSelection = false; // between the focusing press and its release
    int m_focusSelStart = 0;
    int m_focusSelLength = 0;
};
