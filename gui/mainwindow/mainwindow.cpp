#include "gui/mainwindow/mainwindow.h"

#include "core/checker/problems.h"
#include "core/partfile/partfile.h"
#include "gui/about.h"
#include "gui/dialogs/lineeditor.h"
#include "gui/document/partdocument.h"
#include "gui/headsmith/helpviewer.h"
#include "gui/jobsheet/jobsheetcommands.h"
#include "gui/mainwindow/filecontroller.h"
#include "gui/mainwindow/mainactions.h"
#include "gui/mainwindow/panelscrollarea.h"
#include "gui/mainwindow/panelview.h"
#include "gui/mainwindow/panesizer.h"
#include "gui/mainwindow/programpanes.h"
#include "gui/mainwindow/toolbox.h"
#include "gui/templates/templateactions.h"
#include "gui/toolpath/dryruncontroller.h"
#include "gui/toolpath/dryrunsettingsdialog.h"
#include "gui/toolpath/toolpathdock.h"
#include "gui/tools/toolcommands.h"
#include "platform/platform.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>

namespace {

// The client area at the design size: the first, and the smallest where the screen has room; the
// window grows from there. Its width is the toolbox's and the panel frame's.
constexpr QSize DesignSize(96 + PanelScrollArea::FrameWidth + 2, 635);
constexpr QPoint PanelFrameAt(96, 0);

QString refusalText(AddRefusal refusal, Kind k) {
    switch (refusal) {
    case AddRefusal::TableFull:
        return k == Kind::GoSub ? MainWindow::tr("A part file holds at most 100 lines, and a GOSUB needs room for "
                                                 "three more. Nothing was added.")
                                : MainWindow::tr("A part file holds at most 100 lines, and this one is full. "
                                                 "Nothing was added.");
    case AddRefusal::CounterFull:
        return MainWindow::tr("The limit for this kind of line is reached. Nothing was added.");
    case AddRefusal::PanelFull:
        return MainWindow::tr("The program panel has no row left below the last line. Drag the last line up onto "
                              "an empty row, or save and start a new part file. Nothing was added.");
    case AddRefusal::None:
        break;
    }
    return {};
}

} // namespace

MainWindow::MainWindow(Platform& platform, QWidget* parent) : QMainWindow(parent), m_platform(platform) {
    setObjectName(QStringLiteral("frmCV_ProgIDE"));
    setWindowTitle(tr("Corvane Part File Stacker"));

    auto* central = new QWidget(this);
    central->setMinimumSize(DesignSize);
    central->resize(DesignSize);
    central->installEventFilter(this);
    setCentralWidget(central);

    m_document = new PartDocument(&PanelView::labelWidth, this);
    m_toolbox = new Toolbox(central);
    m_toolbox->watchKeysOf(this);
    m_scrollArea = new PanelScrollArea(m_document->model(), central);
    m_scrollArea->move(PanelFrameAt);
    m_scrollArea->panel()->setDocument(m_document);
    buildDocks();
    m_actions = new MainActions(this, m_document->undoStack(),
                                {{m_problemsPane, "mnuProblems", tr("&Problems")},
                                 {m_textPane, "mnuPartFileText", tr("Part File &Text")},
                                 {m_toolpath, "mnuToolpath", tr("T&oolpath")},
                                 {m_templates->dock(), "mnuTemplates", tr("Te&mplates")}});
    m_files = new FileController(*m_document, m_platform, m_settings, this);
    connectActions();
    new JobSheetCommands(*this, *m_document, *m_dryRun, m_platform, [this](QDialog& d) { return m_runner(d); });
    setAdvanced(false);
    restoreWindowState();
    updateStatus();
    updateChecks();
}

// The document's undo steps refer to the panel's program: they go before the panel does.
MainWindow::~MainWindow() {
    m_document->undoStack()->clear();
}

void MainWindow::setDialogRunner(DialogRunner runner) {
    m_runner = runner;
    m_files->setDialogRunner(std::move(runner));
}

void MainWindow::setStartFile(const QString& path) {
    m_files->setStartFile(path);
}

QMenu* MainWindow::blockMenu() const {
    return m_actions->blockMenu;
}

