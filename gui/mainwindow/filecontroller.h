#pragma once

#include "core/headsmith/headeranswers.h"
#include "core/settings.h"
#include "gui/dialogs/commanddialog.h"

#include <QObject>
#include <QStringList>

#include <optional>

class PartDocument;
class Platform;
class UserSettings;
class QWidget;

// The part file's life as the user sees it: the name chosen at start-up (or the file named on the
// command line), Open, Save with Headsmith's offer after it, Save As, the recent files, the
// questions about unsaved work and what the user is told when a file cannot be read or written.
class FileController : public QObject {
    Q_OBJECT

public:
    FileController(PartDocument& document, Platform& platform, UserSettings& settings, QWidget* window);

    // Every modal dialog (the first-run window, Headsmith) runs through this.
    void setDialogRunner(DialogRunner runner) { m_runner = std::move(runner); }
    // A part file named on the command line, opened at start-up instead of the name choice.
    void setStartFile(const QString& path) { m_startFile = path; }

    // The toolbox mode stacker.ini holds; nothing on a first run (there is no stacker.ini).
    std::optional<bool> storedMode();
    // Writes stacker.ini at exit; a failure is told, not fatal.
    void saveMode(bool advanced);
    // At start-up: a part file to work on, from the command line or the name choice (on a first
    // run after the first-run window). False when the user declined to choose one.
    bool start(bool firstRun);

    // File > Save: writes the part file, then offers Headsmith. True when the file was written.
    bool save();
    // File > Save As: a new name, then a save under it. True when the file was written there.
    bool saveAs();
    // File > Open: asks about unsaved work, then opens a part file chosen in the parts folder.
    void open();
    // Reads a part file in; false, with a message and the program as it was, when it cannot be read.
    bool openFile(const QString& path);
    void openRecent(const QString& path);
    // The exit question and Open's question: true when the user may go on (saved, or chose not to);
    // false when the save failed or the user backed out with Cancel (or Escape).
    bool askToSaveFirst();

    // The last opened or saved part files, newest first.
    QStringList recentFiles() const;

Q_SIGNALS:
    void recentFilesChanged();
    // A part file was opened: it is the part file now.
    void opened();

private:
    bool openOrChoose();
    // Opens the part file named on the command line, if any; true when it is the part file now.
    bool openStartFile();
    void rememberRecent(const QString& path);
    void reportMovedFileCalls(const QString& oldFolder);
    settings::Places modePlaces() const;

    PartDocument& m_document;
    Platform& m_platform;
    UserSettings& m_settings;
    QWidget* m_window;
    DialogRunner m_runner = runModal;
    QString m_startFile;
    bool m_started = false; // the start file is open
    // Headsmith's answers and chosen files, kept for its next opening in this run.
    HeaderAnswers m_headerAnswers;
};
