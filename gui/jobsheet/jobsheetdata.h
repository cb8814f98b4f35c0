#pragma once

#include "core/carve/carve.h"
#include "core/checker/checker.h"
#include "core/dryrun/dryrun.h"
#include "core/headsmith/headerinfo.h"

#include <QList>
#include <QString>

#include <memory>

// What a job sheet shows, gathered from a part file's lines and its dry run: plain values, so what
// the operator will read can be checked without drawing a page.
struct JobSheetData {
    // A row of a two-column list: where or what, and what it says.
    struct Row {
        QString label;
        QString text;
        friend bool operator==(const Row&, const Row&) = default;
    };
    // Rows of a list that may run long: at most jobsheet::ListLimit of them, and how many more there are.
    struct Rows {
        QList<Row> rows;
        qsizetype leftOut = 0;
    };
    // One line of the listing; a line that stands for lines left out has number 0 and says how many.
    struct ListingLine {
        int number = 0;
        QString text;
        int skipped = 0;
    };

    QString fileName;
    QString date;         // the day the sheet was made, in the system's short format
    bool unsaved = false; // the program on the panel differs from the file on disk
    HeaderInfo header;
    QList<Row> answers; // the header's answers worth printing, in the header's order; empty without one

    std::shared_ptr<const dryrun::Trace> trace; // drawn from the top
    std::shared_ptr<const carve::Job> carveJob; // its carved blank under the path; null without a blank
    QString time;                               // h:mm:ss
    QList<Row> extent;                          // one row per axis, with the unit; empty when nothing moves
    QStringList runNotes;                       // a run cut short by the step limit says so
    // Every error and warning of the checker and the dry run, errors first, each with its file and line.
    Rows warnings;
    // What the time assumes: the unit, the bit, the speeds at the start, acceleration, the answers.
    QList<Row> assumptions;
    Rows stops;
    Rows notSimulated;
    QList<ListingLine> listing;
};

namespace jobsheet {

// A run of kept lines (a header with an opening file copied in, a closing block) longer than this is
// listed by its first KeptHead and last KeptTail lines: the operator needs the program, not pages of
// a copied file.
constexpr int KeptRunLimit = 300;
constexpr int KeptHead = 200;
constexpr int KeptTail = 50;
// A list of the run (warnings, stops, lines not simulated, answers) longer than this shows its first
// ListLimit rows and says how many more there are: a program that calls files of thousands of unknown
// lines gives a sheet of a few pages, not thousands.
constexpr int ListLimit = 50;

// The sheet of a program as Save writes it (or as it stands on disk), its dry run and the checker's
// findings; the header's answers are read from the program's own lines, as the dry run reads its blank.
JobSheetData gather(const dryrun::Program& program, std::shared_ptr<const dryrun::Trace> trace,
                    const QList<checker::Finding>& findings, const QString& date);

} // namespace jobsheet
