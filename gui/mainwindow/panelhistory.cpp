#include "gui/mainwindow/panelhistory.h"

#include <QUndoCommand>

// One step: the program before and after. The change itself has already run when the step is pushed,
// so its first redo does nothing.
class PanelStep final : public QUndoCommand {
public:
    PanelStep(PanelHistory& history, const QString& name, ProgramModel::Snapshot before, ProgramModel::Snapshot after,
              std::optional<PartFileState> fileBefore = {}, std::optional<PartFileState> fileAfter = {})
        : QUndoCommand(name), m_history(history), m_before(std::move(before)), m_after(std::move(after)),
          m_fileBefore(std::move(fileBefore)), m_fileAfter(std::move(fileAfter)) {}

    void undo() override { m_history.apply(m_before, m_fileBefore); }
    void redo() override {
        if (m_first) {
            m_first = false;
            return;
        }
        m_history.apply(m_after, m_fileAfter);
    }

private:
    PanelHistory& m_history;
    ProgramModel::Snapshot m_before;
    ProgramModel::Snapshot m_after;
    std::optional<PartFileState> m_fileBefore; // only an Open changes the part file
    std::optional<PartFileState> m_fileAfter;
    bool m_first = true;
};

PartFileState PartFileState::of(const modProgVar& v) {
    return {v.PartFileName, v.PartFileFolder, v.PartFileTitle, v.KeptHead, v.KeptOpening, v.KeptTail};
}

void PartFileState::applyTo(modProgVar& v) const {
    v.PartFileName = name;
    v.PartFileFolder = folder;
    v.PartFileTitle = title;
    v.KeptHead = head;
    v.KeptOpening = opening;
    v.KeptTail = tail;
}

PanelHistory::PanelHistory(ProgramModel& model, QObject* parent) : QObject(parent), m_model(model) {
    m_stack.setObjectName(QStringLiteral("undoStack"));
}

bool PanelHistory::record(const QString& name, const std::function<void()>& change) {
    const ProgramModel::Snapshot before = m_model.snapshot();
    change();
    return recordSince(name, before);
}

bool PanelHistory::recordSince(const QString& name, const ProgramModel::Snapshot& before) {
    ProgramModel::Snapshot after = m_model.snapshot();
    // A dialog closed without Done, a drop onto the line's own row, a block left floating: nothing
    // that a save would write or an add would use has changed, so there is nothing to undo.
    if (!ProgramModel::programDiffers(before, after)) return false;
    m_stack.push(new PanelStep(*this, name, before, std::move(after)));
    return true;
}

void PanelHistory::recordOpen(const QString& name, const ProgramModel::Snapshot& before,
                              const PartFileState& fileBefore) {
    m_stack.push(new PanelStep(*this, name, before, m_model.snapshot(), fileBefore, PartFileState::of(m_model.vars())));
}

void PanelHistory::apply(const ProgramModel::Snapshot& s, const std::optional<PartFileState>& file) {
    m_model.restore(s);
    if (file) file->applyTo(m_model.vars());
    Q_EMIT restored();
}
