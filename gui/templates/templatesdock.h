#pragma once

#include "core/templates/templatelibrary.h"

#include <QDockWidget>

class QTreeWidget;

// The Templates pane ("dockTemplates"): every template by name with its description, the built-in
// ones first. Double-click or Enter on one asks to insert it; a file of the user's that is no
// template is listed greyed, its reasons in its tool tip.
class TemplatesDock : public QDockWidget {
    Q_OBJECT
public:
    explicit TemplatesDock(QWidget* parent = nullptr);

    void setEntries(const QList<templates::Entry>& entries);
    QTreeWidget* list() const { return m_list; }
    // The entry of the current row, -1 for none.
    int currentEntry() const;

Q_SIGNALS:
    // An entry (an index into the entries set) was double-clicked or Enter was pressed on it.
    void activated(int entry);

private:
    QTreeWidget* m_list;
};
