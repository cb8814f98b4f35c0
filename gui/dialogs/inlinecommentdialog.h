#pragma once

#include "gui/dialogs/commanddialog.h"

// The inline comment of the line being added or edited, asked for by a command dialog's Done.
class InlineCommentDialog final : public CommandDialog {
    Q_OBJECT
public:
    InlineCommentDialog(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent);

    void fillFrom(const QString& heldText) override; // the comment as stored, "'" included
    void pressDone() override;

    void Form_Load();
    void cmdInlineDone_Click();

private:
    TextBox* txtInline = nullptr;
    QPushButton* cmdInlineDone = nullptr;
};
