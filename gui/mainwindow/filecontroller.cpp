#include "gui/mainwindow/filecontroller.h"

#include "core/checker/checker.h"
#include "core/language/linesyntax.h"
#include "core/partfile/partname.h"
#include "core/usersettings.h"
#include "gui/document/partdocument.h"
#include "gui/headsmith/headsmithwindow.h"
#include "gui/mainwindow/firstrundialog.h"
#include "platform/platform.h"

#include <QDir>
#include <QFileInfo>

#include <new>

#include <utility>

namespace {

constexpr int RecentCount = 6;

// A File call names its file relative to the part file's folder unless it starts at a root or a drive.
bool isRelativeName(const QString& name) {
    if (name.isEmpty() || name.startsWith(u'/') || name.startsWith(u'\\')) return false;
    return !(name.size() >= 2 && name.at(1) == u':' && name.at(0).isLetter());
}

QString getStartedText() {
    return FileController::tr(
        " You'll start by selecting the name for your Assembled part file. If you're smart you will have already "
        "created a folder and put any additional part files in it that you're going to be calling, to make it easier "
        "to keep track of everything.");
}

QString changedOnDiskText() {
    return FileController::tr("The part file\n%1\nhas been changed by another program since it was opened or last "
                              "saved here.\n\nSave it anyway? The lines on the panel then replace its program lines, "
                              "and the changes made to them there are lost. Its header and closing block, as they "
                              "stand now, are kept.");
}

QString outOfMemoryText() {
    return FileController::tr("There was not enough memory to do this. Close other programs and try again.");
}

} // namespace

FileController::FileController(PartDocument& document, Platform& platform, UserSettings& settings, QWidget* window)
    : QObject(window), m_document(document), m_platform(platform), m_settings(settings), m_window(window) {}

settings::Places FileController::modePlaces() const {
    const QString program = m_platform.programFolder();
    return settings::locate(program, userSettingsFolder(), canCreateFilesIn(program));
}

std::optional<bool> FileController::storedMode() {
    const QString file = modePlaces().read;
    if (file.isEmpty()) return std::nullopt;
    return settings::selectsAdvanced(settings::readFirstLine(file));
}

void FileController::saveMode(bool advanced) {
    const FileResult result = settings::save(modePlaces(), advanced);
    if (!result.ok)
        m_platform.tell(tr("The toolbox mode could not be remembered:\n\n%1").arg(result.error),
                        tr("Settings not saved"), Platform::Icon::Warning);
}

bool FileController::start(bool firstRun) {
    // A part file named on the command line is chosen already: the first-run window, which explains
    // the name choice, has nothing to explain.
    if (!firstRun || openStartFile()) return openOrChoose();
    FirstRunDialog getStarted(
        getStartedText(), [this] { return openOrChoose(); }, m_window);
    m_runner(getStarted);
    // However the window went away, the name choice runs (once): the main window needs a part file.
    getStarted.chooseName();
    return getStarted.nameChosen();
}

bool FileController::openStartFile() {
    if (m_startFile.isEmpty()) return false;
    const QString file = std::exchange(m_startFile, QString());
    if (!openFile(file)) return false;
    m_document.undoStack()->clear(); // nothing before the first file to go back to
    m_started = true;
    return true;
}

bool FileController::openOrChoose() {
    if (m_started || openStartFile()) return true;
    const std::optional<QString> name = partname::chooseUntilNamed(m_platform);
    if (name) m_document.setFilePath(*name);
    return name.has_value();
}

bool FileController::save() {
    // Another program's changes to the file are not overwritten unasked.
    const bool changed = m_document.changedOnDisk();
    if (changed && !m_platform.askYesNo(changedOnDiskText().arg(m_document.filePath()), tr("Part file changed"),
                                        Platform::Icon::Warning))
        return false;
    FileResult result;
    try {
        result = m_document.save(changed);
    } catch (const std::bad_alloc&) {
        result = FileResult::failure(m_document.filePath(), outOfMemoryText());
    }
    if (!result.ok) {
        m_platform.tell(tr("The part file could not be saved:\n\n%1\n\nNothing on disk was changed, and "
                           "your lines are still here.")
                            .arg(result.error),
                        tr("Save failed"), Platform::Icon::Critical);
        return false;
    }
    if (m_platform.askYesNo(tr("Do you want to add a header to this file?"), tr("Add a header"))) {
        HeadsmithWindow header(m_document.filePath(), m_headerAnswers, m_platform, m_window);
        header.setPartFileEncoding(m_document.kept().encoding());
        m_runner(header);
        FileResult taken;
        try {
            taken = m_document.takeRewritten();
        } catch (const std::bad_alloc&) {
            taken = FileResult::failure(m_document.filePath(), outOfMemoryText());
        }
        if (!taken.ok)
            m_platform.tell(tr("The part file as Headsmith wrote it could not be read back:\n\n%1\n\nThe lines on the "
                               "panel are as they were; the next save asks before it replaces the file.")
                                .arg(taken.error),
                            tr("Part file not read"), Platform::Icon::Warning);
    }
    rememberRecent(m_document.filePath());
    return true;
}

