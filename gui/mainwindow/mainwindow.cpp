#include "gui/mainwindow/mainwindow.h"

#include "core/program/partfile.h"
#include "core/program/partname.h"
#include "core/settings.h"
#include "gui/about.h"
#include "gui/dialogs/lineeditor.h"
#include "gui/headsmith/headsmithwindow.h"
#include "gui/mainwindow/firstrundialog.h"
#include "gui/mainwindow/panelhistory.h"
#include "gui/mainwindow/panelview.h"
#include "gui/mainwindow/programpanes.h"
#include "platform/platform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QTimer>
#include <QToolButton>

namespace {

QString getStartedText() {
    return MainWindow::tr(
        " You'll start by selecting the name for your Assembled part file. If you're smart you will have already "
        "created a folder and put any additional part files in it that you're going to be calling, to make it easier "
        "to keep track of everything.");
}

// A coloured toolbox button whose caption wraps onto two lines where the button is tall enough.
class ToolboxButton final : public QPushButton {
public:
    ToolboxButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(rect().adjusted(2, 1, -2, -1), Qt::AlignCenter | Qt::TextWordWrap, text());
    }
};

constexpr QSize DesignSize(819, 635);

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
    // The design size is the smallest and the first; the window grows from there.
    central->setMinimumSize(DesignSize);
    central->resize(DesignSize);
    central->installEventFilter(this);
    setCentralWidget(central);

    m_panel = std::make_unique<ProgramModel>(m_vars, &PanelView::labelWidth);

    buildToolbox(central);
    Picture1 = new PanelScrollArea(*m_panel, central);
    Picture1->setGeometry(96, 0, 721, 641);
    connect(Picture1->panel(), &PanelView::popupRequested, this, &MainWindow::showBlockMenu);
    buildMenus();
    m_history = new PanelHistory(*m_panel, this);
    Picture1->panel()->setHistory(m_history);
    buildEditMenu();
    buildKeyboard();
    buildChecks();
    setAdvanced(false);
    restoreWindowSize();
}

MainWindow::~MainWindow() {
    // The history's stack signals as it goes; it must go while this window can still receive.
    Picture1->panel()->setHistory(nullptr);
    delete m_history;
}

void MainWindow::buildToolbox(QWidget* central) {
    Frame1 = new QGroupBox(tr("Toolbox"), central);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(0, 0, 97, 633);

    for (Kind k : kinds::ToolboxOrder) {
        const KindInfo& info = kinds::info(k);
        auto* button = new ToolboxButton(QCoreApplication::translate("Toolbox", info.buttonCaption), Frame1);
        button->setObjectName(QString::fromLatin1(info.button));
        button->setGeometry(16, info.buttonTop, 57, info.buttonHeight);
        button->setAutoDefault(false);
        button->setStyleSheet(QStringLiteral("QPushButton { background-color: #%1; color: black; border: 1px solid "
                                             "#707070; border-radius: 2px; font-size: 8pt; }"
                                             "QPushButton:pressed { border: 2px inset #505050; }")
                                  .arg(info.buttonColor, 6, 16, QLatin1Char('0')));
        connect(button, &QPushButton::clicked, this, [this, k] { addLine(k); });
        m_buttons[k] = button;
    }
    m_buttons[Kind::Blank]->setToolTip(tr("Type a command that isn't included yet"));
    m_buttons[Kind::GoSub]->hide();

    Line1 = new QFrame(Frame1);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Plain);
    Line1->setGeometry(8, 328, 73, 1);
}

