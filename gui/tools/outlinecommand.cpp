// Tools > Trace the outline..., and the choice of a file name the tools write to.
#include "core/dryrun/outline.h"
#include "core/partfile/partfile.h"
#include "core/partfile/partname.h"
#include "gui/document/partdocument.h"
#include "gui/mainwindow/panelview.h"
#include "gui/toolpath/dryruncontroller.h"
#include "gui/tools/outlinedialog.h"
#include "gui/tools/toolcommands.h"
#include "gui/tools/toolprogress.h"
#include "platform/platform.h"
#include "platform/regularfile.h"
#include "platform/savefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tools {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("tools", text);
}

QString partName(const PartDocument& document) {
    return document.fileName().isEmpty() ? QStringLiteral("untitled.cvp") : document.fileName();
}

} // namespace

std::optional<QString> chooseCopyName(const Context& context, const QString& title, const QString& proposedName) {
    Platform& platform = context.platform;
    const QString folder = context.document.folder().isEmpty() ? platform.partsFolder() : context.document.folder();
    for (;;) {
        const std::optional<QString> chosen =
            platform.chooseSaveFile(title, folder, partname::SaveFilter(), proposedName);
        if (!chosen) return std::nullopt;
        const QString name = QDir::toNativeSeparators(*chosen);
        if (const QString problem = savefile::pathProblem(name); !problem.isEmpty()) {
            platform.tell(QStringLiteral("%1\n\n%2").arg(name, problem), partname::UnsavableTitle(),
                          Platform::Icon::Warning);
            continue;
        }
        // Writing over the part file would put the copy where the program it came from was.
        const QString own = context.document.filePath();
        if (!own.isEmpty() && (QFileInfo(name).absoluteFilePath() == QFileInfo(own).absoluteFilePath() ||
                               regularfile::sameFile(name, own))) {
            platform.tell(tr("This is the part file itself. Choose another name for the new file."),
                          partname::UnsavableTitle(), Platform::Icon::Warning);
            continue;
        }
        if (!QFileInfo::exists(name) || platform.askYesNo(partname::ExistsText(), partname::ExistsTitle())) return name;
    }
}

std::optional<dryrun::Trace> runWatching(const Context& context, const dryrun::Program& program, int line,
                                         const QString& title) {
    dryrun::Settings settings = context.dryRun.settings();
    settings.watchLine = line;
    // The worker reads copies only: the window may repaint, and the program stays as it was.
    const dryrun::Answers answers = context.dryRun.answers();
    const dryrun::Loader loader = context.dryRun.loader();
    dryrun::Trace trace;
    const bool done = runWithProgress(context.parent, title, tr("Running the program without a machine..."),
                                      [&](const std::atomic<bool>& cancel, std::atomic<qint64>& progress) {
                                          trace = dryrun::run(program, settings, answers, loader, &cancel, &progress);
                                      });
    if (!done || trace.cancelled) return std::nullopt;
    return trace;
}

void traceOutline(const Context& context) {
    PartDocument& document = context.document;
    const ProgramModel& model = document.model();
    const int lines = model.lineCount();
    const int after = model.currentRow() > 0 ? model.currentRow() : lines;

    // Where the lines would stand: the tool's place there is where they take it back to.
    const dryrun::Program program =
        partfile::dryRunProgram(model, document.kept(), partName(document), document.folder());
    const int watched = partfile::fileLineOfRow(document.kept(), after + 1);
    const bool atEnd = program.lines.empty() || watched > program.lines.back().number;
    const QString title = tr("Trace the outline");
    const std::optional<dryrun::Trace> run = runWatching(context, program, watched, title);
    if (!run) return;
    const dryrun::Trace& trace = *run;
    const std::optional<double> top = outline::highestZ(trace);
    if (!top) {
        context.platform.tell(tr("The dry run moves the tool nowhere, so the program has no outline to trace."), title,
                              Platform::Icon::Information);
        return;
    }

    OutlineDialog dialog(*top, after < lines ? after : 0, context.parent);
    if (!context.runner(dialog)) return;
    const std::optional<OutlineDialog::Choice> choice = dialog.choice();
    if (!choice) return;

    if (choice->destination == OutlineDialog::Destination::SeparateFile) {
        const QStringList jogs = outline::lines(trace.extent, choice->safeZ, std::nullopt);
        const std::optional<QString> path =
            chooseCopyName(context, tr("Save the outline as"),
                           QFileInfo(partName(document)).completeBaseName() + QStringLiteral("_outline.cvp"));
        if (!path) return;
        ProgramModel outlineProgram(&PanelView::labelWidth);
        std::vector<LoadedLine> loaded;
        for (const QString& jog : jogs)
            loaded.push_back({Kind::Jog, jog, {}});
        outlineProgram.load(loaded);
        const FileResult written = partfile::write(*path, outlineProgram, {});
        if (!written.ok)
            context.platform.tell(tr("The outline was not saved.\n\n%1").arg(written.error), title,
                                  Platform::Icon::Warning);
        return;
    }

    const QStringList jogs = outline::lines(trace.extent, choice->safeZ, outline::toolAt(trace, atEnd));
    if (lines + jogs.size() > ProgramModel::MaxLines) {
        context.platform.tell(tr("The outline takes %1 lines and the program has room for %2 more of its 100. "
                                 "Nothing was inserted; save the outline as a separate part file instead.")
                                  .arg(jogs.size())
                                  .arg(ProgramModel::MaxLines - lines),
                              title, Platform::Icon::Information);
        return;
    }
    std::vector<LoadedLine> loaded;
    for (const QString& jog : jogs)
        loaded.push_back({Kind::Jog, jog, {}});
    if (!document.insertLines(after + 1, loaded, QCoreApplication::translate("Undo", "Trace Outline"))) {
        context.platform.tell(tr("The program panel has no room for the outline's lines below the last line. Nothing "
                                 "was inserted."),
                              title, Platform::Icon::Information);
        return;
    }
    if (context.panel) context.panel->setCurrentRow(after + int(jogs.size()));
}

} // namespace tools
