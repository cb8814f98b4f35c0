#include "gui/dialogs/lineeditor.h"

#include "core/language/commandkinds.h"

namespace lineeditor {

std::optional<EditedLine> edit(Kind k, const QString& held, const QString& commentLabel, const QString& partFolder,
                               Platform& platform, const DialogRunner& runner, QWidget* parent) {
    // A free command is edited whole, as it was typed: both of its labels.
    const bool freeCommand = k == Kind::Blank;
    const bool inlineComment = kinds::info(k).hasComment && !freeCommand;
    const DialogContext context{partFolder, inlineComment ? commentLabel : QString()};
    std::unique_ptr<CommandDialog> dialog = createCommandDialog(k, context, platform, runner, parent);
    if (!dialog) return std::nullopt;
    dialog->fillFrom(freeCommand ? held + commentLabel : held);
    if (!runner(*dialog) || !dialog->result()) return std::nullopt;
    const ComposedLine& line = *dialog->result();
    return EditedLine{line.held, inlineComment ? line.comment : commentLabel};
}

} // namespace lineeditor
