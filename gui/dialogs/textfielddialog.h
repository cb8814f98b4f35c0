#pragma once

#include "gui/dialogs/commanddialog.h"

#include <QList>
#include <QStringList>

struct TextFieldDialogRow;

// Every command dialog made of one-line boxes (Move, Jog, Speed, IF..THEN, Label, GOTO, GOSUB,
// Variable, INPUT, PAUSE, Comment, Blank): one class, one table row per window. The row names the
// window and its controls, lays out the boxes with their captions, and composes and fills the line.
class TextFieldDialog final : public CommandDialog {
    Q_OBJECT
public:
    TextFieldDialog(const TextFieldDialogRow& row, const DialogContext& context, Platform& platform,
                    const DialogRunner& runner, QWidget* parent);

    void fillFrom(const QString& heldText) override;
    void pressDone() override;

private:
    void done();

    QStringList texts() const;

    const TextFieldDialogRow& m_row;
    QList<TextBox*> m_boxes; // in tab order, which is the order of the line's fields
    QCheckBox* chkInline = nullptr;
    QPushButton* cmdDone = nullptr;
};

// The text-field dialog of a kind, Form_Load already run; nullptr for the kinds that have none.
std::unique_ptr<CommandDialog> createTextFieldDialog(Kind k, const DialogContext& context, Platform& platform,
                                                     const DialogRunner& runner, QWidget* parent);
