#include "gui/mainwindow/mainactions.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

namespace {

template <typename T> T* named(T* object, const char* name) {
    object->setObjectName(QLatin1String(name));
    return object;
}

} // namespace

MainActions::MainActions(QMainWindow* window, QUndoStack* undoStack, const QList<Pane>& panes) : QObject(window) {
    QMenuBar* bar = window->menuBar();

    QMenu* file = named(bar->addMenu(tr("&File")), "mnuFile");
    open = named(file->addAction(tr("&Open...")), "mnuOpen");
    open->setShortcut(QKeySequence::Open);
    reset = named(file->addAction(tr("&Reset")), "mnuReset");
    save = named(file->addAction(tr("&Save")), "mnuSave");
    save->setShortcut(QKeySequence::Save);
    saveAs = named(file->addAction(tr("Save &As...")), "mnuSaveAs");
    saveTemplate = named(file->addAction(tr("Save as &Template...")), "mnuSaveTemplate");
    saveResume = named(file->addAction(tr("Save a &copy to resume from this line...")), "mnuSaveResume");
    saveResume->setEnabled(false);
    recent = named(file->addMenu(tr("Recent &Files")), "mnuRecent");
    file->addSeparator();
    exit = named(file->addAction(tr("E&Xit")), "mnuExit");
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    reset->setEnabled(false);
    save->setEnabled(false);

    QMenu* editMenu = named(bar->addMenu(tr("&Edit")), "mnuEditMenu");
    undo = named(undoStack->createUndoAction(editMenu, tr("&Undo")), "mnuUndo");
    redo = named(undoStack->createRedoAction(editMenu, tr("&Redo")), "mnuRedo");
    undo->setShortcut(QKeySequence::Undo);
    redo->setShortcut(QKeySequence::Redo);
    editMenu->addAction(undo);
    editMenu->addAction(redo);

    QMenu* insert = named(bar->addMenu(tr("&Insert")), "mnuInsert");
    insertTemplate = named(insert->addAction(tr("&Template...")), "mnuTemplate");

    QMenu* mode = named(bar->addMenu(tr("&Mode")), "mnuMode");
    basic = named(mode->addAction(tr("&Basic")), "mnuBasic");
    advanced = named(mode->addAction(tr("&Advanced")), "mnuAdvanced");
    basic->setCheckable(true);
    advanced->setCheckable(true);

    QMenu* tools = named(bar->addMenu(tr("&Tools")), "mnuTools");
    traceOutline = named(tools->addAction(tr("Trace the &outline...")), "mnuTraceOutline");

    view = named(bar->addMenu(tr("&View")), "mnuView");
    for (const Pane& pane : panes) {
        QAction* show = named(pane.dock->toggleViewAction(), pane.actionName);
        show->setText(pane.caption);
        view->addAction(show);
    }

    QMenu* help = named(bar->addMenu(tr("&Help")), "mnuHelp");
    contents = named(help->addAction(tr("&Contents")), "mnuContents");
    contents->setShortcut(QKeySequence::HelpContents);
    about = named(help->addAction(tr("&About")), "mnuAbout");

    blockMenu = named(new QMenu(tr("&RightClick"), window), "mnuRight");
    copy = named(blockMenu->addAction(tr("&Copy")), "mnuCopy");
    deleteLine = named(blockMenu->addAction(tr("&Delete")), "mnuDelete");
    edit = named(blockMenu->addAction(tr("&Edit")), "mnuEdit");

    // Window-wide, so the shortcuts work wherever the focus is in the main window.
    window->addActions({save, exit, undo, redo, contents});
}

void MainActions::setRecentFiles(const QStringList& files, const std::function<void(const QString&)>& openFile) {
    recent->clear();
    for (int i = 0; i < files.size(); ++i) {
        QAction* item = recent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(files.at(i)));
        item->setObjectName(QStringLiteral("mnuRecent_%1").arg(i + 1));
        const QString path = files.at(i);
        connect(item, &QAction::triggered, this, [openFile, path] { openFile(path); });
    }
    recent->setEnabled(!files.isEmpty());
}
