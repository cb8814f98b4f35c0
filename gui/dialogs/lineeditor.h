#pragma once

#include "gui/dialogs/commanddialog.h"

class ProgramModel;

namespace lineeditor {

// Reopens the selected block's dialog filled from its line and writes the result back into the same
// block. A dialog closed without Done, or a file call whose file choice was cancelled, changes nothing.
void editLine(ProgramModel& panel, Platform& platform, const DialogRunner& runner, QWidget* parent);

} // namespace lineeditor
