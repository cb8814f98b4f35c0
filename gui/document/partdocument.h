#pragma once

#include "core/panel/programmodel.h"
#include "core/partfile/partfile.h"
#include "core/textfile.h"

#include <QObject>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <optional>

struct ComposedLine;

// The part file being assembled: the program, the file it is saved as, the lines kept from the file
// it was opened from, and the undo history. Every change of the program goes through here and is one
// undo step; whether there is unsaved work is the undo stack's clean state and nothing else.
class PartDocument : public QObject {
    Q_OBJECT

public:
    explicit PartDocument(ProgramModel::LabelWidth labelWidth, QObject* parent = nullptr);
    ~PartDocument() override;

    ProgramModel& model() { return m_model; }
    const ProgramModel& model() const { return m_model; }
    QUndoStack* undoStack() { return &m_undo; }

    // The part file: its full path (native separators), empty before a name is chosen; its folder
    // (up to and including the last separator) and its name alone.
    QString filePath() const { return m_file.path; }
    QString folder() const;
    QString fileName() const;
    const KeptLines& kept() const { return m_file.kept; }
    // Unsaved work: anything done since the last save or open.
    bool isModified() const { return !m_undo.isClean(); }

    // A name chosen for the part file (at start-up, or by Save As after the save succeeded).
    void setFilePath(const QString& path);

    // ---- Changes, each one undo step (named for the Edit menu); false when nothing changed ----
    // Adds the line a dialog composed (a GOSUB with its label and RETURN); END needs no dialog.
    bool addLine(Kind k, const ComposedLine& line);
    // New texts for a line's block (a free command: its whole text).
    bool editLine(PanelHit block, const QString& held, const QString& comment);
    // Deletes the selected line.
    bool removeSelectedLine();
    // Moves a line one row up or down; the row it stands in afterwards.
    int moveLine(int row, int step);
    // Inserts lines (as File > Open reads them) so that the first stands in the given row (1 to
    // lineCount + 1), as one step called undoName. False, with nothing changed, when the model refuses
    // them: ask ProgramModel::canInsert first to tell the user why.
    bool insertLines(int row, const std::vector<LoadedLine>& lines, const QString& undoName);
    // A change made on the model directly since before, as a drag and drop does.
    bool recordChange(const QString& name, const ProgramModel::Snapshot& before);
    void reset();

    // ---- Files ----
    // Reads a part file onto the panel and makes it the part file, as one undo step that also gives
    // the earlier name and kept lines back; what was opened is what is on disk, so nothing is
    // unsaved. The error names the file and the reason when it cannot be read; nothing then changes.
    FileResult open(const QString& path);
    // Whether the part file on disk was changed by another program since it was read or last saved.
    bool changedOnDisk() const;
    // Writes the program to the part file; on success nothing is unsaved. A part file changed on disk
    // since it was read or saved is replaced only when replaceChanged says so, keeping the header and
    // closing block as they now stand in it; otherwise nothing is written and the error says why.
    FileResult save(bool replaceChanged = false);
    // After Headsmith rewrote the saved file: its new header and closing block become the kept lines,
    // or (when its program lines are no longer the panel's) the whole file goes onto the panel. When
    // the file cannot be read back the kept lines stay those of the file as saved, so the next save
    // sees the file as changed and asks before replacing it.
    FileResult takeRewritten();

Q_SIGNALS:
    // The program changed (an edit, an undo, an open): views refresh.
    void changed();
    void modifiedChanged(bool modified);
    // An undo or redo put another program on the panel.
    void restored();
    void filePathChanged();

private:
    // What names the part file and what is kept of it beside the program: an Open changes it with the
    // program, and undoing the Open changes it back, so that a save never writes one file's program
    // under another file's name.
    struct FileState {
        QString path;
        KeptLines kept;
    };
    class Step;

    // Runs change and, when it changed the program, records it as one step.
    bool record(const QString& name, const std::function<void()>& change);
    void apply(const ProgramModel::Snapshot& program, const std::optional<FileState>& file);

    ProgramModel m_model;
    FileState m_file;
    QUndoStack m_undo;
};