void MainWindow::buildDocks() {
    // Both panes start hidden, so the window keeps its size and the panel its place until the
    // operator opens one.
    m_problemsPane = new ProblemsPane(this);
    m_textPane = new ProgramTextPane(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_problemsPane);
    addDockWidget(Qt::RightDockWidgetArea, m_textPane);
    m_problemsPane->hide();
    m_textPane->hide();
    connect(m_problemsPane, &ProblemsPane::rowChosen, this, &MainWindow::showFindingRow);

    m_toolpath = new ToolpathDock(this);
    addDockWidget(Qt::RightDockWidgetArea, m_toolpath);
    m_toolpath->hide();
    // The toolbox's buttons stay whole however small the screen; the panel scrolls.
    auto* sizer = new PaneSizer(this, QSize(Toolbox::Width + 300, Toolbox::leastHeight()));
    sizer->add(m_problemsPane, Qt::Vertical, 180);
    sizer->add(m_textPane, Qt::Horizontal, 360);
    sizer->add(m_toolpath, Qt::Horizontal, 420);
    m_dryRun = new DryRunController(*m_document, this);
    m_templates = new TemplateActions(*this, *m_document, *m_scrollArea->panel(), m_platform, m_runner);

    m_statusPath = new QLabel(this);
    m_statusPath->setObjectName(QStringLiteral("lblStatusPath"));
    // The path is the user's: "<b>" in a name is part of the name.
    m_statusPath->setTextFormat(Qt::PlainText);
    // A long path is cut at the window's edge rather than widening the window.
    m_statusPath->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(m_statusPath, 1);

    m_keptStatus = new KeptStatus(this);
    statusBar()->addPermanentWidget(m_keptStatus);
    connect(m_keptStatus, &KeptStatus::blockChosen, this, [this](bool closing) {
        m_textPane->show();
        m_textPane->raise();
        m_textPane->view()->showKept(closing);
    });

    m_problemsCount = new QToolButton(this);
    m_problemsCount->setObjectName(QStringLiteral("problemsCount"));
    m_problemsCount->setAutoRaise(true);
    m_problemsCount->setToolTip(tr("Show the problems the checker found"));
    statusBar()->addPermanentWidget(m_problemsCount);
    connect(m_problemsCount, &QToolButton::clicked, this, [this] {
        m_problemsPane->show();
        m_problemsPane->raise();
    });
}

