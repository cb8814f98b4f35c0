#include "gui/dialogs/textbox.h"

#include <QFocusEvent>
#include <QMouseEvent>

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {}

void TextBox::fill(const QString& text) {
    if (text.size() > maxLength()) setMaxLength(int(text.size()));
    setText(text);
}

void TextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Coming back from a pop-up menu or another window is not a new visit to the box; the first
    // focus of a freshly shown dialog is.
    const bool returning =
        m_away && (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason);
    m_away = false;
    if (returning) return;
    // The line edit's own select-all on Tab is replaced by the box's rule.
    if (m_selectOnFocus)
        setSelection(0, int(text().size()));
    else
        deselect();
    m_keepFocusSelection = event->reason() == Qt::MouseFocusReason && hasSelectedText();
    if (m_keepFocusSelection) {
        m_focusSelStart = int(selectionStart());
        m_focusSelLength = int(selectedText().size());
    }
}

void TextBox::focusOutEvent(QFocusEvent* event) {
    m_away = event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason;
    m_keepFocusSelection = false;
    QLineEdit::focusOutEvent(event);
}

void TextBox::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (m_keepFocusSelection) setSelection(m_focusSelStart, m_focusSelLength);
}

void TextBox::mouseMoveEvent(QMouseEvent* event) {
    // A jitter during the focusing click must not shrink the selection to a few characters.
    if (m_keepFocusSelection) return;
    QLineEdit::mouseMoveEvent(event);
}

void TextBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (m_keepFocusSelection) setSelection(m_focusSelStart, m_focusSelLength);
    m_keepFocusSelection = false;
}
