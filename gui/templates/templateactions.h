#pragma once

#include "core/templates/templatelibrary.h"
#include "gui/dialogs/commanddialog.h"
#include "gui/templates/templatesdock.h"

#include <QObject>

class MainActions;
class PanelView;
class PartDocument;
class QMainWindow;

// Insert > Template..., the Templates pane and File > Save as Template...: the templates offered are
// the built-in ones and those in the user's templates folder, read afresh whenever they are shown.
class TemplateActions : public QObject {
    Q_OBJECT
public:
    // runner is the window's own, so a test's runner reaches these dialogs too.
    TemplateActions(QMainWindow& window, PartDocument& document, PanelView& panel, Platform& platform,
                    const DialogRunner& runner);

    TemplatesDock* dock() const { return m_dock; }
    void connectTo(MainActions& actions);

    // The form for a template (an index into the library, -1 for the pane's current one), then its
    // lines after the selected line (at the end when none is selected), as one undo step.
    void insertTemplate(int entry = -1);
    // Part of the program written to the user's templates folder.
    void saveAsTemplate();
    // Reads the templates folder again and lists what is there.
    void reload();
    const QList<templates::Entry>& entries() const { return m_entries; }
    // The row the first inserted line takes: below the selected line, else at the end.
    int insertionRow() const;

private:
    QMainWindow& m_window;
    PartDocument& m_document;
    PanelView& m_panel;
    Platform& m_platform;
    const DialogRunner& m_runner;
    MainActions* m_actions = nullptr;
    TemplatesDock* m_dock = nullptr;
    QList<templates::Entry> m_entries;
};