void MainWindow::connectActions() {
    MainActions& a = *m_actions;
    connect(a.open, &QAction::triggered, m_files, &FileController::open);
    connect(a.reset, &QAction::triggered, m_document, &PartDocument::reset);
    connect(a.save, &QAction::triggered, m_files, &FileController::save);
    connect(a.saveAs, &QAction::triggered, this, [this] {
        if (m_files->saveAs()) m_actions->save->setEnabled(true);
    });
    connect(a.exit, &QAction::triggered, this, &MainWindow::close);
    connect(a.basic, &QAction::triggered, this, [this] { setAdvanced(false); });
    connect(a.advanced, &QAction::triggered, this, [this] { setAdvanced(true); });
    connect(a.contents, &QAction::triggered, new HelpViewer(m_platform, this), &HelpViewer::show);
    connect(a.about, &QAction::triggered, this, [this] {
        AboutDialog about(this);
        m_runner(about);
    });
    connect(a.copy, &QAction::triggered, this, &MainWindow::copySelectedLine);
    connect(a.deleteLine, &QAction::triggered, this, &MainWindow::deleteSelectedLine);
    connect(a.edit, &QAction::triggered, this, &MainWindow::editSelectedLine);
    connect(m_toolbox, &Toolbox::addRequested, this, &MainWindow::addLine);
    m_templates->connectTo(a);
    connect(a.traceOutline, &QAction::triggered, this, [this] { tools::traceOutline(toolContext()); });
    connect(a.saveResume, &QAction::triggered, this, [this] { tools::saveResumeCopy(toolContext()); });

    PanelView* panel = m_scrollArea->panel();
    connect(panel, &PanelView::popupRequested, this, &MainWindow::showBlockMenu);
    connect(panel, &PanelView::deleteRequested, this, &MainWindow::deleteSelectedLine);
    connect(panel, &PanelView::editRequested, this, &MainWindow::editSelectedLine);
    connect(panel, &PanelView::copyRequested, this, &MainWindow::copySelectedLine);

    connect(m_document, &PartDocument::changed, this, &MainWindow::programChanged);
    connect(m_document, &PartDocument::restored, this, [this] {
        const bool lines = m_document->model().lineCount() > 0;
        m_actions->save->setEnabled(lines);
        m_actions->reset->setEnabled(lines);
    });
    connect(m_document, &PartDocument::modifiedChanged, this, [this](bool modified) {
        setWindowModified(modified);
        updateStatus();
    });
    connect(m_document, &PartDocument::filePathChanged, this, [this] {
        setWindowFilePath(m_document->filePath());
        updateStatus();
    });
    connect(m_files, &FileController::opened, this, [this] {
        m_actions->save->setEnabled(true);
        m_actions->reset->setEnabled(m_document->model().lineCount() > 0);
        // A file opens at its top, its first line current, whatever was scrolled to before.
        m_scrollArea->panel()->setCurrentRow(1);
        m_scrollArea->scrollBar()->setValue(0);
    });
    connect(m_files, &FileController::recentFilesChanged, this, &MainWindow::fillRecentMenu);
    fillRecentMenu();
    connectDryRun();

    // Every change ends in a refresh of the panel; the checks run once after a burst of them (a drag
    // refreshes at every move).
    m_checkTimer = new QTimer(this);
    m_checkTimer->setSingleShot(true);
    m_checkTimer->setInterval(0);
    connect(m_checkTimer, &QTimer::timeout, this, &MainWindow::updateChecks);
    connect(panel, &PanelView::refreshed, m_checkTimer, qOverload<>(&QTimer::start));
    // The text pane marks the current line too.
    connect(panel, &PanelView::currentRowChanged, m_checkTimer, qOverload<>(&QTimer::start));
    const auto followCurrent = [this] { m_actions->saveResume->setEnabled(m_document->model().currentRow() > 0); };
    connect(panel, &PanelView::refreshed, this, followCurrent);
    connect(panel, &PanelView::currentRowChanged, this, followCurrent);
}

tools::Context MainWindow::toolContext() {
    return {*m_document, *m_dryRun, m_platform, m_runner, m_scrollArea->panel(), this};
}

bool MainWindow::start() {
    const std::optional<bool> mode = m_files->storedMode();
    if (mode && *mode) setAdvanced(true);
    if (!m_files->start(!mode)) return false;
    m_started = true;
    restoreState(m_settings.dockState());
    updateChecks();
    return true;
}

void MainWindow::setAdvanced(bool advanced) {
    m_toolbox->setAdvanced(advanced);
    m_actions->advanced->setChecked(advanced);
    m_actions->basic->setChecked(!advanced);
}

void MainWindow::addLine(Kind k) {
    const ProgramModel& model = m_document->model();
    if (const AddRefusal refusal = model.canAdd(k); refusal != AddRefusal::None) {
        m_platform.tell(refusalText(refusal, k), tr("No room for another line"), Platform::Icon::Information);
        return;
    }
    if (k != Kind::End) {
        std::unique_ptr<CommandDialog> dialog =
            createCommandDialog(k, {m_document->folder(), QString()}, m_platform, m_runner, this);
        // A dialog closed without Done is a cancel.
        if (!dialog || !m_runner(*dialog)) return;
        // A file call whose file choice was cancelled makes no line.
        if (dialog->result()) m_document->addLine(k, *dialog->result());
    } else {
        m_document->addLine(k, {});
    }
    if (k != Kind::GoSub) {
        m_actions->save->setEnabled(true);
        m_actions->reset->setEnabled(true);
    }
    // The line just added becomes the current line and is scrolled into view.
    m_scrollArea->panel()->setCurrentRow(model.lineCount());
}

void MainWindow::showBlockMenu(const QPoint& globalPos) {
    // END has no dialog to edit, but may be copied or deleted.
    m_actions->edit->setEnabled(m_document->model().currentKind() != Kind::End);
    m_actions->blockMenu->exec(globalPos);
}

