#pragma once

#include "core/program/panelmodel.h"

#include <QObject>
#include <QUndoStack>

#include <functional>

// The program's undo history: every change of the program is one step that holds the whole program
// before and after it (at most 100 lines, so a copy is cheap and never out of step with the table).
class PanelHistory : public QObject {
    Q_OBJECT

public:
    explicit PanelHistory(PanelModel& model, QObject* parent = nullptr);

    QUndoStack* stack() { return &m_stack; }
    PanelModel& model() { return m_model; }

    // Runs change and, when it changed the program, records it as one step with the given name.
    // True when a step was recorded.
    bool record(const QString& name, const std::function<void()>& change);
    // Records a change already made, starting from before (a drag starts long before its drop).
    bool recordSince(const QString& name, const PanelModel::Snapshot& before);

    // Saving makes the present state the one that needs no save.
    void markSaved() { m_stack.setClean(); }
    bool isSaved() const { return m_stack.isClean(); }

Q_SIGNALS:
    // An undo or redo put another program on the panel.
    void restored();

private:
    friend class PanelStep;
    void apply(const PanelModel::Snapshot& s);

    PanelModel& m_model;
    QUndoStack m_stack;
};
