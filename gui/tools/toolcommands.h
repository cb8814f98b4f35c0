#pragma once

#include "core/dryrun/dryrun.h"
#include "gui/dialogs/commanddialog.h"

class DryRunController;
class PanelView;
class PartDocument;
class Platform;
class QWidget;

// The commands of the Tools menu and File > Save a copy to resume, each built on the dry run. The
// lines come from core/dryrun (outline, resumecopy); these only ask, place and write.
namespace tools {

struct Context {
    PartDocument& document;
    DryRunController& dryRun; // its settings, answers and file reader
    Platform& platform;
    DialogRunner runner;
    PanelView* panel = nullptr; // the inserted lines become current there
    QWidget* parent = nullptr;
};

// Tools > Trace the outline...: inserted after the current line (at the end when none), as one undo
// step, or saved as a part file of its own.
void traceOutline(const Context& context);

// File > Save a copy to resume from this line...: for the current line.
void saveResumeCopy(const Context& context);

// The document's dry run as the toolpath view runs it, watching a main-file line, off the window's
// thread with a progress box; nothing when the operator cancelled it.
std::optional<dryrun::Trace> runWatching(const Context& context, const dryrun::Program& program, int line,
                                         const QString& title);

// A name for a file written beside the part file: the save dialog until a usable name, the question
// when it exists; never the part file itself. Nothing when cancelled.
std::optional<QString> chooseCopyName(const Context& context, const QString& title, const QString& proposedName);

} // namespace tools
