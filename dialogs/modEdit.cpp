#include "dialogs/modEdit.h"

#include "mainwindow/panelmodel.h"

namespace modEdit {

void EditLine(PanelModel& panel, Platform& platform, const DialogRunner& runner, QWidget* parent)
{
    modProgVar& vars = panel.vars();
    const Kind k = kindFromCode(vars.CurrentKind);
    const qint16* selected = vars.selection(k);
    QString* result = vars.resultText(k);
    if (!selected || !result || !panel.exists(k, *selected))
        return;
    const int index = *selected;
    const bool inlineComment = kinds::info(k).hasComment && k != Kind::Blank;
    if (inlineComment)
        vars.EditInlineComment = panel.inlineComment(k, index);

    std::unique_ptr<CommandDialog> dialog = createCommandDialog(k, vars, platform, runner, parent);
    if (!dialog)
        return;
    dialog->fillFrom(panel.heldText(k, index));
    if (!runner(*dialog))
        return;
    if (k == Kind::FileCall && vars.FileChoiceState <= 1)
        return;
    // Blank keeps what its comment label shows; the kinds without an inline comment have none to change.
    const QString comment = inlineComment ? vars.InlineCommentText : panel.block(k, index).Comment.Caption;
    // A changed line is unsaved work, which the exit question must not let go unasked.
    if (*result != panel.heldText(k, index) || comment != panel.block(k, index).Comment.Caption)
        vars.FileSaved = false;
    panel.setCaptions(k, index, *result, comment, true);
}

} // namespace modEdit
