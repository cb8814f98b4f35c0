#pragma once

#include "core/headsmith/headeranswers.h"
#include "core/headsmith/headerfields.h"
#include "gui/headsmith/headsmithpages.h"

#include <QDialog>

class QKeyEvent;
class QTabWidget;
class Platform;
class HelpViewer;

// Headsmith "frmHeader": writes a header (and on request a closing block) into the part file just
// saved, and remembers its answers. Shown modally after a save; closes itself after a completed
// write. Tests drive it through its controls, found by their object names.
class HeadsmithWindow : public QDialog {
    Q_OBJECT

public:
    // answers are the run's: loaded from the variables file when the window opens, and the files
    // chosen here stay in them for the next opening.
    HeadsmithWindow(const QString& partFile, HeaderAnswers& answers, Platform& platform, QWidget* parent = nullptr);
    ~HeadsmithWindow() override;

    // The answers as they stand in the window.
    HeaderFields fields() const;
    // The install folder of the maker's software, as the help button last found it; empty when not found.
    QString installFolder() const;

    // How long a rewrite runs before its progress window appears.
    int progressDelayMs = 500;
    // The part file's encoding, as the document knows it: the header is written in it. Unset, the
    // rewrite finds it by reading the file through.
    void setPartFileEncoding(textfile::Encoding encoding) { m_encoding = encoding; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void connectControls();
    // The answers remembered from the variables file, today's date and the lists.
    void loadAnswers();
    // Ticking "Add Opening file?" (or the closing one) asks for the file; a cancelled choice unticks it.
    void fileChoiceToggled(bool opening);
    // False when the choice was cancelled (the check box is then unchecked again).
    bool chooseFile(bool opening);
    // 2d and 3d offsets exclude each other; the offset boxes follow them.
    void offsetToggled(bool threeD);
    void offsetsNeitherChecked();
    void fillLists(bool metric);
    // Enter in the entry box adds its text as a note.
    void addNote();
    void showNotesHint();
    // Writes the header; the window closes once it is written.
    void writeHeader();

    QString m_partFile;
    std::optional<textfile::Encoding> m_encoding;
    HeaderAnswers& m_answers;
    Platform& m_platform;
    QTabWidget* m_tabs = nullptr;
    GeneralPage m_general;
    CuttingPage m_cutting;
    QString m_notes; // the notes preview's text, kept here so it is written exactly as entered
    HelpViewer* m_helpViewer;
    bool m_writing = false;
};
