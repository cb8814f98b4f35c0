#include "gui/jobsheet/jobsheetcommands.h"

#include "core/checker/problems.h"
#include "core/partfile/partfile.h"
#include "gui/document/partdocument.h"
#include "gui/jobsheet/jobsheetpages.h"
#include "gui/toolpath/dryruncontroller.h"
#include "platform/platform.h"
#include "platform/regularfile.h"

#include <QAction>
#include <QFileInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>

JobSheetCommands::JobSheetCommands(QMainWindow& window, PartDocument& document, DryRunController& dryRun,
                                   Platform& platform, DialogRunner runner)
    : QObject(&window), m_window(window), m_document(document), m_dryRun(dryRun), m_platform(platform),
      m_runner(std::move(runner)) {
    auto* exportPdf = new QAction(tr("&Export Job Sheet (PDF)\u2026"), &window);
    exportPdf->setObjectName(QStringLiteral("mnuExportJobSheet"));
    auto* print = new QAction(tr("&Print\u2026"), &window);
    print->setObjectName(QStringLiteral("mnuPrint"));
    print->setShortcut(QKeySequence::Print);
    // Window-wide, so Ctrl+P works wherever the focus is.
    window.addAction(print);
    connect(exportPdf, &QAction::triggered, this, &JobSheetCommands::exportPdf);
    connect(print, &QAction::triggered, this, &JobSheetCommands::print);

    QMenu* file = window.menuBar()->findChild<QMenu*>(QStringLiteral("mnuFile"));
    QAction* exit = window.findChild<QAction*>(QStringLiteral("mnuExit"));
    if (!file) return;
    // Above the separator that sets Exit apart.
    const QList<QAction*> actions = file->actions();
    const qsizetype at = actions.indexOf(exit);
    QAction* before = at > 0 && actions[at - 1]->isSeparator() ? actions[at - 1] : exit;
    file->insertActions(before, {exportPdf, print});
    file->insertSeparator(before);
}

JobSheetData JobSheetCommands::sheet() {
    // The sheet must show the program as it stands now, not the run of a moment ago.
    m_dryRun.runNow();
    const QString name = m_document.fileName().isEmpty() ? QStringLiteral("untitled.cvp") : m_document.fileName();
    const dryrun::Program program =
        partfile::dryRunProgram(m_document.model(), m_document.kept(), name, m_document.folder());
    const std::shared_ptr<const dryrun::Trace> trace = m_dryRun.trace();
    const QList<checker::Finding> findings = checker::problems(
        checker::check(m_document.model(), m_document.folder(), {}, partfile::fileLineOfRow(m_document.kept(), 1)),
        trace.get(), m_document.kept().file.get());
    JobSheetData data = jobsheet::gather(program, trace, findings, m_platform.shortDate());
    data.carveJob = m_dryRun.carveJob();
    data.unsaved = m_document.isModified();
    return data;
}

bool JobSheetCommands::print() {
    const JobSheetData data = sheet();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(jobsheet::pageLayoutFor(QLocale()));
    printer.setDocName(tr("Job sheet: %1").arg(data.fileName));
    QPrintPreviewDialog preview(&printer, &m_window);
    preview.setObjectName(QStringLiteral("frmPrintPreview"));
    preview.setWindowTitle(tr("Print Job Sheet"));
    bool painted = true;
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&](QPrinter* target) { painted = jobsheet::paint(data, *target); });
    if (!m_runner(preview)) return false;
    if (!painted) {
        m_platform.tell(tr("The job sheet could not be printed: the printer could not be started."), tr("Print failed"),
                        Platform::Icon::Warning);
        return false;
    }
    return true;
}

bool JobSheetCommands::exportPdf() {
    const QString base = m_document.fileName().isEmpty() ? QStringLiteral("untitled")
                                                         : QFileInfo(m_document.fileName()).completeBaseName();
    const std::optional<QString> chosen = m_platform.chooseSaveFile(
        tr("Export Job Sheet"), m_document.folder(), tr("PDF files|*.pdf"), base + QStringLiteral(".pdf"));
    if (!chosen) return false;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    // A PDF in the part file's place would lose the program.
    if (regularfile::sameFile(path, m_document.filePath())) {
        m_platform.tell(tr("The job sheet cannot take the part file's place:\n%1\n\nChoose another name.").arg(path),
                        tr("Export failed"), Platform::Icon::Warning);
        return false;
    }
    if (QFileInfo::exists(path) &&
        !m_platform.askYesNo(tr("The file\n%1\nexists already. Replace it with the job sheet?").arg(path),
                             tr("Replace file?"), Platform::Icon::Question))
        return false;
    QString error;
    if (!jobsheet::writePdf(sheet(), path, &error)) {
        m_platform.tell(error, tr("Export failed"), Platform::Icon::Warning);
        return false;
    }
    m_window.statusBar()->showMessage(tr("Job sheet written to %1").arg(path), 10000);
    return true;
}
