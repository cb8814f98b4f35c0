#include "gui/templates/templateactions.h"

#include "core/partfile/partfile.h"
#include "gui/document/partdocument.h"
#include "gui/mainwindow/mainactions.h"
#include "gui/mainwindow/panelview.h"
#include "gui/templates/savetemplatedialog.h"
#include "gui/templates/templateform.h"
#include "gui/templates/templatesdock.h"
#include "platform/regularfile.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>

TemplateActions::TemplateActions(QMainWindow& window, PartDocument& document, PanelView& panel, Platform& platform,
                                 const DialogRunner& runner)
    : QObject(&window), m_window(window), m_document(document), m_panel(panel), m_platform(platform), m_runner(runner) {
    m_dock = new TemplatesDock(&window);
    window.addDockWidget(Qt::RightDockWidgetArea, m_dock);
    m_dock->hide();
    connect(m_dock, &TemplatesDock::activated, this, [this](int entry) { insertTemplate(entry); });
    connect(m_dock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) reload();
    });
}

void TemplateActions::connectTo(MainActions& actions) {
    m_actions = &actions;
    connect(actions.insertTemplate, &QAction::triggered, this, [this] { insertTemplate(); });
    connect(actions.saveTemplate, &QAction::triggered, this, &TemplateActions::saveAsTemplate);
    const auto follow = [this] { m_actions->saveTemplate->setEnabled(m_document.model().lineCount() > 0); };
    connect(&m_document, &PartDocument::changed, this, follow);
    follow();
}

void TemplateActions::reload() {
    m_entries = templates::library(userTemplatesFolder());
    m_dock->setEntries(m_entries);
}

int TemplateActions::insertionRow() const {
    const ProgramModel& model = m_document.model();
    if (const int current = model.currentRow()) return current + 1;
    // Lines after a closing END would never run: with no line chosen, the template goes before it.
    const int last = model.lineCount();
    return last > 0 && model.line(last).kind == Kind::End ? last : last + 1;
}

void TemplateActions::insertTemplate(int entry) {
    if (entry < 0) entry = m_dock->currentEntry();
    // A file may have been added, changed or removed since the list was read.
    const QString chosenPath = entry >= 0 && entry < m_entries.size() ? m_entries[entry].path : QString();
    const QString chosenName = entry >= 0 && entry < m_entries.size() ? m_entries[entry].t.name : QString();
    reload();
    QList<templates::Template> choices;
    int chosen = 0;
    for (const templates::Entry& e : m_entries) {
        if (!e.errors.isEmpty()) continue;
        if (e.path == chosenPath && e.t.name == chosenName) chosen = static_cast<int>(choices.size());
        choices << e.t;
    }

    const ProgramModel& model = m_document.model();
    const int row = insertionRow();
    const QString title = tr("No room for the template");
    if (model.insertRoom(row) == 0) {
        m_platform.tell(tr("A part file holds at most 100 lines, and this one is full. Nothing was inserted."), title,
                        Platform::Icon::Information);
        return;
    }
    TemplateForm form(choices, chosen, row <= model.lineCount() ? row - 1 : 0, &m_window);
    if (!m_runner(form) || !form.result()) return;
    // A template inserted twice, or made from lines of the program, would define its labels again.
    const QStringList lines =
        templates::renameLabels(*form.result(), templates::labelKeys(partfile::programLines(model).mid(3)));

    const partfilereader::ReadResult read = templates::readLines(lines);
    if (!read.ok) {
        m_platform.tell(read.error, tr("Template not inserted"), Platform::Icon::Warning);
        return;
    }
    const auto count = static_cast<int>(read.lines.size());
    const int room = model.insertRoom(row);
    switch (model.canInsert(row, read.lines)) {
    case AddRefusal::None:
        break;
    case AddRefusal::TableFull:
        m_platform.tell(tr("The template gives %1 lines, but a part file holds at most %2 lines: %3 more fit in this "
                           "one. Nothing was inserted.")
                            .arg(count)
                            .arg(ProgramModel::MaxLines)
                            .arg(room),
                        title, Platform::Icon::Information);
        return;
    case AddRefusal::PanelFull:
        m_platform.tell(tr("The template gives %1 lines, but the program panel has rows for %2 more there. Drag the "
                           "last line up onto an empty row and try again. Nothing was inserted.")
                            .arg(count)
                            .arg(room),
                        title, Platform::Icon::Information);
        return;
    case AddRefusal::CounterFull:
        m_platform.tell(tr("The limit for one kind of line would be passed. Nothing was inserted."), title,
                        Platform::Icon::Information);
        return;
    }
    if (!m_document.insertLines(row, read.lines, QCoreApplication::translate("Undo", "Insert Template"))) return;
    if (m_actions) {
        m_actions->save->setEnabled(true);
        m_actions->reset->setEnabled(true);
    }
    m_panel.setCurrentRow(row + count - 1);
}

void TemplateActions::saveAsTemplate() {
    const QString folder = userTemplatesFolder();
    // The lines as Save writes them, without the opening lines.
    const QStringList lines = partfile::programLines(m_document.model()).mid(3);
    if (lines.isEmpty()) return;
    SaveTemplateDialog dialog(lines, folder, &m_window);
    if (!m_runner(dialog) || !dialog.result()) return;
    const TemplateToSave& t = *dialog.result();
    // A link among the templates could lead to the open part file.
    if (regularfile::sameFile(t.path, m_document.filePath())) {
        m_platform.tell(tr("The template would replace the part file itself:\n%1\n\nNothing was saved.")
                            .arg(QDir::toNativeSeparators(t.path)),
                        tr("Template not saved"), Platform::Icon::Warning);
        return;
    }
    if (QFileInfo::exists(t.path) &&
        !m_platform.askYesNo(tr("There is a template called %1 already. Replace it?").arg(t.name),
                             tr("Replace the template?"), Platform::Icon::Question))
        return;
    // Its labels get names of their own, so that inserting it where its lines came from defines none twice.
    const QStringList range =
        templates::renameLabels(lines.mid(t.from - 1, t.to - t.from + 1), templates::labelKeys(lines));
    const FileResult saved =
        templates::saveFile(t.path, templates::templateFromProgram(t.description, t.parameters, range));
    if (!saved.ok) {
        m_platform.tell(tr("The template could not be saved.\n\n%1").arg(saved.error), tr("Template not saved"),
                        Platform::Icon::Warning);
        return;
    }
    reload();
    m_window.statusBar()->showMessage(tr("Template %1 saved in %2").arg(t.name, t.path), 8000);
}
