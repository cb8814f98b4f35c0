#pragma once

#include "gui/dialogs/commanddialog.h"

// The inline comment of the line being added or edited, asked for by a command dialog's Done. It
// opens with the edited line's comment; its result carries the comment as stored ("'" in front).
class InlineCommentDialog final : public CommandDialog {
    Q_OBJECT
public:
    InlineCommentDialog(const DialogContext& context, Platform& platform, QWidget* parent);

    void fillFrom(const QString& comment) override; // the comment as stored, "'" included
    void pressDone() override;

private:
    void done();

    TextBox* txtInline = nullptr;
    QPushButton* cmdInlineDone = nullptr;
};
