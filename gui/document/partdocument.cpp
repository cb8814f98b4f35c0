#include "gui/document/partdocument.h"

#include "core/partfile/partfilereader.h"
#include "gui/dialogs/commanddialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUndoCommand>

#include <algorithm>

// One step: the program before and after, and for an Open the part file too. The change itself has
// already run when the step is pushed, so its first redo does nothing.
class PartDocument::Step final : public QUndoCommand {
public:
    Step(PartDocument& document, const QString& name, ProgramModel::Snapshot before, ProgramModel::Snapshot after,
         std::optional<FileState> fileBefore = {}, std::optional<FileState> fileAfter = {})
        : QUndoCommand(name), m_document(document), m_before(std::move(before)), m_after(std::move(after)),
          m_fileBefore(std::move(fileBefore)), m_fileAfter(std::move(fileAfter)) {}

    void undo() override { m_document.apply(m_before, m_fileBefore); }
    void redo() override {
        if (m_first) {
            m_first = false;
            return;
        }
        m_document.apply(m_after, m_fileAfter);
    }

private:
    PartDocument& m_document;
    ProgramModel::Snapshot m_before;
    ProgramModel::Snapshot m_after;
    std::optional<FileState> m_fileBefore; // only an Open changes the part file
    std::optional<FileState> m_fileAfter;
    bool m_first = true;
};

namespace {

// Each step holds two snapshots of the program, some 35 KB with all 100 lines: a thousand steps keep
// the history under about 35 MB however long a session runs. The oldest steps go first; once the saved state has
// gone with them the stack has no clean state left, so the work stays unsaved until the next save.
constexpr int UndoLimit = 1000;

} // namespace

PartDocument::PartDocument(ProgramModel::LabelWidth labelWidth, QObject* parent)
    : QObject(parent), m_model(std::move(labelWidth)) {
    m_undo.setObjectName(QStringLiteral("undoStack"));
    // Before any step is pushed: the stack takes a limit only while it is empty.
    m_undo.setUndoLimit(UndoLimit);
    connect(&m_undo, &QUndoStack::cleanChanged, this, [this](bool clean) { Q_EMIT modifiedChanged(!clean); });
}

// The stack goes first: its steps refer to this document.
PartDocument::~PartDocument() {
    m_undo.blockSignals(true);
    m_undo.clear();
}

QString PartDocument::folder() const {
    return m_file.path.left(m_file.path.lastIndexOf(QDir::separator()) + 1);
}

QString PartDocument::fileName() const {
    return m_file.path.mid(m_file.path.lastIndexOf(QDir::separator()) + 1);
}

void PartDocument::setFilePath(const QString& path) {
    if (path == m_file.path) return;
    m_file.path = path;
    Q_EMIT filePathChanged();
}

bool PartDocument::record(const QString& name, const std::function<void()>& change) {
    const ProgramModel::Snapshot before = m_model.snapshot();
    change();
    return recordChange(name, before);
}

bool PartDocument::recordChange(const QString& name, const ProgramModel::Snapshot& before) {
    ProgramModel::Snapshot after = m_model.snapshot();
    // A dialog closed without Done, a drop onto the line's own row, a block left floating: nothing
    // that a save would write or an add would use has changed, so there is nothing to undo.
    const bool changedProgram = ProgramModel::programDiffers(before, after);
    if (changedProgram) m_undo.push(new Step(*this, name, before, std::move(after)));
    Q_EMIT changed();
    return changedProgram;
}

void PartDocument::apply(const ProgramModel::Snapshot& program, const std::optional<FileState>& file) {
    m_model.restore(program);
    if (file) {
        const bool renamed = file->path != m_file.path;
        m_file = *file;
        if (renamed) Q_EMIT filePathChanged();
    }
    Q_EMIT changed();
    Q_EMIT restored();
}

