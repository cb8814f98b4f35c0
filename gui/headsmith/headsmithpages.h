#pragma once

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The controls of Headsmith's two tabs, built in code and named as the program names them (their
// object names). The window wires them; the builders only make and lay them out.

// An opening or closing file: whether to add one, the chosen path, and how to add it.
struct FileChoiceControls {
    QGroupBox* frame = nullptr;
    QCheckBox* add = nullptr;
    QLineEdit* path = nullptr;
    QRadioButton* asText = nullptr;
    QRadioButton* asFP = nullptr;
};

// "General information": who made the file, its copyright and use, whom to contact, the opening and
// closing files.
struct GeneralPage {
    QLineEdit* description = nullptr;
    QLineEdit* createdBy = nullptr;
    QLineEdit* date = nullptr;
    QLineEdit* copyright = nullptr;
    QLineEdit* copyrightYear = nullptr;
    QComboBox* use = nullptr;
    QLineEdit* contactName = nullptr;
    QLineEdit* email = nullptr;
    QLineEdit* phone = nullptr;
    FileChoiceControls opening;
    FileChoiceControls closing;
};

// "Part File and Material Information": units, Z zero, offsets, the blank and the bit, the notes,
// and the buttons that write the header and show the help.
struct CuttingPage {
    QRadioButton* inch = nullptr;
    QRadioButton* metric = nullptr;
    QRadioButton* tableTop = nullptr;
    QRadioButton* materialTop = nullptr;
    QCheckBox* offset2d = nullptr;
    QCheckBox* offset3d = nullptr;
    QLineEdit* offsets[3] = {}; // X, Y, Z
    QLabel* offsetLabels[3] = {};
    QComboBox* blank = nullptr;
    QComboBox* thickness = nullptr;
    QComboBox* material = nullptr;
    QComboBox* bitSize = nullptr;
    QComboBox* bitType = nullptr;
    QLineEdit* enterInfo = nullptr;
    QPlainTextEdit* notes = nullptr;
    QPushButton* done = nullptr;
    QPushButton* info = nullptr;
};

namespace headsmithpages {

// The sample answers the boxes open with; they go into the header as they stand.
extern const char* const EnterInfoDefault;
extern const char* const EnterInfoHint;

GeneralPage buildGeneral(QWidget* page);
CuttingPage buildCutting(QWidget* page);

} // namespace headsmithpages