void MainWindow::copySelectedLine() {
    const ProgramModel& model = m_document->model();
    if (model.selectionExists()) m_platform.setClipboardText(model.selectionText());
}

void MainWindow::deleteSelectedLine() {
    const ProgramModel& model = m_document->model();
    if (!model.selectionExists()) return;
    if (!m_platform.askYesNo(tr("Are you sure you want to delete this command line?"), tr("Are you sure?"))) return;
    const int row = model.rowOf(model.selection());
    m_document->removeSelectedLine();
    // The line that takes the deleted one's place is current, as the keyboard left it.
    m_scrollArea->panel()->setCurrentRow(std::min(row, model.lineCount()));
    if (m_document->model().lineCount() == 0) {
        m_actions->save->setEnabled(false);
        m_actions->reset->setEnabled(false);
    }
}

void MainWindow::editSelectedLine() {
    const ProgramModel& model = m_document->model();
    const PanelHit s = model.selection();
    // END and RETURN have no dialog, so nothing to edit.
    if (!model.exists(s.kind, s.index) || s.kind == Kind::End || s.kind == Kind::Return) return;
    const PanelBlock& block = model.block(s.kind, s.index);
    const std::optional<lineeditor::EditedLine> edited = lineeditor::edit(
        s.kind, block.text.caption, block.comment.caption, m_document->folder(), m_platform, m_runner, this);
    if (edited) m_document->editLine(s, edited->held, edited->comment);
}

void MainWindow::connectDryRun() {
    PanelView* panel = m_scrollArea->panel();
    connect(m_dryRun, &DryRunController::traceReady, this, [this](std::shared_ptr<const dryrun::Trace> trace) {
        m_toolpath->setTrace(std::move(trace), m_dryRun->carveJob(), carve::budgetBytes(m_dryRun->settings()));
        updateChecks();
    });
    connect(m_dryRun, &DryRunController::busyChanged, m_toolpath, &ToolpathDock::setBusy);
    // The two-way link: the current line shows its segments; a segment clicked makes its line current.
    connect(panel, &PanelView::currentRowChanged, this, [this](int row) {
        m_toolpath->setCurrentLine(row > 0 ? dryrun::LineRef{0, partfile::fileLineOfRow(m_document->kept(), row)}
                                           : dryrun::LineRef{});
    });
    connect(m_toolpath, &ToolpathDock::lineActivated, this, [this](dryrun::LineRef line) {
        const int row =
            line.file == 0 ? partfile::rowOfFileLine(m_document->model(), m_document->kept(), line.line) : 0;
        if (row > 0) m_scrollArea->panel()->setCurrentRow(row);
    });
    m_toolpath->setLineText([this](dryrun::LineRef line) {
        const int row =
            line.file == 0 ? partfile::rowOfFileLine(m_document->model(), m_document->kept(), line.line) : 0;
        if (row == 0) return QString();
        const ProgramLine l = m_document->model().line(row);
        return partfile::composeLine(l.kind, l.held, l.comment).value_or(QString());
    });
    connect(m_toolpath, &ToolpathDock::answersChanged, this, [this](const dryrun::Answers& answers) {
        m_dryRun->setAnswers(answers);
        m_settings.setAnswers(m_document->filePath(), answers);
        m_settings.save();
    });
    // Each part file has the INPUT answers it was last run with.
    connect(m_document, &PartDocument::filePathChanged, this, [this] {
        const dryrun::Answers answers = m_settings.answers(m_document->filePath());
        m_dryRun->setAnswers(answers);
        m_toolpath->setAnswers(answers);
        m_toolpath->setPartFile(m_document->filePath());
    });
    m_toolpath->setPartFile(m_document->filePath());
    connect(m_toolpath, &ToolpathDock::settingsRequested, this, &MainWindow::editDryRunSettings);
    m_dryRun->setSettings(m_settings.dryRunSettings());
}

void MainWindow::editDryRunSettings() {
    DryRunSettingsDialog dialog(m_dryRun->settings(), this);
    if (!m_runner(dialog)) return;
    const std::optional<dryrun::Settings> settings = dialog.settings();
    if (!settings) return;
    m_dryRun->setSettings(*settings);
    m_settings.setDryRunSettings(*settings);
    m_settings.save();
}

