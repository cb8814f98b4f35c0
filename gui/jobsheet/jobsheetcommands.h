#pragma once

#include "gui/dialogs/commanddialog.h"
#include "gui/jobsheet/jobsheetdata.h"

#include <QObject>

class DryRunController;
class PartDocument;
class Platform;
class QAction;
class QMainWindow;

// File > Print… (`mnuPrint`, with a preview) and File > Export Job Sheet (PDF)… (`mnuExportJobSheet`):
// the job sheet of the program as Save would write it, with a dry run made at that moment.
class JobSheetCommands : public QObject {
    Q_OBJECT

public:
    // Puts the two commands into the window's File menu, above Exit. Dialogs (the preview) run
    // through runner.
    JobSheetCommands(QMainWindow& window, PartDocument& document, DryRunController& dryRun, Platform& platform,
                     DialogRunner runner);

    // The sheet as it would be printed now.
    JobSheetData sheet();
    // Shows the print preview; true when the sheet went to the printer.
    bool print();
    // Asks for a PDF file and writes the sheet into it; true when written.
    bool exportPdf();

private:
    QMainWindow& m_window;
    PartDocument& m_document;
    DryRunController& m_dryRun;
    Platform& m_platform;
    DialogRunner m_runner;
};
