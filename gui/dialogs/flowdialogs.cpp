#include "gui/dialogs/flowdialogs.h"

#include "gui/dialogs/textbox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace linesyntax;

namespace {
constexpr int NameChars = 30;
constexpr int WideChars = 60;
} // namespace

// ---- Label

frmLabel::frmLabel(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent)
    : CommandDialog(vars, platform, runner, parent) {
    setObjectName(QStringLiteral("frmLabel"));
    setWindowTitle(QStringLiteral("Label name"));
    txtLabel = makeTextBox("txtLabel", LabelPrompt, NameChars);
    chkInline = makeInlineCheck();
    cmdLabelDone = makeButton("cmdLabelDone", QStringLiteral("Done"));

    auto* layout = new QVBoxLayout;
    layout->addWidget(txtLabel);
    layout->addWidget(chkInline);
    layout->addLayout(centred(cmdLabelDone));
    setFixedLayout(layout);
    setTabOrder(txtLabel, chkInline);
    setTabOrder(chkInline, cmdLabelDone);

    connect(txtLabel, &TextBox::gotFocus, this, &frmLabel::txtLabel_GotFocus);
    connect(cmdLabelDone, &QPushButton::clicked, this, &frmLabel::cmdLabelDone_Click);
    Form_Load();
}

void frmLabel::fillFrom(const QString& heldText) {
    txtLabel->setText(fillLabel(heldText).name);
}

void frmLabel::pressDone() {
    cmdLabelDone->click();
}

void frmLabel::Form_Load() {
    loadInlineCheck(chkInline);
}

void frmLabel::txtLabel_GotFocus() {
    txtLabel->selectWhole();
}

void frmLabel::cmdLabelDone_Click() {
    runDone(chkInline, [this] { m_vars.PerKind[Kind::Label].Text = composeLabel({txtLabel->text()}); });
}

// ---- GOTO

frmGoTo::frmGoTo(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent)
    : CommandDialog(vars, platform, runner, parent) {
    setObjectName(QStringLiteral("frmGoTo"));
    setWindowTitle(QStringLiteral("GOTO label"));
    QLabel* caption = makeCaption(QStringLiteral("GOTO"), "lblGoToCaption", true);
    txtGoTo = makeTextBox("txtGoTo", GoToPrompt, NameChars);
    chkInline = makeInlineCheck();
    cmdGoTODone = makeButton("cmdGoTODone", QStringLiteral("Done"));

    auto* grid = new QGridLayout;
    grid->addWidget(caption, 0, 0);
    grid->addWidget(txtGoTo, 0, 1);
    grid->addWidget(chkInline, 1, 1);
    auto* layout = new QVBoxLayout;
    layout->addLayout(grid);
    layout->addLayout(centred(cmdGoTODone));
    setFixedLayout(layout);
    setTabOrder(txtGoTo, chkInline);
    setTabOrder(chkInline, cmdGoTODone);

    connect(txtGoTo, &TextBox::gotFocus, this, &frmGoTo::txtGoTo_GotFocus);
    connect(cmdGoTODone, &QPushButton::clicked, this, &frmGoTo::cmdGoTODone_Click);
    Form_Load();
}

void frmGoTo::fillFrom(const QString& heldText) {
    txtGoTo->setText(fillGoTo(heldText).name);
}

void frmGoTo::pressDone() {
    cmdGoTODone->click();
}

void frmGoTo::Form_Load() {
    loadInlineCheck(chkInline);
}

void frmGoTo::txtGoTo_GotFocus() {
    txtGoTo->selectWhole();
}

void frmGoTo::cmdGoTODone_Click() {
    runDone(chkInline, [this] { m_vars.PerKind[Kind::GoTo].Text = composeGoTo({txtGoTo->text()}); });
}

// ---- GOSUB

frmGoSub::frmGoSub(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent)
    : CommandDialog(vars, platform, runner, parent) {
    setObjectName(QStringLiteral("frmGoSub"));
    setWindowTitle(QStringLiteral("GoSub label"));
    txtGoSub = makeTextBox("txtGoSub", GoSubPrompt, NameChars);
    cmdGoSubDone = makeButton("cmdGoSubDone", QStringLiteral("Done"));

    auto* layout = new QVBoxLayout;
    layout->addWidget(txtGoSub);
    layout->addLayout(centred(cmdGoSubDone));
    setFixedLayout(layout);
    setTabOrder(txtGoSub, cmdGoSubDone);

    connect(txtGoSub, &TextBox::gotFocus, this, &frmGoSub::txtGoSub_GotFocus);
    connect(cmdGoSubDone, &QPushButton::clicked, this, &frmGoSub::cmdGoSubDone_Click);
}

