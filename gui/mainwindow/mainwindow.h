#pragma once

#include "core/headsmith/modHeaderProgVar.h"
#include "core/program/checker.h"
#include "core/program/modProgVar.h"
#include "core/program/programmodel.h"
#include "core/settings.h"
#include "gui/dialogs/commanddialog.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class PanelScrollArea;
class PanelHistory;
class Platform;
class ProblemsPane;
class ProgramTextPane;
class QTimer;
class QToolButton;

// The main window: toolbox, program panel, menus; owns the run's shared state.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up dialogue and layout constants. False when the user declined to choose a part file:
    // the program then ends at once, without writing its settings.
    bool Form_Load();

    // Every modal dialog (command dialogs, the first-run window, Headsmith) runs through this.
    void setDialogRunner(DialogRunner runner) { m_runner = std::move(runner); }

    modProgVar& vars() { return m_vars; }
    ProgramModel& panel() { return *m_panel; }
    modHeaderProgVar& header() { return m_header; }

    // Toolbox: opens the kind's dialog (END: none) and adds its block below all others.
    void addLine(Kind k);

    // Writes the part file and offers Headsmith; true when the file was written.
    bool WriteFile();
    void SaveSettings();
    void ResetProgram();

    void mnuSave_Click();
    void mnuReset_Click();
    void mnuExit_Click();
    void mnuBasic_Click();
    void mnuAdvanced_Click();
    void mnuCopy_Click();
    void mnuDelete_Click();
    void mnuEdit_Click();
    // Opens the block pop-up menu for the selection at a global position.
    void showBlockMenu(const QPoint& globalPos);

    QMenu* blockMenu() const { return mnuRight; }
    PanelHistory& history() { return *m_history; }
    // The undo step name for adding a line of the kind ("Add Move").
    static QString addStepName(Kind k);

    // File > Open: asks about unsaved work, then opens a part file chosen in the parts folder.
    void mnuOpen_Click();
    // File > Save As: a new name for the part file, then a save under it.
    void mnuSaveAs_Click();
    // Reads a part file onto the panel and makes it the part file; false, with a message and the
    // panel as it was, when it cannot be read.
    bool openPartFile(const QString& path);
    // A part file named on the command line, opened at start-up instead of the name choice.
    void setStartFile(const QString& path) { m_startFile = path; }
    // The last opened or saved part files, newest first, and opening one of them.
    static QStringList recentFiles();
    void openRecent(const QString& path);
    // What the status bar shows: the part file's path, and whether there is unsaved work.
    QString statusText() const;
    // The checker's findings and the written text, brought up to date with the program now (they
    // also follow every change on their own, once the change is done).
    void updateChecks();
    const QList<checker::Finding>& findings() const { return m_findings; }
    ProblemsPane* problemsPane() const { return m_problemsPane; }
    ProgramTextPane* textPane() const { return m_textPane; }
    QToolButton* problemsCount() const { return m_problemsCount; }
    PanelScrollArea* panelFrame() const { return Picture1; }

protected:
    // Form_Unload: settings, the save question, the end of the program.
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StartUp();
    void buildToolbox(QWidget* central);
    void buildMenus();
    // Edit menu (Undo, Redo) between File and Mode, and the saved state following the undo history.
    void buildEditMenu();
    void historyChanged();
    // Shortcuts, the panel's keyboard requests and the toolbox tool tips.
    void buildKeyboard();
    // The toolbox button an Alt key stands for, or None.
    Kind toolboxKey(QEvent* event) const;
    // A line just added becomes the current line and is scrolled into view.
    void showNewLine();
    // The window's size: remembered per user, and the toolbox and panel following it.
    void restoreWindowSize();
    void saveWindowSize();
    void layoutToSize(QSize client);
    void programRestored();
    void setAdvanced(bool advanced);
    void lineAdded();
    void refreshPanel();
    settings::Places settingsPlaces();
    void buildFileExtras(QMenu* file);
    bool askToSaveFirst();
    // At start-up: the part file named on the command line, else (or when it cannot be read) the
    // name choice. True when there is a part file.
    bool openOrChooseAtStart();
    void rememberRecent(const QString& path);
    void fillRecentMenu();
    void updateStatus();
    void reportMovedFileCalls(const QString& oldFolder);
    // After Headsmith rewrote the part file: what it wrote is kept for the next save.
    void takeRewrittenFile();
    // The Problems and text panes, the View menu that shows them and the count in the status bar.
    void buildChecks();
    void showFindingRow(int row);
    // The panes' visibility and places, in the per-user settings.
    void restoreDocks();
    void saveDocks();

    Platform& m_platform;
    modProgVar m_vars;
    modHeaderProgVar m_header;
    std::unique_ptr<ProgramModel> m_panel;
    PanelHistory* m_history = nullptr;
    DialogRunner m_runner = runModal;
    bool m_started = false;

    QGroupBox* Frame1 = nullptr;
    QFrame* Line1 = nullptr;
    PanelScrollArea* Picture1 = nullptr;
    QAction* mnuReset = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuBasic = nullptr;
    QAction* mnuAdvanced = nullptr;
    QMenu* mnuRight = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuDelete = nullptr;
    QAction* mnuEdit = nullptr;
    KindArray<QPushButton*> m_buttons{};
    QAction* mnuOpen = nullptr;
    QAction* mnuSaveAs = nullptr;
    QMenu* mnuRecent = nullptr;
    QLabel* m_statusPath = nullptr;
    QString m_startFile;

    ProblemsPane* m_problemsPane = nullptr;
    ProgramTextPane* m_textPane = nullptr;
    QToolButton* m_problemsCount = nullptr;
    QTimer* m_checkTimer = nullptr;
    QList<checker::Finding> m_findings;
};
