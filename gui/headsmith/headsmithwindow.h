#pragma once

#include "core/headsmith/headerfields.h"
#include "core/headsmith/modHeaderProgVar.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class Platform;
struct modProgVar;

// Headsmith: writes a header (and on request a closing block) into the part file just saved, and
// remembers its answers. Shown modally by the part file writer; closes itself after a completed
// write. Tests drive it through its controls, found by their object names.
class HeadsmithWindow : public QDialog {
    Q_OBJECT

public:
    HeadsmithWindow(modProgVar& vars, modHeaderProgVar& header, Platform& platform, QWidget* parent = nullptr);
    ~HeadsmithWindow() override;

    // The answers as they stand in the window.
    HeaderFields fields() const;

    // The install folder of the maker's software, set by FindPath; empty when not found.
    QString PAthString;

    // How long a rewrite runs before its progress window appears.
    int progressDelayMs = 500;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void chkHeader_Click();
    void chkFooter_Click();
    void chk2d_Click();
    void chk3d_Click();
    void optInch_Click();
    void optMetric_Click();
    // Key code 13 (Enter) moves the entry line into the notes; other keys do nothing special.
    void txtEnterInfo_KeyDown(int keyCode);
    void txtAdditionalInfo_Click();
    void txtAdditionalInfo_DragOver();
    void cmdDone_Click();
    void cmdInfo_Click();

    void FindPath();
    // Both return false when the choice was cancelled (the check box is then unchecked again).
    bool ChooseOpeningFile();
    bool ChooseClosingFile();
    void LoadHeaderSettings();
    void InitHeaderFields();
    void FillInchLists();
    void FillMetricLists();

    void buildGeneralTab(QWidget* page);
    void buildCuttingTab(QWidget* page);
    QGroupBox* buildUnitsFrame(QWidget* parent);
    QGroupBox* buildZeroFrame(QWidget* parent);
    QGroupBox* buildOffsetFrame(QWidget* parent);
    QGroupBox* buildCuttingFrame(QWidget* parent);
    QGroupBox* buildNotesFrame(QWidget* parent);
    void fillLists(bool metric);
    void offsetsNeitherChecked();
    void showHelpWindow();
    bool chooseFile(bool opening);

    modProgVar& m_vars;
    modHeaderProgVar& m_header;
    Platform& m_platform;
    QString m_notes; // the notes preview's text, kept here so it is written exactly as entered
    QPointer<QDialog> m_help;
    bool m_writing = false;

    // Controls, named as the program names them (also their objectNames).
    QTabWidget* SSTab1 = nullptr;
    QGroupBox* fraGeneral = nullptr;
    QLineEdit* txtDescription = nullptr;
    QLineEdit* txtCreatedBy = nullptr;
    QLineEdit* txtDate = nullptr;
    QLineEdit* txtCopyright = nullptr;
    QLineEdit* txtCopyrightYear = nullptr;
    QGroupBox* contactFrame = nullptr; // Frame4
    QComboBox* cmbUse = nullptr;
    QLineEdit* txtContactName = nullptr;
    QLineEdit* txtEmail = nullptr;
    QLineEdit* txtPhone = nullptr;
    QGroupBox* openingFrame = nullptr; // Frame7
    QCheckBox* chkHeader = nullptr;
    QLineEdit* txtHeaderFile = nullptr;
    QRadioButton* optHeaderText = nullptr;
    QRadioButton* optHeaderFP = nullptr;
    QGroupBox* closingFrame = nullptr; // Frame8
    QCheckBox* chkFooter = nullptr;
    QLineEdit* txtFooterFile = nullptr;
    QRadioButton* optFooterText = nullptr;
    QRadioButton* optFooterFP = nullptr;

    QGroupBox* cuttingFrame = nullptr; // Frame2
    QRadioButton* optInch = nullptr;
    QRadioButton* optMetric = nullptr;
    QRadioButton* optTableTop = nullptr;
    QRadioButton* optMatSurface = nullptr;
    QCheckBox* chk2d = nullptr;
    QCheckBox* chk3d = nullptr;
    QLineEdit* txtXOffset = nullptr;
    QLineEdit* txtYOffset = nullptr;
    QLineEdit* txtZOffset = nullptr;
    QLabel* xOffsetLabel = nullptr; // Label20
    QLabel* yOffsetLabel = nullptr; // Label21
    QLabel* zOffsetLabel = nullptr; // Label22
    QComboBox* cmbBlank = nullptr;
    QComboBox* cmbThickness = nullptr;
    QComboBox* cmbMaterial = nullptr;
    QComboBox* cmbBitSize = nullptr;
    QComboBox* cmbBitType = nullptr;
    QPushButton* cmdDone = nullptr;
    QPushButton* cmdInfo = nullptr;
    QLineEdit* txtEnterInfo = nullptr;
    QPlainTextEdit* txtAdditionalInfo = nullptr;
};
