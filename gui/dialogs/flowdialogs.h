#pragma once

#include "core/program/linesyntax.h"
#include "gui/dialogs/commanddialog.h"

// The flow, variable and text dialogs. Every text box selects its whole text when it gets the focus,
// so the first key typed replaces a prompt.

class frmLabel final : public CommandDialog {
    Q_OBJECT
public:
    frmLabel(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent);
    void fillFrom(const QString& heldText) override;
    void pressDone() override;

    void Form_Load();
    void txtLabel_GotFocus();
    void cmdLabelDone_Click();

private:
    TextBox* txtLabel = nullptr;
    QCheckBox* chkInline = nullptr;
    QPushButton* cmdLabelDone = nullptr;
};

class frmGoTo final : public CommandDialog {
    Q_OBJECT
public:
    frmGoTo(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent);
    void fillFrom(const QString& heldText) override;
    void pressDone() override;

    void Form_Load();
    void txtGoTo_GotFocus();
    void cmdGoTODone_Click();

private:
    TextBox* txtGoTo = nullptr;
    QCheckBox* chkInline = nullptr;
    QPushButton* cmdGoTODone = nullptr;
};

class frmGoSub final : public CommandDialog {
    Q_OBJECT
public:
    frmGoSub(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent);
    void fillFrom(const QString& heldText) override;
    void pressDone() override;

    void txtGoSub_GotFocus();
    void cmdGoSubDone_Click();

private:
    TextBox* txtGoSub = nullptr;
    QPushButton* cmdGoSubDone = nullptr;
};

class frmIfTest final : public CommandDialog {
    Q_OBJECT
public:
    frmIfTest(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent);
    void fillFrom(const QString& heldText) override;
    void pressDone() override;

    void Form_Load();
    void txtTest_GotFocus();
    void txtStatement_GotFocus();
    void cmdIFDone_Click();

private:
    TextBox* txtTest = nullptr;
    TextBox* txtStatement = nullptr;
    QCheckBox* chkInline = nullptr;
    QPushButton* cmdIFDone = nullptr;
};

class frmVar final : public CommandDialog {
    Q_OBJECT
public:
    frmVar(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent);
    void fillFrom(const QString& heldText) override;
    void pressDone() override;

    void Form_Load();
    void txtVarName_GotFocus();
    void txtVarVal_GotFocus();
    void cmdVarDone_Click();

private:
    TextBox* txtVarName = nullptr;
    TextBox* txtVarVal = nullptr;
    QCheckBox* chkInline = nullptr;
    QPushButton* cmdVarDone = nullptr;
};

class frmInput final : public CommandDialog {
    Q_OBJECT
public:
    frmInput(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent);
    void fillFrom(const QString& heldText) override;
    void pressDone() override;

    void Form_Load();
    void txtInputPrompt_GotFocus();
    void txtInputVar_GotFocus();
    void cmdInputDone_Click();

private:
    TextBox* txtInputPrompt = nullptr;
    TextBox* txtInputVar = nullptr;
    QCheckBox* chkInline = nullptr;
    QPushButton* cmdInputDone = nullptr;
};

class frmPause final : public CommandDialog {
    Q_OBJECT
public:
    frmPause(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent);
    void fillFrom(const QString& heldText) override;
    void pressDone() override;

    void txtPause_GotFocus();
    void cmdPauseDone_Click();

private:
    TextBox* txtPause = nullptr;
    QPushButton* cmdPauseDone = nullptr;
};

class frmComment final : public CommandDialog {
    Q_OBJECT
public:
    frmComment(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent);
    void fillFrom(const QString& heldText) override;
    void pressDone() override;

    void txtComment_GotFocus();
    void cmdCommentDone_Click();

private:
    TextBox* txtComment = nullptr;
    QPushButton* cmdCommentDone = nullptr;
};

class frmBlank final : public CommandDialog {
    Q_OBJECT
public:
    frmBlank(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent);
    void fillFrom(const QString& heldText) override;
    void pressDone() override;

    void txtBlank_GotFocus();
    void cmdBlankDone_Click();

private:
    TextBox* txtBlank = nullptr;
    QPushButton* cmdBlankDone = nullptr;
};
