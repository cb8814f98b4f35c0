#include "gui/dialogs/motiondialogs.h"

#include "gui/dialogs/textbox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int AxisBoxChars = 14;
constexpr int SpeedBoxChars = 10;
} // namespace

AxisDialog::AxisDialog(QChar command, const QString& caption, const char* doneName, modProgVar& vars,
                       Platform& platform, const DialogRunner& runner, QWidget* parent)
    : CommandDialog(vars, platform, runner, parent), m_command(command) {
    setWindowTitle(caption);
    static constexpr const char* AxisNames = "XYZAB";
    auto* grid = new QGridLayout;
    for (int i = 1; i <= 5; ++i) {
        const QByteArray boxName = "txtAxis_" + QByteArray::number(i);
        const QByteArray labelName = "lblAxis_" + QByteArray::number(i);
        txtAxis[i] = makeTextBox(boxName.constData(), QString(), AxisBoxChars);
        lblAxis[i] = makeCaption(QLatin1Char(AxisNames[i - 1]) + QStringLiteral(" axis"), labelName.constData(), false);
        grid->addWidget(txtAxis[i], i - 1, 0);
        grid->addWidget(lblAxis[i], i - 1, 1);
        connect(txtAxis[i], &TextBox::gotFocus, this, [this, i] { txtAxis_GotFocus(i); });
    }
    chkInline = makeInlineCheck();
    cmdDone = makeButton(doneName, QStringLiteral("Done"));

    auto* layout = new QVBoxLayout;
    layout->addLayout(grid);
    layout->addWidget(chkInline);
    layout->addLayout(centred(cmdDone));
    setFixedLayout(layout);

    for (int i = 1; i < 5; ++i)
        setTabOrder(txtAxis[i], txtAxis[i + 1]);
    setTabOrder(txtAxis[5], chkInline);
    setTabOrder(chkInline, cmdDone);
}

void AxisDialog::fillFrom(const QString& heldText) {
    const linesyntax::AxisFields f = linesyntax::fillAxes(m_command, heldText);
    for (int i = 1; i <= 5; ++i)
        txtAxis[i]->setText(f.axis[i - 1]);
}

linesyntax::AxisFields AxisDialog::fields() const {
    linesyntax::AxisFields f;
    for (int i = 1; i <= 5; ++i)
        f.axis[i - 1] = txtAxis[i]->text();
    return f;
}

void AxisDialog::Form_Load() {
    loadInlineCheck(chkInline);
}

void AxisDialog::txtAxis_GotFocus(int index) {
    txtAxis[index]->selectWhole();
}

frmMove::frmMove(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent)
    : AxisDialog(u'M', QStringLiteral("[M]ove command settings"), "cmdMoveDone", vars, platform, runner, parent) {
    setObjectName(QStringLiteral("frmMove"));
    connect(cmdDone, &QPushButton::clicked, this, &frmMove::cmdMoveDone_Click);
    Form_Load();
}

void frmMove::pressDone() {
    cmdDone->click();
}

void frmMove::cmdMoveDone_Click() {
    runDone(chkInline, [this] { m_vars.PerKind[Kind::Move].Text = linesyntax::composeAxes(m_command, fields()); });
}

frmJog::frmJog(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent)
    : AxisDialog(u'J', QStringLiteral("[J]og settings"), "cmdJogDone", vars, platform, runner, parent) {
    setObjectName(QStringLiteral("frmJog"));
    connect(cmdDone, &QPushButton::clicked, this, &frmJog::cmdJogDone_Click);
    Form_Load();
}

void frmJog::pressDone() {
    cmdDone->click();
}

void frmJog::cmdJogDone_Click() {
    runDone(chkInline, [this] { m_vars.PerKind[Kind::Jog].Text = linesyntax::composeAxes(m_command, fields()); });
}

frmSpeed::frmSpeed(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent)
    : CommandDialog(vars, platform, runner, parent) {
    setObjectName(QStringLiteral("frmSpeed"));
    setWindowTitle(QStringLiteral("Speed settings"));
    struct Field {
        const char* box;
        const char* label;
        const char* caption;
    };
    static constexpr Field Fields[8] = {
        {"txtXYMoveSpeed", "lblXYMoveSpeed", "X and Y-Axis Move Speed"},
        {"txtZMoveSpeed", "lblZMoveSpeed", "Z-Axis Move Speed"},
        {"txtAMoveSpeed", "lblAMoveSpeed", "A-Axis Move Speed"},
        {"txtBMoveSpeed", "lblBMoveSpeed", "B-Axis Move Speed"},
        {"txtXYJogSpeed", "lblXYJogSpeed", "X and Y-Axis Jog Speed"},
        {"txtZJogSpeed", "lblZJogSpeed", "Z-Axis Jog Speed"},
        {"txtAJogSpeed", "lblAJogSpeed", "A-Axis Jog Speed"},
        {"txtBJogSpeed", "lblBJogSpeed", "B-Axis Jog Speed"},
    };
    auto* grid = new QGridLayout;
    for (int i = 0; i < 8; ++i) {
        // No GotFocus handler: focusing a speed box leaves its text unselected.
        m_boxes[i] = makeTextBox(Fields[i].box, QString(), SpeedBoxChars);
        const int row = i < 4 ? i : i + 1; // a little air between the move and the jog speeds
        grid->addWidget(m_boxes[i], row, 0);
        grid->addWidget(makeCaption(QLatin1String(Fields[i].caption), Fields[i].label, false), row, 1);
    }
    grid->setRowMinimumHeight(4, 4);
    chkInline = makeInlineCheck();
    cmdSpeedDone = makeButton("cmdSpeedDone", QStringLiteral("Done"));

    auto* layout = new QVBoxLayout;
    layout->addLayout(grid);
    layout->addWidget(chkInline);
    layout->addLayout(centred(cmdSpeedDone));
    setFixedLayout(layout);

    for (int i = 0; i < 7; ++i)
        setTabOrder(m_boxes[i], m_boxes[i + 1]);
    setTabOrder(m_boxes[7], chkInline);
    setTabOrder(chkInline, cmdSpeedDone);

    connect(cmdSpeedDone, &QPushButton::clicked, this, &frmSpeed::cmdSpeedDone_Click);
    Form_Load();
}

void frmSpeed::fillFrom(const QString& heldText) {
    const linesyntax::SpeedFields f = linesyntax::fillSpeed(heldText);
    for (int i = 0; i < 8; ++i)
        m_boxes[i]->setText(f.speed[i]);
}

void frmSpeed::pressDone() {
    cmdSpeedDone->click();
}

linesyntax::SpeedFields frmSpeed::fields() const {
    linesyntax::SpeedFields f;
    for (int i = 0; i < 8; ++i)
        f.speed[i] = m_boxes[i]->text();
    return f;
}

void frmSpeed::Form_Load() {
    loadInlineCheck(chkInline);
}

void frmSpeed::cmdSpeedDone_Click() {
    runDone(chkInline, [this] { m_vars.PerKind[Kind::Speed].Text = linesyntax::composeSpeed(fields()); });
}