void frmGoSub::fillFrom(const QString& heldText) {
    txtGoSub->setText(fillGoSub(heldText).name);
}

void frmGoSub::pressDone() {
    cmdGoSubDone->click();
}

void frmGoSub::txtGoSub_GotFocus() {
    txtGoSub->selectWhole();
}

void frmGoSub::cmdGoSubDone_Click() {
    runDone(nullptr, [this] {
        const GoSubTexts texts = composeGoSub({txtGoSub->text()});
        m_vars.GoSubLabelText = texts.label;
        m_vars.PerKind[Kind::GoSub].Text = texts.line;
    });
}

// ---- IF..THEN

frmIfTest::frmIfTest(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent)
    : CommandDialog(vars, platform, runner, parent) {
    setObjectName(QStringLiteral("frmIfTest"));
    setWindowTitle(QStringLiteral("IF..THEN command setup"));
    QLabel* ifCaption = makeCaption(QStringLiteral("IF"), "lblIf", true);
    txtTest = makeTextBox("txtTest", IfPrompt, WideChars);
    QLabel* thenCaption = makeCaption(QStringLiteral("THEN"), "lblThen", true);
    txtStatement = makeTextBox("txtStatement", IfPrompt, WideChars);
    chkInline = makeInlineCheck();
    cmdIFDone = makeButton("cmdIFDone", QStringLiteral("Done"));

    auto* grid = new QGridLayout;
    grid->addWidget(ifCaption, 0, 0);
    grid->addWidget(txtTest, 0, 1);
    grid->addWidget(thenCaption, 1, 0);
    grid->addWidget(txtStatement, 1, 1);
    grid->addWidget(chkInline, 2, 1);
    auto* layout = new QVBoxLayout;
    layout->addLayout(grid);
    layout->addLayout(centred(cmdIFDone));
    setFixedLayout(layout);
    setTabOrder(txtTest, txtStatement);
    setTabOrder(txtStatement, chkInline);
    setTabOrder(chkInline, cmdIFDone);

    connect(txtTest, &TextBox::gotFocus, this, &frmIfTest::txtTest_GotFocus);
    connect(txtStatement, &TextBox::gotFocus, this, &frmIfTest::txtStatement_GotFocus);
    connect(cmdIFDone, &QPushButton::clicked, this, &frmIfTest::cmdIFDone_Click);
    Form_Load();
}

void frmIfTest::fillFrom(const QString& heldText) {
    const IfFields f = fillIf(heldText);
    txtTest->setText(f.test);
    txtStatement->setText(f.statement);
}

void frmIfTest::pressDone() {
    cmdIFDone->click();
}

void frmIfTest::Form_Load() {
    loadInlineCheck(chkInline);
}

void frmIfTest::txtTest_GotFocus() {
    txtTest->selectWhole();
}

void frmIfTest::txtStatement_GotFocus() {
    txtStatement->selectWhole();
}

void frmIfTest::cmdIFDone_Click() {
    runDone(chkInline, [this] {
        m_vars.PerKind[Kind::IfThen].Text = composeIf({txtTest->text(), txtStatement->text()});
    });
}

// ---- Variable

