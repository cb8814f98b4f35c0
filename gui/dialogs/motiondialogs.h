#pragma once

#include "core/program/linesyntax.h"
#include "gui/dialogs/commanddialog.h"

#include <array>

// frmMove and frmJog: five axis boxes, one column, each with its caption to the right.
class AxisDialog : public CommandDialog {
    Q_OBJECT
public:
    void fillFrom(const QString& heldText) override;
    linesyntax::AxisFields fields() const;

    void Form_Load();
    void txtAxis_GotFocus(int index);

protected:
    AxisDialog(QChar command, const QString& caption, const char* doneName, modProgVar& vars, Platform& platform,
               const DialogRunner& runner, QWidget* parent);

    const QChar m_command; // 'M' or 'J'
    // Control arrays indexed 1 (X) to 5 (B), as their names; element 0 does not exist.
    std::array<TextBox*, 6> txtAxis{};
    std::array<QLabel*, 6> lblAxis{};
    QCheckBox* chkInline = nullptr;
    QPushButton* cmdDone = nullptr;
};

class frmMove final : public AxisDialog {
    Q_OBJECT
public:
    frmMove(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent);
    void pressDone() override;
    void cmdMoveDone_Click();
};

class frmJog final : public AxisDialog {
    Q_OBJECT
public:
    frmJog(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent);
    void pressDone() override;
    void cmdJogDone_Click();
};

// The eight move and jog speeds of a VS line.
class frmSpeed final : public CommandDialog {
    Q_OBJECT
public:
    frmSpeed(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent);
    void fillFrom(const QString& heldText) override;
    void pressDone() override;
    linesyntax::SpeedFields fields() const;

    void Form_Load();
    void cmdSpeedDone_Click();

private:
    std::array<TextBox*, 8> m_boxes{}; // txtXYMoveSpeed ... txtBJogSpeed, in field order
    QCheckBox* chkInline = nullptr;
    QPushButton* cmdSpeedDone = nullptr;
};
