// The main window's file commands beyond Save: Open, Save As, the recent files, the part file named
// on the command line, and the status bar that says which file is open and whether it is saved.
#include "core/program/linesyntax.h"
#include "core/program/partfilereader.h"
#include "core/program/partname.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/mainwindow/panelhistory.h"
#include "gui/mainwindow/panelview.h"
#include "platform/platform.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>

#include <functional>
#include <utility>

namespace {

const QString RecentKey = QStringLiteral("RecentFiles");
constexpr int RecentCount = 6;

// A File call names its file relative to the part file's folder unless it starts at a root or a drive.
bool isRelativeName(const QString& name) {
    if (name.isEmpty() || name.startsWith(u'/') || name.startsWith(u'\\')) return false;
    return !(name.size() >= 2 && name.at(1) == u':' && name.at(0).isLetter());
}

// Calls back once a mouse release on the watched widget has been handled.
class ReleaseWatcher final : public QObject {
public:
    ReleaseWatcher(std::function<void()> then, QObject* parent) : QObject(parent), m_then(std::move(then)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) QMetaObject::invokeMethod(this, m_then, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_then;
};

} // namespace

void MainWindow::buildFileExtras(QMenu* file) {
    mnuOpen = new QAction(tr("&Open..."), this);
    mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    mnuOpen->setShortcut(QKeySequence::Open);
    connect(mnuOpen, &QAction::triggered, this, &MainWindow::mnuOpen_Click);
    mnuSaveAs = new QAction(tr("Save &As..."), this);
    mnuSaveAs->setObjectName(QStringLiteral("mnuSaveAs"));
    connect(mnuSaveAs, &QAction::triggered, this, &MainWindow::mnuSaveAs_Click);
    mnuRecent = new QMenu(tr("Recent &Files"), this);
    mnuRecent->setObjectName(QStringLiteral("mnuRecent"));

    const QList<QAction*> items = file->actions();
    file->insertAction(items.value(0), mnuOpen);
    QAction* exit = items.isEmpty() ? nullptr : items.constLast();
    file->insertAction(exit, mnuSaveAs);
    file->insertMenu(exit, mnuRecent);
    file->insertSeparator(exit);
    fillRecentMenu();

    m_statusPath = new QLabel(this);
    m_statusPath->setObjectName(QStringLiteral("lblStatusPath"));
    // A long path is cut at the window's edge rather than widening the window.
    m_statusPath->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(m_statusPath, 1);
    // A drop can change the order, which is unsaved work; the status follows once it is handled.
    Picture1->panel()->installEventFilter(new ReleaseWatcher([this] { updateStatus(); }, this));
    updateStatus();
}

QString MainWindow::statusText() const {
    if (m_vars.PartFileName.isEmpty()) return {};
    return m_vars.FileSaved ? m_vars.PartFileName : tr("%1    Modified").arg(m_vars.PartFileName);
}

void MainWindow::updateStatus() {
    if (m_statusPath) m_statusPath->setText(statusText());
}

bool MainWindow::askToSaveFirst() {
    if (m_vars.FileSaved || !m_platform.askYesNo(tr("Save all your hard work?"), tr("Save???"))) return true;
    return WriteFile();
}

bool MainWindow::openPartFile(const QString& path) {
    const QString name = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    const partfilereader::ReadResult result = partfilereader::readFile(name);
    const ProgramModel::Snapshot before = m_panel->snapshot();
    const PartFileState fileBefore = PartFileState::of(m_vars);
    if (!result.ok || !partfilereader::apply(result, *m_panel)) {
        m_platform.tell(tr("The part file could not be opened:\n\n%1\n\nThe program on the panel was not changed.")
                            .arg(result.ok ? name : result.error),
                        tr("Open failed"), Platform::Icon::Warning);
        return false;
    }
    m_vars.PartFileName = name;
    const qsizetype cut = name.lastIndexOf(QDir::separator()) + 1;
    m_vars.PartFileFolder = name.left(cut);
    m_vars.PartFileTitle = name.mid(cut);
    m_vars.PartNameState = PartName::Chosen;
    // One step, which undo takes back with the part file's name; what was opened is what is on disk.
    m_history->recordOpen(tr("Open File"), before, fileBefore);
    m_history->markSaved();
    m_vars.FileSaved = true;
    mnuSave->setEnabled(true);
    mnuReset->setEnabled(m_vars.LineCount > 0);
    rememberRecent(name);
    refreshPanel();
    return true;
}

void MainWindow::mnuOpen_Click() {
    if (!askToSaveFirst()) return;
    const std::optional<QString> chosen =
        m_platform.chooseOpenFile(tr("Open a part file"), m_platform.partsFolder(), QString(), partname::SaveFilter());
    if (chosen) openPartFile(*chosen);
}

void MainWindow::mnuSaveAs_Click() {
    const QString oldName = m_vars.PartFileName;
    const QString oldFolder = m_vars.PartFileFolder;
    const QString oldTitle = m_vars.PartFileTitle;
    partname::ChoosePartFile(m_vars, m_platform);
    const bool chosen = m_vars.PartNameState == PartName::Chosen;
    m_vars.PartNameState = PartName::Chosen;
    if (!chosen) return;
    if (!WriteFile()) {
        // Not saved under the new name: the part file is still the old one.
        m_vars.PartFileName = oldName;
        m_vars.PartFileFolder = oldFolder;
        m_vars.PartFileTitle = oldTitle;
        updateStatus();
        return;
    }
    mnuSave->setEnabled(true);
    if (m_vars.PartFileFolder != oldFolder) reportMovedFileCalls(oldFolder);
}

void MainWindow::reportMovedFileCalls(const QString& oldFolder) {
    QStringList missing;
    for (int n = 1; n <= m_vars.LineCount; ++n) {
        const LineRow& row = m_vars.Lines[static_cast<std::size_t>(n)];
        if (row.Kind != Kind::FileCall) continue;
        const QString held = m_panel->heldText(row.Kind, row.BlockIndex);
        const QString called = linesyntax::fillFileCall(held).fileName;
        if (!isRelativeName(called)) continue;
        if (!QFileInfo::exists(QDir(m_vars.PartFileFolder).filePath(called)))
            missing << tr("line %1: %2").arg(n).arg(held);
    }
    if (missing.isEmpty()) return;
    m_platform.tell(tr("The part file is now in\n%1\nbut these File call lines name files relative to the folder "
                       "it was in before,\n%2\nand the new folder has no such files:\n\n%3")
                        .arg(m_vars.PartFileFolder, oldFolder, missing.join(u'\n')),
                    tr("Called files not found"), Platform::Icon::Warning);
}

QStringList MainWindow::recentFiles() {
    QStringList files = QSettings().value(RecentKey).toStringList();
    files.removeAll(QString());
    return files.mid(0, RecentCount);
}

void MainWindow::rememberRecent(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    QSettings().setValue(RecentKey, files.mid(0, RecentCount));
    fillRecentMenu();
}

void MainWindow::fillRecentMenu() {
    if (!mnuRecent) return;
    mnuRecent->clear();
    const QStringList files = recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        QAction* item = mnuRecent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(files.at(i)));
        item->setObjectName(QStringLiteral("mnuRecent_%1").arg(i + 1));
        const QString path = files.at(i);
        connect(item, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    mnuRecent->setEnabled(!files.isEmpty());
}

void MainWindow::openRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        QStringList files = recentFiles();
        files.removeAll(path);
        QSettings().setValue(RecentKey, files);
        fillRecentMenu();
        m_platform.tell(
            tr("The part file\n%1\nis no longer there. It was taken off the list of recent files.").arg(path),
            tr("File not found"), Platform::Icon::Warning);
        return;
    }
    if (!askToSaveFirst()) return;
    openPartFile(path);
}

void MainWindow::takeRewrittenFile() {
    if (partfilereader::takeRewritten(partfilereader::readFile(m_vars.PartFileName), *m_panel)) refreshPanel();
}

bool MainWindow::openOrChooseAtStart() {
    if (!m_startFile.isEmpty()) {
        const QString file = std::exchange(m_startFile, QString());
        if (openPartFile(file)) {
            m_history->stack()->clear(); // nothing before the first file to go back to
            return true;
        }
    }
    const bool named = partname::ChooseUntilNamed(m_vars, m_platform);
    updateStatus(); // the chosen name, from the start
    return named;
}
