#pragma once

#include "core/carve/carve.h"
#include "gui/toolpath/toolpathscene.h"

#include <QDockWidget>

#include <functional>

class CarvedPane;
class InputAnswersTable;
class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class ToolpathScrubber;
class ToolpathSummary;
class ToolpathView;

// The dry run's toolpath: the view with its view selector, the scrubber, the summary, the answers
// for INPUT lines and an export of the picture. It shows a trace; running the program is the main
// window's business, which also puts the warnings into Problems.
class ToolpathDock : public QDockWidget {
    Q_OBJECT

public:
    // Asks where to export, proposing a path; an empty answer cancels.
    using FileChooser = std::function<QString(const QString& proposedPath)>;

    explicit ToolpathDock(QWidget* parent = nullptr);

    void setTrace(std::shared_ptr<const dryrun::Trace> trace);
    // The trace with its cuts (null without a blank) and the carve's memory budget, for the carved views.
    void setTrace(std::shared_ptr<const dryrun::Trace> trace, std::shared_ptr<const carve::Job> job,
                  std::size_t budgetBytes);
    void setLineText(std::function<QString(dryrun::LineRef)> provider);
    void setCurrentLine(dryrun::LineRef line);
    void setAnswers(const dryrun::Answers& answers);
    // A newer run is under way: the trace shown is about to be replaced.
    void setBusy(bool busy);
    // The open part file: Export proposes a name beside it and never writes over it.
    void setPartFile(const QString& path) { m_partFile = path; }
    // Replaces the file dialog Export opens (tests answer without one).
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    // Writes the view as shown: SVG when the name ends in .svg, else PNG; a carved view as PNG only.
    // False, with error, on failure.
    bool exportTo(const QString& path, QString* error) const;

    ToolpathView* view() const { return m_view; }
    CarvedPane* carvedPane() const { return m_carved; }
    // The carved views are shown (Carved or Carved 3D chosen).
    bool isCarved() const;
    ToolpathScrubber* scrubber() const { return m_scrubber; }
    ToolpathSummary* summary() const { return m_summary; }
    InputAnswersTable* answersTable() const { return m_answers; }

Q_SIGNALS:
    void lineHovered(dryrun::LineRef line);
    void lineActivated(dryrun::LineRef line);
    void answersChanged(const dryrun::Answers& answers);
    // The operator asked to change the dry run's settings.
    void settingsRequested();

private:
    void exportPicture();

    void showViewKind();

    ToolpathView* m_view;
    CarvedPane* m_carved;
    QStackedWidget* m_views;
    ToolpathScrubber* m_scrubber;
    ToolpathSummary* m_summary;
    InputAnswersTable* m_answers;
    QComboBox* m_viewKind;
    QPushButton* m_fit;
    QPushButton* m_settings;
    QPushButton* m_export;
    QLabel* m_busy;
    QLabel* m_exportStatus;
    FileChooser m_chooseFile;
    QString m_partFile;
};
