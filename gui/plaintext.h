#pragma once

#include <QString>

class QLabel;
class QWidget;

// Qt shows a tool tip, and a label left at its automatic format, as rich text when the text looks
// like HTML, and rich text loads every image it names: a part file's "<img src=/dev/zero>" would be
// read without end. Text that comes from a file or the user reaches a widget through these, so it
// shows as typed.

// A tool tip that shows the text as typed, line breaks kept.
QString plainToolTip(const QString& text);

// A label that never takes its text for markup.
QLabel* plainLabel(const QString& text, QWidget* parent);
