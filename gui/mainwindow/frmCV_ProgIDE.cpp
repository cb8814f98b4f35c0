#include "gui/mainwindow/frmCV_ProgIDE.h"

#include "core/program/modUtils.h"
#include "core/program/partfile.h"
#include "core/settings.h"
#include "gui/about.h"
#include "gui/dialogs/modEdit.h"
#include "gui/headsmith/frmHeader.h"
#include "gui/mainwindow/frmGetStarted.h"
#include "gui/mainwindow/panelview.h"
#include "gui/mainwindow/programpanes.h"
#include "platform/platform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QTimer>
#include <QToolButton>

namespace {

QString getStartedText() {
    return frmCV_ProgIDE::tr(
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

QString refusalText(AddRefusal refusal, Kind k) {
    switch (refusal) {
    case AddRefusal::TableFull:
        return k == Kind::GoSub ? frmCV_ProgIDE::tr("A part file holds at most 100 lines, and a GOSUB needs room for "
                                                    "three more. Nothing was added.")
                                : frmCV_ProgIDE::tr("A part file holds at most 100 lines, and this one is full. "
                                                    "Nothing was added.");
    case AddRefusal::CounterFull:
        return frmCV_ProgIDE::tr("The limit for this kind of line is reached. Nothing was added.");
    case AddRefusal::PanelFull:
        return frmCV_ProgIDE::tr("The program panel has no row left below the last line. Drag the last line up onto "
                                 "an empty row, or save and start a new part file. Nothing was added.");
    case AddRefusal::None:
        break;
    }
    return {};
}

} // namespace

frmCV_ProgIDE::frmCV_ProgIDE(Platform& platform, QWidget* parent) : QMainWindow(parent), m_platform(platform) {
    setObjectName(QStringLiteral("frmCV_ProgIDE"));
    setWindowTitle(tr("Corvane Part File Stacker"));

    auto* central = new QWidget(this);
    central->setFixedSize(819, 635);
    setCentralWidget(central);

    m_panel = std::make_unique<PanelModel>(m_vars, &PanelView::labelWidth);

    buildToolbox(central);
    Picture1 = new PanelFrame(*m_panel, central);
    Picture1->setGeometry(96, 0, 721, 641);
    connect(Picture1->panel(), &PanelView::popupRequested, this, &frmCV_ProgIDE::showBlockMenu);
    buildMenus();
    buildChecks();
    setAdvanced(false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

frmCV_ProgIDE::~frmCV_ProgIDE() = default;

void frmCV_ProgIDE::buildToolbox(QWidget* central) {
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

void frmCV_ProgIDE::buildMenus() {
    QMenu* mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuReset = mnuFile->addAction(tr("&Reset"), this, &frmCV_ProgIDE::mnuReset_Click);
    mnuSave = mnuFile->addAction(tr("&Save"), this, &frmCV_ProgIDE::mnuSave_Click);
    mnuExit = mnuFile->addAction(tr("E&Xit"), this, &frmCV_ProgIDE::mnuExit_Click);
    mnuReset->setObjectName(QStringLiteral("mnuReset"));
    mnuSave->setObjectName(QStringLiteral("mnuSave"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    mnuReset->setEnabled(false);
    mnuSave->setEnabled(false);
    buildFileExtras(mnuFile);

    QMenu* mnuMode = menuBar()->addMenu(tr("&Mode"));
    mnuMode->setObjectName(QStringLiteral("mnuMode"));
    mnuBasic = mnuMode->addAction(tr("&Basic"), this, &frmCV_ProgIDE::mnuBasic_Click);
    mnuAdvanced = mnuMode->addAction(tr("&Advanced"), this, &frmCV_ProgIDE::mnuAdvanced_Click);
    mnuBasic->setObjectName(QStringLiteral("mnuBasic"));
    mnuAdvanced->setObjectName(QStringLiteral("mnuAdvanced"));
    mnuBasic->setCheckable(true);
    mnuAdvanced->setCheckable(true);

    QMenu* mnuHelp = menuBar()->addMenu(tr("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    QAction* mnuAbout = mnuHelp->addAction(tr("&About"), this, [this] {
        frmAbout about(this);
        m_runner(about);
    });
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));

    // The block pop-up menu is never in the menu bar.
    mnuRight = new QMenu(tr("&RightClick"), this);
    mnuRight->setObjectName(QStringLiteral("mnuRight"));
    mnuCopy = mnuRight->addAction(tr("&Copy"), this, &frmCV_ProgIDE::mnuCopy_Click);
    mnuDelete = mnuRight->addAction(tr("&Delete"), this, &frmCV_ProgIDE::mnuDelete_Click);
    mnuEdit = mnuRight->addAction(tr("&Edit"), this, &frmCV_ProgIDE::mnuEdit_Click);
    mnuCopy->setObjectName(QStringLiteral("mnuCopy"));
    mnuDelete->setObjectName(QStringLiteral("mnuDelete"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
}

bool frmCV_ProgIDE::Form_Load() {
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

settings::Places frmCV_ProgIDE::settingsPlaces() {
    const QString program = m_platform.programFolder();
    return settings::locate(program, userSettingsFolder(), canCreateFilesIn(program));
}

void frmCV_ProgIDE::StartUp() {
    const QString file = settingsPlaces().read;
    if (!file.isEmpty()) {
        if (settings::selectsAdvanced(settings::readFirstLine(file))) mnuAdvanced_Click();
        openOrChooseAtStart();
        return;
    }
    frmGetStarted getStarted(
        getStartedText(), [this] { return openOrChooseAtStart(); }, this);
    m_runner(getStarted);
    // However the window went away, the name choice runs (once): the main window needs a part file.
    getStarted.cmdGetStarted_Click();
}

void frmCV_ProgIDE::setAdvanced(bool advanced) {
    for (const KindInfo& info : kinds::Table)
        if (info.button && info.advanced && !info.basic) m_buttons[info.kind]->setVisible(advanced);
    mnuAdvanced->setChecked(advanced);
    mnuBasic->setChecked(!advanced);
}

void frmCV_ProgIDE::mnuAdvanced_Click() {
    setAdvanced(true);
}

void frmCV_ProgIDE::mnuBasic_Click() {
    setAdvanced(false);
}

void frmCV_ProgIDE::addLine(Kind k) {
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
        return;
    }
    if (k != Kind::FileCall || m_vars.FileChoiceState > 1)
        m_panel->add(k, m_vars.PerKind[k].Text, m_vars.InlineCommentText);
    lineAdded();
}

void frmCV_ProgIDE::lineAdded() {
    mnuSave->setEnabled(true);
    mnuReset->setEnabled(true);
    m_vars.FileSaved = false;
    refreshPanel();
}

void frmCV_ProgIDE::refreshPanel() {
    Picture1->panel()->refresh();
    updateStatus();
}

bool frmCV_ProgIDE::WriteFile() {
    const FileResult result = partfile::write(m_vars.PartFileName, *m_panel);
    if (!result.ok) {
        m_platform.tell(tr("The part file could not be saved:\n\n%1\n\nNothing on disk was changed, and "
                           "your lines are still here.")
                            .arg(result.error),
                        tr("Save failed"), Platform::Icon::Critical);
        return false;
    }
    if (m_platform.askYesNo(tr("Do you want to add a header to this file?"), tr("Add a header"))) {
        frmHeader header(m_vars, m_header, m_platform, this);
        m_runner(header);
        takeRewrittenFile();
    }
    m_vars.FileSaved = true;
    rememberRecent(m_vars.PartFileName);
    updateStatus();
    return true;
}

void frmCV_ProgIDE::SaveSettings() {
    saveDocks();
    const FileResult result = settings::save(settingsPlaces(), mnuAdvanced->isChecked());
    if (!result.ok)
        m_platform.tell(tr("The toolbox mode could not be remembered:\n\n%1").arg(result.error),
                        tr("Settings not saved"), Platform::Icon::Warning);
}

void frmCV_ProgIDE::ResetProgram() {
    m_panel->reset();
    refreshPanel();
}

void frmCV_ProgIDE::mnuSave_Click() {
    WriteFile();
}

void frmCV_ProgIDE::mnuReset_Click() {
    ResetProgram();
}

void frmCV_ProgIDE::mnuExit_Click() {
    close();
}

void frmCV_ProgIDE::closeEvent(QCloseEvent* event) {
    if (!m_started) {
        event->accept();
        return;
    }
    SaveSettings();
    if (!m_vars.FileSaved && m_platform.askYesNo(tr("Save all your hard work?"), tr("Save???")) && !WriteFile()) {
        // The work is not on disk: stay open rather than lose it.
        event->ignore();
        return;
    }
    event->accept();
    QApplication::closeAllWindows();
}

void frmCV_ProgIDE::showBlockMenu(const QPoint& globalPos) {
    // END has no dialog to edit, but may be copied or deleted.
    mnuEdit->setEnabled(m_vars.CurrentKind != Kind::End);
    mnuRight->exec(globalPos);
}

void frmCV_ProgIDE::mnuCopy_Click() {
    if (m_panel->selectionExists()) m_platform.setClipboardText(m_panel->copyText());
}

void frmCV_ProgIDE::mnuDelete_Click() {
    if (!m_panel->selectionExists()) return;
    if (!m_platform.askYesNo(tr("Are you sure you want to delete this command line?"), tr("Are you sure?"))) return;
    m_panel->deleteLine();
    if (m_vars.LineCount == 0) {
        mnuSave->setEnabled(false);
        mnuReset->setEnabled(false);
    }
    refreshPanel();
}

void frmCV_ProgIDE::mnuEdit_Click() {
    modEdit::EditLine(*m_panel, m_platform, m_runner, this);
    refreshPanel();
}

void frmCV_ProgIDE::buildChecks() {
    // Both panes start hidden, so the window keeps its size and the panel its place until the
    // operator opens one.
    m_problemsPane = new ProblemsPane(this);
    m_textPane = new ProgramTextPane(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_problemsPane);
    addDockWidget(Qt::RightDockWidgetArea, m_textPane);
    m_problemsPane->hide();
    m_textPane->hide();
    connect(m_problemsPane, &ProblemsPane::rowChosen, this, &frmCV_ProgIDE::showFindingRow);

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
    connect(m_checkTimer, &QTimer::timeout, this, &frmCV_ProgIDE::updateChecks);
    connect(Picture1->panel(), &PanelView::refreshed, m_checkTimer, qOverload<>(&QTimer::start));
    updateChecks();
}

void frmCV_ProgIDE::updateChecks() {
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

void frmCV_ProgIDE::showFindingRow(int row) {
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

void frmCV_ProgIDE::restoreDocks() {
    if (!windowSettingsUsable()) return;
    const QSettings s(windowSettingsPath(), QSettings::IniFormat);
    restoreState(s.value(QStringLiteral("window/docks")).toByteArray());
}

void frmCV_ProgIDE::saveDocks() {
    if (!windowSettingsUsable()) return;
    QSettings s(windowSettingsPath(), QSettings::IniFormat);
    s.setValue(QStringLiteral("window/docks"), saveState());
}
