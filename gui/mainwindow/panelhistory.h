#pragma once

#include "core/program/programmodel.h"

#include <QObject>
#include <QUndoStack>

#include <functional>
#include <optional>

// What names the part file and what is kept of it beside the program: an Open changes it with the
// program, and undoing the Open changes it back, so that a save never writes one file's program
// under another file's name.
struct PartFileState {
    QString name, folder, title;
    QList<QByteArray> head, opening, tail;
    static PartFileState of(const modProgVar& v);
    void applyTo(modProgVar& v) const;
};

// The program's undo history: every change of the program is one step that holds the whole program
// before and after it (at most 100 lines, so a copy is cheap and never out of step with the table).
class PanelHistory : public QObject {
    Q_OBJECT

public:
    explicit PanelHistory(ProgramModel& model, QObject* parent = nullptr);

    QUndoStack* stack() { return &m_stack; }
    ProgramModel& model() { return m_model; }

    // Runs change and, when it changed the program, records it as one step with the given name.
    // True when a step was recorded.
    bool record(const QString& name, const std::function<void()>& change);
    // Records a change already made, starting from before (a drag starts long before its drop).
    bool recordSince(const QString& name, const ProgramModel::Snapshot& before);
    // Records an Open: the program and the part file before it, and as they are now.
    void recordOpen(const QString& name, const ProgramModel::Snapshot& before, const PartFileState& fileBefore);

    // Saving makes the present state the one that needs no save.
    void markSaved() { m_stack.setClean(); }
    bool isSaved() const { return m_stack.isClean(); }

Q_SIGNALS:
    // An undo or redo put another program on the panel.
    void restored();

private:
    friend class PanelStep;
    void apply(const ProgramModel::Snapshot& s, const std::optional<PartFileState>& file);

    ProgramModel& m_model;
    QUndoStack m_stack;
};
