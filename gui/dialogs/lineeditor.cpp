#include "gui/dialogs/lineeditor.h"

#include "core/program/programmodel.h"

namespace lineeditor {

void editLine(ProgramModel& panel, Platform& platform, const DialogRunner& runner, QWidget* parent) {
    modProgVar& vars = panel.vars();
    const Kind k = vars.CurrentKind;
    const int index = vars.PerKind[k].Sel;
    // END and RETURN have no dialog, so nothing to edit.
    if (!panel.exists(k, index) || k == Kind::End || k == Kind::Return) return;
    const QString& result = vars.PerKind[k].Text;
    const bool inlineComment = kinds::info(k).hasComment && k != Kind::Blank;
    // A free command is edited whole, as it was typed: both of its labels.
    const bool freeCommand = k == Kind::Blank;
    const QString oldHeld = panel.heldText(k, index);
    const QString oldComment = panel.block(k, index).Comment.Caption;
    if (inlineComment) vars.EditInlineComment = oldComment;

    std::unique_ptr<CommandDialog> dialog = createCommandDialog(k, vars, platform, runner, parent);
    if (!dialog) return;
    dialog->fillFrom(freeCommand ? oldHeld + oldComment : oldHeld);
    if (!runner(*dialog)) return;
    if (k == Kind::FileCall && vars.FileChoiceState <= 1) return;
    // A changed line is unsaved work, which the exit question must not let go unasked.
    if (freeCommand) {
        if (result != oldHeld + oldComment) vars.FileSaved = false;
        panel.setBlankText(index, result);
        return;
    }
    const QString comment = inlineComment ? vars.InlineCommentText : oldComment;
    if (result != oldHeld || comment != oldComment) vars.FileSaved = false;
    panel.setCaptions(k, index, result, comment, true);
}

} // namespace lineeditor
