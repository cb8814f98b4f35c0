#pragma once

#include "gui/dialogs/commanddialog.h"

class QGroupBox;
class QPlainTextEdit;
class QRadioButton;

// The file-call line: the called file, preferably from the master file's folder, and its offset mode.
// Its controls are enabled step by step as the file choice goes: not made, chosen, cancelled.
class FileCallDialog final : public CommandDialog {
    Q_OBJECT
public:
    enum class FileChoice { NotMade, Cancelled, Chosen };

    FileCallDialog(const DialogContext& context, Platform& platform, const DialogRunner& runner, QWidget* parent);

    // Selects the line's offset mode; the file has to be chosen again.
    void fillFrom(const QString& heldText) override;
    void pressDone() override;

    FileChoice choice() const { return m_choice; }
    // The file chosen, relative to the part file's folder where it lies there.
    QString calledFile() const { return m_calledFile; }
    linesyntax::OffsetMode offsetMode() const;

private:
    void selectFile();
    // Asks for the called file until one is chosen (relative to the part file's folder where it lies
    // there) or the choice is cancelled.
    void chooseFile();
    void done();

    FileChoice m_choice = FileChoice::NotMade;
    QString m_calledFile;

    QPlainTextEdit* txtFileName = nullptr;
    QGroupBox* fraOffset = nullptr;
    QRadioButton* optNoOffset = nullptr;
    QRadioButton* opt2d = nullptr;
    QRadioButton* opt3d = nullptr;
    QCheckBox* chkInline = nullptr;
    QPushButton* cmdSelectFile = nullptr;
    QPushButton* cmdFPDone = nullptr;
};