bool PartDocument::addLine(Kind k, const ComposedLine& line) {
    const QString name = QCoreApplication::translate("Undo", kinds::info(k).addStep);
    if (k == Kind::GoSub) return record(name, [&] { m_model.addGoSub(line.held, line.goSubLabel); });
    return record(name, [&] { m_model.add(k, line.held, line.comment); });
}

bool PartDocument::insertLines(int row, const std::vector<LoadedLine>& lines, const QString& undoName) {
    return record(undoName, [&] { m_model.insert(row, lines); });
}

bool PartDocument::editLine(PanelHit block, const QString& held, const QString& comment) {
    return record(QCoreApplication::translate("Undo", "Edit Line"), [&] {
        if (block.kind == Kind::Blank)
            m_model.setBlankText(block.index, held);
        else
            m_model.setCaptions(block.kind, block.index, held, comment, true);
    });
}

bool PartDocument::removeSelectedLine() {
    return record(QCoreApplication::translate("Undo", "Delete Line"), [this] { m_model.deleteLine(); });
}

int PartDocument::moveLine(int row, int step) {
    int now = row;
    record(QCoreApplication::translate("Undo", "Move Line"), [&] { now = m_model.moveLine(row, step); });
    return now;
}

void PartDocument::reset() {
    record(QCoreApplication::translate("Undo", "Reset"), [this] { m_model.reset(); });
}

FileResult PartDocument::open(const QString& path) {
    const QString name = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    const partfilereader::ReadResult result = partfilereader::readFile(name);
    const ProgramModel::Snapshot before = m_model.snapshot();
    if (!result.ok) return {false, result.error};
    if (!m_model.load(result.lines)) return {false, name};
    const FileState fileBefore = m_file;
    m_file = {name, result.kept};
    // One step, which undo takes back with the part file's name; what was opened is what is on disk.
    m_undo.push(new Step(*this, QCoreApplication::translate("Undo", "Open File"), before, m_model.snapshot(),
                         fileBefore, m_file));
    m_undo.setClean();
    if (fileBefore.path != m_file.path) Q_EMIT filePathChanged();
    Q_EMIT changed();
    return {};
}

bool PartDocument::changedOnDisk() const {
    const KeptFile* kept = m_file.kept.file.get();
    if (!kept || kept->path != m_file.path) return false;
    const FileIdentity now = FileIdentity::of(m_file.path);
    return now.exists() && now != kept->identity;
}

FileResult PartDocument::save(bool replaceChanged) {
    KeptLines kept = m_file.kept;
    const bool inPlace = kept.file && kept.file->path == m_file.path;
    if (inPlace && changedOnDisk()) {
        if (!replaceChanged)
            return FileResult::failure(m_file.path,
                                       tr("The file was changed by another program since it was read or last saved "
                                          "here; nothing was written."));
        // The header and closing block are Headsmith's: those the file holds now are kept.
        const partfilereader::ReadResult now = partfilereader::readKept(m_file.path);
        if (!now.ok) return {false, now.error};
        kept = now.kept;
    }
    KeptFile written;
    const FileResult result = partfile::write(m_file.path, m_model, kept, &written);
    if (!result.ok) return result;
    // The kept parts now lie elsewhere in the file just replaced: every holder of them (an undo step
    // too) finds them there. Written under another name, they are that file's from now on.
    if (inPlace && kept.file == m_file.kept.file)
        *kept.file = std::move(written);
    else
        m_file.kept.file = std::make_shared<KeptFile>(std::move(written));
    m_undo.setClean();
    Q_EMIT changed();
    return result;
}

FileResult PartDocument::takeRewritten() {
    const partfilereader::ReadResult result = partfilereader::readFile(m_file.path);
    if (!result.ok) return {false, result.error};
    if (!partfilereader::sameProgram(result, m_model) && !m_model.load(result.lines)) return {false, m_file.path};
    m_file.kept = result.kept;
    Q_EMIT changed();
    return {};
}