frmVar::frmVar(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent)
    : CommandDialog(vars, platform, runner, parent) {
    setObjectName(QStringLiteral("frmVar"));
    setWindowTitle(QStringLiteral("Variable declaration"));
    QLabel* nameCaption = makeCaption(QStringLiteral("Variable name"), "lblVarName", true);
    txtVarName = makeTextBox("txtVarName", VarNamePrompt, NameChars + 4);
    QLabel* equals = makeCaption(QStringLiteral("="), "lblEquals", true);
    QFont large = equals->font();
    large.setPointSizeF(large.pointSizeF() * 2);
    equals->setFont(large);
    QLabel* valueCaption = makeCaption(QStringLiteral("Starting Value"), "lblVarValue", true);
    txtVarVal = makeTextBox("txtVarVal", VarValuePrompt, NameChars + 4);
    chkInline = makeInlineCheck();
    cmdVarDone = makeButton("cmdVarDone", QStringLiteral("Done"));

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(0);
    grid->addWidget(nameCaption, 0, 0);
    grid->addWidget(txtVarName, 0, 1);
    grid->addWidget(equals, 1, 1, Qt::AlignHCenter);
    grid->addWidget(valueCaption, 2, 0);
    grid->addWidget(txtVarVal, 2, 1);
    grid->setRowMinimumHeight(3, 6);
    grid->addWidget(chkInline, 4, 1);
    auto* layout = new QVBoxLayout;
    layout->addLayout(grid);
    layout->addLayout(centred(cmdVarDone));
    setFixedLayout(layout);
    setTabOrder(txtVarName, txtVarVal);
    setTabOrder(txtVarVal, chkInline);
    setTabOrder(chkInline, cmdVarDone);

    connect(txtVarName, &TextBox::gotFocus, this, &frmVar::txtVarName_GotFocus);
    connect(txtVarVal, &TextBox::gotFocus, this, &frmVar::txtVarVal_GotFocus);
    connect(cmdVarDone, &QPushButton::clicked, this, &frmVar::cmdVarDone_Click);
    Form_Load();
}

void frmVar::fillFrom(const QString& heldText) {
    const VarFields f = fillVar(heldText);
    txtVarName->setText(f.name);
    txtVarVal->setText(f.value);
}

void frmVar::pressDone() {
    cmdVarDone->click();
}

void frmVar::Form_Load() {
    loadInlineCheck(chkInline);
}

void frmVar::txtVarName_GotFocus() {
    txtVarName->selectWhole();
}

void frmVar::txtVarVal_GotFocus() {
    txtVarVal->selectWhole();
}

void frmVar::cmdVarDone_Click() {
    runDone(chkInline, [this] {
        m_vars.PerKind[Kind::Variable].Text = composeVar({txtVarName->text(), txtVarVal->text()});
    });
}

// ---- INPUT

frmInput::frmInput(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent)
    : CommandDialog(vars, platform, runner, parent) {
    setObjectName(QStringLiteral("frmInput"));
    setWindowTitle(QStringLiteral("INPUT command"));
    QLabel* promptCaption = makeCaption(QStringLiteral("Prompt"), "lblPrompt", true);
    txtInputPrompt = makeTextBox("txtInputPrompt", InputPromptPrompt, WideChars);
    QLabel* varCaption = makeCaption(QStringLiteral("Variable name"), "lblInputVar", true);
    txtInputVar = makeTextBox("txtInputVar", InputVarPrompt, NameChars);
    chkInline = makeInlineCheck();
    cmdInputDone = makeButton("cmdInputDone", QStringLiteral("Done"));

    auto* grid = new QGridLayout;
    grid->addWidget(promptCaption, 0, 0);
    grid->addWidget(txtInputPrompt, 0, 1);
    grid->addWidget(varCaption, 1, 0);
    grid->addWidget(txtInputVar, 1, 1, Qt::AlignLeft);
    grid->addWidget(chkInline, 2, 1);
    auto* layout = new QVBoxLayout;
    layout->addLayout(grid);
    layout->addLayout(centred(cmdInputDone));
    setFixedLayout(layout);
    setTabOrder(txtInputPrompt, txtInputVar);
    setTabOrder(txtInputVar, chkInline);
    setTabOrder(chkInline, cmdInputDone);

    connect(txtInputPrompt, &TextBox::gotFocus, this, &frmInput::txtInputPrompt_GotFocus);
    connect(txtInputVar, &TextBox::gotFocus, this, &frmInput::txtInputVar_GotFocus);
    connect(cmdInputDone, &QPushButton::clicked, this, &frmInput::cmdInputDone_Click);
    Form_Load();
}

void frmInput::fillFrom(const QString& heldText) {
    const InputFields f = fillInput(heldText);
    txtInputPrompt->setText(f.prompt);
    txtInputVar->setText(f.variable);
}

void frmInput::pressDone() {
    cmdInputDone->click();
}

void frmInput::Form_Load() {
    loadInlineCheck(chkInline);
}

void frmInput::txtInputPrompt_GotFocus() {
    txtInputPrompt->selectWhole();
}

