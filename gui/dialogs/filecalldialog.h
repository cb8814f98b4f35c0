#pragma once

#include "gui/dialogs/commanddialog.h"

class QGroupBox;
class QPlainTextEdit;
class QRadioButton;

// The file-call line: the called file, preferably from the master file's folder, and its offset mode.
// Its controls are enabled step by step: Opened, File chosen, Choice cancelled.
class FileCallDialog final : public CommandDialog {
    Q_OBJECT
public:
    FileCallDialog(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent);

    // Selects the line's offset mode; the file has to be chosen again.
    void fillFrom(const QString& heldText) override;
    void pressDone() override;

    void Form_Load();
    void optNoOffset_Click();
    void opt2d_Click();
    void opt3d_Click();
    void cmdSelectFile_Click();
    void FindFPFile();
    void cmdFPDone_Click();

private:
    QPlainTextEdit* txtFileName = nullptr;
    QGroupBox* fraOffset = nullptr;
    QRadioButton* optNoOffset = nullptr;
    QRadioButton* opt2d = nullptr;
    QRadioButton* opt3d = nullptr;
    QCheckBox* chkInline = nullptr;
    QPushButton* cmdSelectFile = nullptr;
    QPushButton* cmdFPDone = nullptr;
};