void MainWindow::programChanged() {
    refreshKept();
    m_scrollArea->panel()->refresh();
    updateStatus();
}

void MainWindow::refreshKept() {
    // The kept lines are read from the part file only when they are others than those shown.
    const KeptLines& kept = m_document->kept();
    KeptKey key;
    if (kept.file) key = {kept.file.get(), kept.file->identity, kept.file->head, kept.file->tail, kept.file->opening};
    if (key == m_keptKey && m_keptShown) return;
    m_keptKey = key;
    m_keptShown = true;
    m_textPane->view()->setKept(partfile::keptText(kept));
    m_keptStatus->setCounts(kept.headLines(), kept.tailLines());
}

QString MainWindow::statusText() const {
    const QString path = m_document->filePath();
    if (path.isEmpty()) return {};
    return m_document->isModified() ? tr("%1    Modified").arg(path) : path;
}

void MainWindow::updateStatus() {
    m_statusPath->setText(statusText());
}

void MainWindow::fillRecentMenu() {
    m_actions->setRecentFiles(m_files->recentFiles(), [this](const QString& path) { m_files->openRecent(path); });
}

void MainWindow::updateChecks() {
    m_checkTimer->stop();
    refreshKept();
    const ProgramModel& model = m_document->model();
    const std::shared_ptr<const dryrun::Trace> trace = m_dryRun->trace();
    m_findings = checker::problems(
        checker::check(model, m_document->folder(), {}, partfile::fileLineOfRow(m_document->kept(), 1)), trace.get(),
        m_document->kept().file.get(), [&](checker::Finding& f) {
            f.row = partfile::rowOfFileLine(model, m_document->kept(), f.line);
            if (f.row <= 0) return;
            const ProgramLine l = model.line(f.row);
            f.text = partfile::composeLine(l.kind, l.held, l.comment).value_or(QString());
        });

    QList<PanelHit> errors;
    for (const checker::Finding& f : m_findings) {
        if (f.severity != checker::Severity::Error || f.row < 1 || f.row > model.lineCount()) continue;
        errors << PanelHit{model.row(f.row).kind, model.row(f.row).blockIndex};
    }
    PanelView* panel = m_scrollArea->panel();
    panel->setErrorBlocks(errors);
    m_problemsPane->setFindings(m_findings);

    // The text pane highlights the outlined block's line, else the current line.
    const PanelHit outlined = panel->outlined();
    m_textPane->view()->showProgram(model, m_document->folder(),
                                    model.exists(outlined.kind, outlined.index) ? model.rowOf(outlined)
                                                                                : model.currentRow());

    m_problemsCount->setText(checker::countText(m_findings));
}

void MainWindow::showFindingRow(int row) {
    m_scrollArea->showRow(row);
    updateChecks();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_started) {
        event->accept();
        return;
    }
    m_files->saveMode(m_toolbox->isAdvanced());
    saveWindowState();
    // Unsaved work is not let go unasked; Cancel, or a save that fails, keeps the window open.
    if (!m_files->askToSaveFirst()) {
        event->ignore();
        return;
    }
    event->accept();
    QApplication::closeAllWindows();
}

void MainWindow::restoreWindowState() {
    resize(sizeHint().expandedTo(minimumSizeHint()));
    const QSize saved = m_settings.windowSize();
    if (saved.isValid()) resize(saved.expandedTo(minimumSizeHint()));
}

void MainWindow::saveWindowState() {
    m_settings.setDockState(saveState());
    // A maximised window keeps the size it had before, for the next start.
    m_settings.setWindowSize(isMaximized() ? normalGeometry().size() : size());
    m_settings.save();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize && m_toolbox && m_scrollArea)
        layoutToSize(centralWidget()->size());
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::layoutToSize(QSize client) {
    // The panel's frame runs a few pixels below the client area, as at the design size.
    const QSize extra = client - DesignSize;
    m_toolbox->resize(Toolbox::Width, Toolbox::Height + extra.height());
    m_scrollArea->resize(PanelScrollArea::FrameWidth + extra.width(), PanelScrollArea::FrameHeight + extra.height());
}
