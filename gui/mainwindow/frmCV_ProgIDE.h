#pragma once

#include "core/headsmith/modHeaderProgVar.h"
#include "core/program/modProgVar.h"
#include "core/program/panelmodel.h"
#include "core/settings.h"
#include "gui/dialogs/commanddialog.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QFrame;
class QGroupBox;
class QMenu;
class QPushButton;
class PanelFrame;
class PanelHistory;
class Platform;

// The main window: toolbox, program panel, menus; owns the run's shared state.
class frmCV_ProgIDE : public QMainWindow {
    Q_OBJECT
public:
    explicit frmCV_ProgIDE(Platform& platform, QWidget* parent = nullptr);
    ~frmCV_ProgIDE() override;

    // Start-up dialogue and layout constants. False when the user declined to choose a part file:
    // the program then ends at once, without writing its settings.
    bool Form_Load();

    // Every modal dialog (command dialogs, the first-run window, Headsmith) runs through this.
    void setDialogRunner(DialogRunner runner) { m_runner = std::move(runner); }

    modProgVar& vars() { return m_vars; }
    PanelModel& panel() { return *m_panel; }
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

protected:
    // Form_Unload: settings, the save question, the end of the program.
    void closeEvent(QCloseEvent* event) override;
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

    Platform& m_platform;
    modProgVar m_vars;
    modHeaderProgVar m_header;
    std::unique_ptr<PanelModel> m_panel;
    PanelHistory* m_history = nullptr;
    DialogRunner m_runner = runModal;
    bool m_started = false;

    QGroupBox* Frame1 = nullptr;
    QFrame* Line1 = nullptr;
    PanelFrame* Picture1 = nullptr;
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
};