void frmInput::txtInputVar_GotFocus() {
    txtInputVar->selectWhole();
}

void frmInput::cmdInputDone_Click() {
    runDone(chkInline, [this] {
        m_vars.PerKind[Kind::Input].Text = composeInput({txtInputPrompt->text(), txtInputVar->text()});
    });
}

// ---- PAUSE

frmPause::frmPause(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent)
    : CommandDialog(vars, platform, runner, parent) {
    setObjectName(QStringLiteral("frmPause"));
    setWindowTitle(QStringLiteral("Pause duration"));
    txtPause = makeTextBox("txtPause", PausePrompt, NameChars);
    cmdPauseDone = makeButton("cmdPauseDone", QStringLiteral("Done"));

    auto* layout = new QVBoxLayout;
    layout->addWidget(txtPause);
    layout->addLayout(centred(cmdPauseDone));
    setFixedLayout(layout);
    setTabOrder(txtPause, cmdPauseDone);

    connect(txtPause, &TextBox::gotFocus, this, &frmPause::txtPause_GotFocus);
    connect(cmdPauseDone, &QPushButton::clicked, this, &frmPause::cmdPauseDone_Click);
}

void frmPause::fillFrom(const QString& heldText) {
    txtPause->setText(fillPause(heldText).time);
}

void frmPause::pressDone() {
    cmdPauseDone->click();
}

void frmPause::txtPause_GotFocus() {
    txtPause->selectWhole();
}

void frmPause::cmdPauseDone_Click() {
    runDone(nullptr, [this] { m_vars.PerKind[Kind::Pause].Text = composePause({txtPause->text()}); });
}

// ---- Comment

frmComment::frmComment(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent)
    : CommandDialog(vars, platform, runner, parent) {
    setObjectName(QStringLiteral("frmComment"));
    setWindowTitle(QStringLiteral("Comment text"));
    txtComment = makeTextBox("txtComment", CommentPrompt, WideChars);
    cmdCommentDone = makeButton("cmdCommentDone", QStringLiteral("Done"));

    auto* layout = new QVBoxLayout;
    layout->addWidget(txtComment);
    layout->addLayout(centred(cmdCommentDone));
    setFixedLayout(layout);
    setTabOrder(txtComment, cmdCommentDone);

    connect(txtComment, &TextBox::gotFocus, this, &frmComment::txtComment_GotFocus);
    connect(cmdCommentDone, &QPushButton::clicked, this, &frmComment::cmdCommentDone_Click);
}

void frmComment::fillFrom(const QString& heldText) {
    txtComment->setText(fillComment(heldText).text);
}

void frmComment::pressDone() {
    cmdCommentDone->click();
}

void frmComment::txtComment_GotFocus() {
    txtComment->selectWhole();
}

void frmComment::cmdCommentDone_Click() {
    runDone(nullptr, [this] { m_vars.PerKind[Kind::Comment].Text = composeComment({txtComment->text()}); });
}

// ---- Blank (any command typed in full)

frmBlank::frmBlank(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent)
    : CommandDialog(vars, platform, runner, parent) {
    setObjectName(QStringLiteral("frmBlank"));
    setWindowTitle(QStringLiteral("Blank command"));
    txtBlank = makeTextBox("txtBlank", BlankPrompt, WideChars);
    cmdBlankDone = makeButton("cmdBlankDone", QStringLiteral("Done"));

    auto* layout = new QVBoxLayout;
    layout->addWidget(txtBlank);
    layout->addLayout(centred(cmdBlankDone));
    setFixedLayout(layout);
    setTabOrder(txtBlank, cmdBlankDone);

    connect(txtBlank, &TextBox::gotFocus, this, &frmBlank::txtBlank_GotFocus);
    connect(cmdBlankDone, &QPushButton::clicked, this, &frmBlank::cmdBlankDone_Click);
}

void frmBlank::fillFrom(const QString& heldText) {
    txtBlank->setText(fillBlank(heldText).text);
}

void frmBlank::pressDone() {
    cmdBlankDone->click();
}

void frmBlank::txtBlank_GotFocus() {
    txtBlank->selectWhole();
}

void frmBlank::cmdBlankDone_Click() {
    runDone(nullptr, [this] { m_vars.PerKind[Kind::Blank].Text = composeBlank({txtBlank->text()}); });
}
