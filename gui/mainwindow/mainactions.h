#pragma once

#include <QObject>

#include <functional>

class QAction;
class QDockWidget;
class QMainWindow;
class QMenu;
class QUndoStack;

// The main window's menus and the block pop-up menu, their actions named as the program names them
// (mnuSave, mnuUndo, ...). The window connects them; this only builds them in their order:
// File, Edit, Insert, Mode, Tools, View, Help.
class MainActions : public QObject {
    Q_OBJECT

public:
    // A pane the View menu shows and hides: its toggle action's object name and caption.
    struct Pane {
        QDockWidget* dock;
        const char* actionName;
        QString caption;
    };
    MainActions(QMainWindow* window, QUndoStack* undo, const QList<Pane>& panes);

    // Lists the recent files under File > Recent Files; choosing one calls open with its path.
    void setRecentFiles(const QStringList& files, const std::function<void(const QString&)>& open);

    QAction* open = nullptr;
    QAction* reset = nullptr;
    QAction* save = nullptr;
    QAction* saveAs = nullptr;
    QAction* saveTemplate = nullptr;
    QAction* saveResume = nullptr; // enabled while a line is selected
    QAction* insertTemplate = nullptr;
    QAction* exit = nullptr;
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    QAction* basic = nullptr;
    QAction* advanced = nullptr;
    QAction* contents = nullptr;
    QAction* about = nullptr;
    QAction* traceOutline = nullptr;
    QMenu* recent = nullptr;
    QMenu* view = nullptr;
    // The block pop-up menu, never in the menu bar.
    QMenu* blockMenu = nullptr;
    QAction* copy = nullptr;
    QAction* deleteLine = nullptr;
    QAction* edit = nullptr;
};