bool FileController::saveAs() {
    const QString oldPath = m_document.filePath();
    const QString oldFolder = m_document.folder();
    const std::optional<QString> chosen = partname::choose(m_platform, oldFolder, m_document.fileName());
    if (!chosen) return false;
    m_document.setFilePath(*chosen);
    if (!save()) {
        // Not saved under the new name: the part file is still the old one.
        m_document.setFilePath(oldPath);
        return false;
    }
    if (m_document.folder() != oldFolder) reportMovedFileCalls(oldFolder);
    return true;
}

void FileController::reportMovedFileCalls(const QString& oldFolder) {
    QStringList missing;
    const ProgramModel& program = m_document.model();
    for (int n = 1; n <= program.lineCount(); ++n) {
        const ProgramLine line = program.line(n);
        if (line.kind != Kind::FileCall) continue;
        const QString called = linesyntax::fillFileCall(line.held).fileName;
        if (!isRelativeName(called)) continue;
        if (!QFileInfo::exists(QDir(m_document.folder()).filePath(called)))
            missing << tr("line %1: %2").arg(n).arg(line.held);
    }
    if (missing.isEmpty()) return;
    m_platform.tell(tr("The part file is now in\n%1\nbut these File call lines name files relative to the folder "
                       "it was in before,\n%2\nand the new folder has no such files:\n\n%3")
                        .arg(m_document.folder(), oldFolder, missing.join(u'\n')),
                    tr("Called files not found"), Platform::Icon::Warning);
}

bool FileController::askToSaveFirst() {
    if (!m_document.isModified()) return true;
    switch (m_platform.askYesNoCancel(tr("Save all your hard work?"), tr("Save???"))) {
    case Platform::Answer::Yes:
        return save();
    case Platform::Answer::No:
        return true;
    case Platform::Answer::Cancel:
        break;
    }
    return false;
}

bool FileController::openFile(const QString& path) {
    FileResult result;
    try {
        result = m_document.open(path);
    } catch (const std::bad_alloc&) {
        // Reading is bounded, so this is rare; the program goes on with what it had.
        result = FileResult::failure(path, outOfMemoryText());
    }
    if (!result.ok) {
        m_platform.tell(tr("The part file could not be opened:\n\n%1\n\nThe program on the panel was not changed.")
                            .arg(result.error),
                        tr("Open failed"), Platform::Icon::Warning);
        return false;
    }
    rememberRecent(m_document.filePath());
    Q_EMIT opened();
    return true;
}

void FileController::open() {
    if (!askToSaveFirst()) return;
    // Beside the part file open now, which is the folder the operator works in.
    const QString folder = m_document.folder();
    const bool own = !folder.isEmpty() && QFileInfo(folder).isDir();
    const std::optional<QString> chosen =
        m_platform.chooseOpenFile(tr("Open a part file"), own ? folder : m_platform.partsFolder(),
                                  own ? m_document.fileName() : QString(), partname::SaveFilter());
    if (chosen) openFile(*chosen);
}

void FileController::openRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        QStringList files = recentFiles();
        files.removeAll(path);
        m_settings.setRecentFiles(files);
        m_settings.save();
        Q_EMIT recentFilesChanged();
        m_platform.tell(
            tr("The part file\n%1\nis no longer there. It was taken off the list of recent files.").arg(path),
            tr("File not found"), Platform::Icon::Warning);
        return;
    }
    if (!askToSaveFirst()) return;
    openFile(path);
}

QStringList FileController::recentFiles() const {
    return m_settings.recentFiles().mid(0, RecentCount);
}

void FileController::rememberRecent(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    m_settings.setRecentFiles(files.mid(0, RecentCount));
    m_settings.save();
    Q_EMIT recentFilesChanged();
}