void MainWindow::buildMenus() {
    QMenu* mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuReset = mnuFile->addAction(tr("&Reset"), this, &MainWindow::mnuReset_Click);
    mnuSave = mnuFile->addAction(tr("&Save"), this, &MainWindow::mnuSave_Click);
    mnuExit = mnuFile->addAction(tr("E&Xit"), this, &MainWindow::mnuExit_Click);
    mnuReset->setObjectName(QStringLiteral("mnuReset"));
    mnuSave->setObjectName(QStringLiteral("mnuSave"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    mnuReset->setEnabled(false);
    mnuSave->setEnabled(false);
    buildFileExtras(mnuFile);

    QMenu* mnuMode = menuBar()->addMenu(tr("&Mode"));
    mnuMode->setObjectName(QStringLiteral("mnuMode"));
    mnuBasic = mnuMode->addAction(tr("&Basic"), this, &MainWindow::mnuBasic_Click);
    mnuAdvanced = mnuMode->addAction(tr("&Advanced"), this, &MainWindow::mnuAdvanced_Click);
    mnuBasic->setObjectName(QStringLiteral("mnuBasic"));
    mnuAdvanced->setObjectName(QStringLiteral("mnuAdvanced"));
    mnuBasic->setCheckable(true);
    mnuAdvanced->setCheckable(true);

    QMenu* mnuHelp = menuBar()->addMenu(tr("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    QAction* mnuAbout = mnuHelp->addAction(tr("&About"), this, [this] {
        AboutDialog about(this);
        m_runner(about);
    });
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));

    // The block pop-up menu is never in the menu bar.
    mnuRight = new QMenu(tr("&RightClick"), this);
    mnuRight->setObjectName(QStringLiteral("mnuRight"));
    mnuCopy = mnuRight->addAction(tr("&Copy"), this, &MainWindow::mnuCopy_Click);
    mnuDelete = mnuRight->addAction(tr("&Delete"), this, &MainWindow::mnuDelete_Click);
    mnuEdit = mnuRight->addAction(tr("&Edit"), this, &MainWindow::mnuEdit_Click);
    mnuCopy->setObjectName(QStringLiteral("mnuCopy"));
    mnuDelete->setObjectName(QStringLiteral("mnuDelete"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
}

bool MainWindow::Form_Load() {
    StartUp();
    if (m_vars.PartNameState != PartName::Chosen) return false;
    m_vars.LineSpacing = 24;
    // A part file opened at start-up has its blocks laid out already.
    if (m_vars.LineCount == 0) m_vars.NextTop = 8;
    m_vars.CommentWidth = 600;
    m_vars.BlockLeft = 20;
    m_vars.FileSaved = true;
    m_started = true;
    restoreDocks();
    updateChecks();
    return true;
}

settings::Places MainWindow::settingsPlaces() {
    const QString program = m_platform.programFolder();
    return settings::locate(program, userSettingsFolder(), canCreateFilesIn(program));
}

void MainWindow::StartUp() {
    const QString file = settingsPlaces().read;
    if (!file.isEmpty()) {
        if (settings::selectsAdvanced(settings::readFirstLine(file))) mnuAdvanced_Click();
        openOrChooseAtStart();
        return;
    }
    FirstRunDialog getStarted(
        getStartedText(), [this] { return openOrChooseAtStart(); }, this);
    m_runner(getStarted);
    // However the window went away, the name choice runs (once): the main window needs a part file.
    getStarted.cmdGetStarted_Click();
}

void MainWindow::setAdvanced(bool advanced) {
    for (const KindInfo& info : kinds::Table)
        if (info.button && info.advanced && !info.basic) m_buttons[info.kind]->setVisible(advanced);
    mnuAdvanced->setChecked(advanced);
    mnuBasic->setChecked(!advanced);
}

void MainWindow::mnuAdvanced_Click() {
    setAdvanced(true);
}

void MainWindow::mnuBasic_Click() {
    setAdvanced(false);
}

void MainWindow::addLine(Kind k) {
    // The whole add, a GOSUB set included, is one step; a cancelled dialog records none.
    const ProgramModel::Snapshot before = m_panel->snapshot();
    const auto recordAdd = qScopeGuard([this, k, &before] { m_history->recordSince(addStepName(k), before); });
    const AddRefusal refusal = m_panel->canAdd(k);
    if (refusal != AddRefusal::None) {
        m_platform.tell(refusalText(refusal, k), tr("No room for another line"), Platform::Icon::Information);
        return;
    }
    m_vars.CurrentKind = k;
    m_vars.EditInlineComment.clear();

    if (k == Kind::End) {
        m_panel->add(k, {}, {});
        lineAdded();
        return;
    }
    std::unique_ptr<CommandDialog> dialog = createCommandDialog(k, m_vars, m_platform, m_runner, this);
    // A dialog closed without Done is a cancel: its result strings may belong to another line.
    if (!dialog || !m_runner(*dialog)) return;
    dialog.reset();

    if (k == Kind::GoSub) {
        m_panel->addGoSub(m_vars.PerKind[Kind::GoSub].Text, m_vars.GoSubLabelText);
        m_vars.CurrentKind = Kind::Label;
        m_vars.FileSaved = false;
        refreshPanel();
        showNewLine();
        return;
    }
    if (k != Kind::FileCall || m_vars.FileChoiceState > 1)
        m_panel->add(k, m_vars.PerKind[k].Text, m_vars.InlineCommentText);
    lineAdded();
}

void MainWindow::lineAdded() {
    mnuSave->setEnabled(true);
    mnuReset->setEnabled(true);
    m_vars.FileSaved = false;
    refreshPanel();
    showNewLine();
}

void MainWindow::refreshPanel() {
    Picture1->panel()->refresh();
    updateStatus();
}

bool MainWindow::WriteFile() {
    const FileResult result = partfile::write(m_vars.PartFileName, *m_panel);
    if (!result.ok) {
        m_platform.tell(tr("The part file could not be saved:\n\n%1\n\nNothing on disk was changed, and "
                           "your lines are still here.")
                            .arg(result.error),
                        tr("Save failed"), Platform::Icon::Critical);
        return false;
    }
    if (m_platform.askYesNo(tr("Do you want to add a header to this file?"), tr("Add a header"))) {
        HeadsmithWindow header(m_vars, m_header, m_platform, this);
        m_runner(header);
        takeRewrittenFile();
    }
    m_vars.FileSaved = true;
    m_history->markSaved();
    rememberRecent(m_vars.PartFileName);
    updateStatus();
    return true;
}

void MainWindow::SaveSettings() {
    saveDocks();
    const FileResult result = settings::save(settingsPlaces(), mnuAdvanced->isChecked());
    if (!result.ok)
        m_platform.tell(tr("The toolbox mode could not be remembered:\n\n%1").arg(result.error),
                        tr("Settings not saved"), Platform::Icon::Warning);
}

void MainWindow::ResetProgram() {
    m_history->record(tr("Reset"), [this] { m_panel->reset(); });
    refreshPanel();
}

void MainWindow::mnuSave_Click() {
    WriteFile();
}

void MainWindow::mnuReset_Click() {
    ResetProgram();
}

void MainWindow::mnuExit_Click() {
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_started) {
        event->accept();
        return;
    }
    SaveSettings();
    saveWindowSize();
    if (!m_vars.FileSaved && m_platform.askYesNo(tr("Save all your hard work?"), tr("Save???")) && !WriteFile()) {
        // The work is not on disk: stay open rather than lose it.
        event->ignore();
        return;
    }
    event->accept();
    QApplication::closeAllWindows();
}

void MainWindow::showBlockMenu(const QPoint& globalPos) {
    // END has no dialog to edit, but may be copied or deleted.
    mnuEdit->setEnabled(m_vars.CurrentKind != Kind::End);
    mnuRight->exec(globalPos);
}

void MainWindow::mnuCopy_Click() {
    if (m_panel->selectionExists()) m_platform.setClipboardText(m_panel->copyText());
}

void MainWindow::mnuDelete_Click() {
    if (!m_panel->selectionExists()) return;
    if (!m_platform.askYesNo(tr("Are you sure you want to delete this command line?"), tr("Are you sure?"))) return;
    m_history->record(tr("Delete Line"), [this] { m_panel->deleteLine(); });
    if (m_vars.LineCount == 0) {
        mnuSave->setEnabled(false);
        mnuReset->setEnabled(false);
    }
    refreshPanel();
}

void MainWindow::mnuEdit_Click() {
    m_history->record(tr("Edit Line"), [this] { lineeditor::editLine(*m_panel, m_platform, m_runner, this); });
    refreshPanel();
}

// ---- Undo and redo -----------------------------------------------------------------------------

QString MainWindow::addStepName(Kind k) {
    switch (k) {
    case Kind::Move:
        return tr("Add Move");
    case Kind::FileCall:
        return tr("Add File Call");
    case Kind::IfThen:
        return tr("Add IF..THEN");
    case Kind::Label:
        return tr("Add Label");
    case Kind::GoSub:
        return tr("Add GOSUB");
    case Kind::End:
        return tr("Add END");
    case Kind::Pause:
        return tr("Add PAUSE");
    case Kind::Variable:
        return tr("Add Variable");
    case Kind::Comment:
        return tr("Add Comment");
    case Kind::GoTo:
        return tr("Add GOTO");
    case Kind::Speed:
        return tr("Add Speed");
    case Kind::Input:
        return tr("Add INPUT");
    case Kind::Jog:
        return tr("Add Jog");
    case Kind::Blank:
        return tr("Add Command");
    case Kind::Return:
    case Kind::None:
        break;
    }
    return tr("Add Line");
}

void MainWindow::buildEditMenu() {
    auto* mnuEditMenu = new QMenu(tr("&Edit"), this);
    mnuEditMenu->setObjectName(QStringLiteral("mnuEditMenu"));
    QAction* mnuUndo = m_history->stack()->createUndoAction(mnuEditMenu, tr("&Undo"));
    QAction* mnuRedo = m_history->stack()->createRedoAction(mnuEditMenu, tr("&Redo"));
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    mnuRedo->setObjectName(QStringLiteral("mnuRedo"));
    mnuUndo->setShortcut(QKeySequence::Undo);
    mnuRedo->setShortcut(QKeySequence::Redo);
    mnuEditMenu->addAction(mnuUndo);
    mnuEditMenu->addAction(mnuRedo);
    // Between File and Mode.
    QAction* before = nullptr;
    for (QAction* a : menuBar()->actions())
        if (a->menu() && a->menu()->objectName() == QLatin1String("mnuMode")) before = a;
    menuBar()->insertMenu(before, mnuEditMenu);
    // Window-wide, so the shortcuts work wherever the focus is in the main window.
    addAction(mnuUndo);
    addAction(mnuRedo);

    connect(m_history->stack(), &QUndoStack::indexChanged, this, &MainWindow::historyChanged);
    connect(m_history->stack(), &QUndoStack::cleanChanged, this, &MainWindow::historyChanged);
    connect(m_history, &PanelHistory::restored, this, &MainWindow::programRestored);
}

void MainWindow::historyChanged() {
    // Unsaved work is exactly what lies between the last save and the present step.
    m_vars.FileSaved = m_history->isSaved();
    updateStatus();
}

void MainWindow::programRestored() {
    const bool lines = m_vars.LineCount > 0;
    mnuSave->setEnabled(lines);
    mnuReset->setEnabled(lines);
    refreshPanel();
}

void MainWindow::buildChecks() {
    // Both panes start hidden, so the window keeps its size and the panel its place until the
    // operator opens one.
    m_problemsPane = new ProblemsPane(this);
    m_textPane = new ProgramTextPane(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_problemsPane);
    addDockWidget(Qt::RightDockWidgetArea, m_textPane);
    m_problemsPane->hide();
    m_textPane->hide();
    connect(m_problemsPane, &ProblemsPane::rowChosen, this, &MainWindow::showFindingRow);

    QMenu* mnuView = new QMenu(tr("&View"), this);
    mnuView->setObjectName(QStringLiteral("mnuView"));
    QAction* problems = m_problemsPane->toggleViewAction();
    problems->setText(tr("&Problems"));
    problems->setObjectName(QStringLiteral("mnuProblems"));
    QAction* text = m_textPane->toggleViewAction();
    text->setText(tr("Part File &Text"));
    text->setObjectName(QStringLiteral("mnuPartFileText"));
    mnuView->addAction(problems);
    mnuView->addAction(text);
    // After Mode, before Help.
    QMenu* help = menuBar()->findChild<QMenu*>(QStringLiteral("mnuHelp"));
    menuBar()->insertMenu(help ? help->menuAction() : nullptr, mnuView);

    m_problemsCount = new QToolButton(this);
    m_problemsCount->setObjectName(QStringLiteral("problemsCount"));
    m_problemsCount->setAutoRaise(true);
    m_problemsCount->setToolTip(tr("Show the problems the checker found"));
    statusBar()->addPermanentWidget(m_problemsCount);
    connect(m_problemsCount, &QToolButton::clicked, this, [this] {
        m_problemsPane->show();
        m_problemsPane->raise();
    });

    // Every change ends in a refresh of the panel; the checks run once after a burst of them (a drag
    // refreshes at every move).
    m_checkTimer = new QTimer(this);
    m_checkTimer->setSingleShot(true);
    m_checkTimer->setInterval(0);
    connect(m_checkTimer, &QTimer::timeout, this, &MainWindow::updateChecks);
    connect(Picture1->panel(), &PanelView::refreshed, m_checkTimer, qOverload<>(&QTimer::start));
    updateChecks();
}

void MainWindow::updateChecks() {
    m_checkTimer->stop();
    m_findings = checker::check(*m_panel);

    QList<PanelHit> errors;
    for (const checker::Finding& f : m_findings) {
        if (f.severity != checker::Severity::Error || f.row < 1 || f.row > m_vars.LineCount) continue;
        const LineRow& r = m_vars.Lines[static_cast<std::size_t>(f.row)];
        errors << PanelHit{r.Kind, r.BlockIndex};
    }
    Picture1->panel()->setErrorBlocks(errors);
    m_problemsPane->setFindings(m_findings);

    // The text pane highlights the outlined block's line, else the block last pressed.
    PanelHit current = Picture1->panel()->outlined();
    if (!m_panel->exists(current.kind, current.index)) current = m_panel->pressedBlock();
    int currentRow = 0;
    for (int n = 1; n <= m_vars.LineCount && current; ++n) {
        const LineRow& r = m_vars.Lines[static_cast<std::size_t>(n)];
        if (r.Kind == current.kind && r.BlockIndex == current.index) currentRow = n;
    }
    m_textPane->view()->showProgram(*m_panel, currentRow);

    const int errorCount = checker::count(m_findings, checker::Severity::Error);
    const int warningCount = checker::count(m_findings, checker::Severity::Warning);
    m_problemsCount->setText((errorCount == 1 ? tr("1 error") : tr("%1 errors").arg(errorCount)) +
                             QStringLiteral(", ") +
                             (warningCount == 1 ? tr("1 warning") : tr("%1 warnings").arg(warningCount)));
}

void MainWindow::showFindingRow(int row) {
    Picture1->showRow(row);
    updateChecks();
}

namespace {

// Beside the other per-user settings: the window's own, never the program folder's shared file.
QString windowSettingsPath() {
    return QDir(userSettingsFolder()).filePath(QStringLiteral("window.ini"));
}

// Only a regular file of a sensible size is read or replaced: nothing blocks on a pipe or a device.
bool windowSettingsUsable() {
    const QFileInfo info(windowSettingsPath());
    if (info.isSymLink()) return false;
    return !info.exists() || (info.isFile() && info.size() <= 64 * 1024);
}

} // namespace

void MainWindow::restoreDocks() {
    if (!windowSettingsUsable()) return;
    const QSettings s(windowSettingsPath(), QSettings::IniFormat);
    restoreState(s.value(QStringLiteral("window/docks")).toByteArray());
}

void MainWindow::saveDocks() {
    if (!windowSettingsUsable()) return;
    QSettings s(windowSettingsPath(), QSettings::IniFormat);
    s.setValue(QStringLiteral("window/docks"), saveState());
}

// ---- Keyboard ----------------------------------------------------------------------------------

void MainWindow::buildKeyboard() {
    mnuSave->setShortcut(QKeySequence::Save);
    mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    addAction(mnuSave);
    addAction(mnuExit);

    const std::pair<Kind, QString> tips[] = {
        {Kind::Move, tr("Adds a move to a position")},
        {Kind::FileCall, tr("Adds a call of another part file")},
        {Kind::IfThen, tr("Adds an IF..THEN test")},
        {Kind::Label, tr("Adds a label for GOTO")},
        {Kind::GoSub, tr("Adds a GOSUB with its label and RETURN")},
        {Kind::End, tr("Adds an END line")},
        {Kind::Pause, tr("Adds a PAUSE")},
        {Kind::Variable, tr("Adds a variable definition")},
        {Kind::Comment, tr("Adds a comment line")},
        {Kind::GoTo, tr("Adds a GOTO")},
        {Kind::Speed, tr("Adds a speed setting")},
        {Kind::Input, tr("Adds an INPUT prompt")},
        {Kind::Jog, tr("Adds a jog")},
    };
    for (const auto& [k, tip] : tips)
        if (m_buttons[k] && m_buttons[k]->toolTip().isEmpty()) m_buttons[k]->setToolTip(tip);

    PanelView* view = Picture1->panel();
    connect(view, &PanelView::deleteRequested, this, &MainWindow::mnuDelete_Click);
    connect(view, &PanelView::editRequested, this, &MainWindow::mnuEdit_Click);
    connect(view, &PanelView::copyRequested, this, &MainWindow::mnuCopy_Click);
}

void MainWindow::showNewLine() {
    Picture1->panel()->setCurrentRow(m_vars.LineCount);
}

// ---- A window that grows -----------------------------------------------------------------------

namespace {
const QString WindowSizeKey = QStringLiteral("mainWindow/size");
} // namespace

void MainWindow::restoreWindowSize() {
    const QSize saved = QSettings().value(WindowSizeKey).toSize();
    resize(sizeHint().expandedTo(minimumSizeHint()));
    if (saved.isValid()) resize(saved.expandedTo(minimumSizeHint()));
}

void MainWindow::saveWindowSize() {
    // A maximised window keeps the size it had before, for the next start.
    QSettings().setValue(WindowSizeKey, isMaximized() ? normalGeometry().size() : size());
}

Kind MainWindow::toolboxKey(QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return Kind::None;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::AltModifier) return Kind::None;
    const Kind k = key->key() == Qt::Key_M ? Kind::Move : key->key() == Qt::Key_J ? Kind::Jog : Kind::None;
    return k != Kind::None && m_buttons[k] && m_buttons[k]->isVisible() ? k : Kind::None;
}

bool MainWindow::event(QEvent* event) {
    // "[M]oves" and "[J]ogs" promise Alt+M and Alt+J; the captions stay as they are. Key events the
    // focused widget leaves alone come up to the window. Alt+M would be the Mode menu's mnemonic:
    // accepting its shortcut override keeps the chord for the toolbox, and the menu stays reachable
    // with Alt, then M, as in every menu bar.
    if (const Kind k = toolboxKey(event); k != Kind::None) {
        event->accept();
        if (event->type() == QEvent::KeyPress) m_buttons[k]->click();
        return true;
    }
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize && Frame1 && Picture1)
        layoutToSize(centralWidget()->size());
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::layoutToSize(QSize client) {
    // The toolbox keeps its width and grows down; the panel's frame takes the rest, running a few
    // pixels below the client area as at the design size.
    const QSize extra = client - DesignSize;
    Frame1->resize(97, 633 + extra.height());
    Picture1->setGeometry(96, 0, 721 + extra.width(), 641 + extra.height());
}
