#pragma once

#include "gui/dialogs/commanddialog.h"

#include <optional>

// Editing an existing line: its kind's dialog opens filled from the line, and Done gives the line's
// new texts.
namespace lineeditor {

struct EditedLine {
    QString held;    // a free command: its whole text, as typed
    QString comment; // the inline comment, for kinds with one
};

// The block's texts as its labels hold them (a free command's comment label holds the part of its
// text from the first "'" on). Nothing when the dialog was closed without Done, when a file call's
// file choice was cancelled, or for a kind without a dialog (END, RETURN).
std::optional<EditedLine> edit(Kind k, const QString& held, const QString& commentLabel, const QString& partFolder,
                               Platform& platform, const DialogRunner& runner, QWidget* parent);

} // namespace lineeditor
