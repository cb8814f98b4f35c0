#pragma once

#include "core/checker/checker.h"
#include "core/partfile/keptfile.h"
#include "core/usersettings.h"
#include "gui/dialogs/commanddialog.h"

#include <QMainWindow>

class FileController;
class KeptStatus;
class MainActions;
class PanelScrollArea;
class PartDocument;
class Platform;
class ProblemsPane;
class ProgramTextPane;
class QLabel;
class QTimer;
class QToolButton;
class TemplateActions;
class Toolbox;
class ToolpathDock;
class DryRunController;
namespace tools {
struct Context;
}

// The main window "frmCV_ProgIDE": the toolbox on the left, the program panel on the right, the
// Problems and Part File Text panes, and the menus. It puts the parts together and asks the exit
// question; the part file's life is the file controller's, the program's the document's.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up dialogue: a part file to work on. False when the user declined to choose one: the
    // program then ends at once, without writing its settings.
    bool start();

    // Every modal dialog (command dialogs, the first-run window, Headsmith) runs through this.
    void setDialogRunner(DialogRunner runner);
    void setStartFile(const QString& path);

    PartDocument& document() { return *m_document; }
    FileController& files() { return *m_files; }
    PanelScrollArea* scrollArea() const { return m_scrollArea; }
    QMenu* blockMenu() const;
    ProblemsPane* problemsPane() const { return m_problemsPane; }
    ProgramTextPane* textPane() const { return m_textPane; }
    ToolpathDock* toolpathDock() const { return m_toolpath; }
    DryRunController& dryRun() { return *m_dryRun; }
    TemplateActions& templates() { return *m_templates; }
    QToolButton* problemsCount() const { return m_problemsCount; }
    KeptStatus* keptStatus() const { return m_keptStatus; }

    // Toolbox: opens the kind's dialog (END: none) and adds its line below all others.
    void addLine(Kind k);
    // The pop-up menu's commands on the selected line.
    void copySelectedLine();
    void deleteSelectedLine();
    void editSelectedLine();
    void showBlockMenu(const QPoint& globalPos);

    // What the status bar shows: the part file's path, and whether there is unsaved work.
    QString statusText() const;
    // The checker's findings and the written text, brought up to date with the program now (they
    // also follow every change on their own, once the change is done).
    void updateChecks();
    const QList<checker::Finding>& findings() const { return m_findings; }

protected:
    // Settings, the exit question, the end of the program.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildDocks();
    void connectActions();
    // What the Tools commands and Save a copy to resume work on.
    tools::Context toolContext();
    // The dry run follows the document; its toolpath and the panel point at each other's lines.
    void connectDryRun();
    // The dock's Settings button: the dialog, then a new run with what the operator set.
    void editDryRunSettings();
    void setAdvanced(bool advanced);
    void programChanged();
    // The kept header and closing block as the text pane and the status bar show them.
    void refreshKept();
    void updateStatus();
    void fillRecentMenu();
    void showFindingRow(int row);
    // The window's size and the panes' places, remembered per user.
    void restoreWindowState();
    void saveWindowState();
    // The toolbox keeps its width and grows down; the panel's frame takes the rest.
    void layoutToSize(QSize client);

    Platform& m_platform;
    UserSettings m_settings;
    PartDocument* m_document = nullptr;
    FileController* m_files = nullptr;
    MainActions* m_actions = nullptr;
    Toolbox* m_toolbox = nullptr;
    PanelScrollArea* m_scrollArea = nullptr;
    ProblemsPane* m_problemsPane = nullptr;
    ProgramTextPane* m_textPane = nullptr;
    ToolpathDock* m_toolpath = nullptr;
    DryRunController* m_dryRun = nullptr;
    TemplateActions* m_templates = nullptr;
    QToolButton* m_problemsCount = nullptr;
    QLabel* m_statusPath = nullptr;
    KeptStatus* m_keptStatus = nullptr;
    // What the kept lines shown were read from: read again only when it changes.
    struct KeptKey {
        const KeptFile* file = nullptr;
        FileIdentity identity;
        KeptRegion head, tail;
        QList<QByteArray> opening;
        bool operator==(const KeptKey&) const = default;
    };
    KeptKey m_keptKey;
    bool m_keptShown = false;
    QTimer* m_checkTimer = nullptr;
    QList<checker::Finding> m_findings;
    DialogRunner m_runner = runModal;
    bool m_started = false;
};
