#pragma once

#include "core/dryrun/dryrun.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// A copy of a part file that an operator runs after a stop: set-up lines that bring the machine to
// where the program stood one of the times the dry run reached a chosen line, then the program from
// that line on, with the lines before it that the rest still jumps to. The rules are written down in
// docs/resume.md. Qt Core only: the window asks and writes, this only composes the lines.
namespace resumecopy {

// A main-file line named in a question: its number and its text.
struct NamedLine {
    int number = 0;
    QString text;
    friend bool operator==(const NamedLine&, const NamedLine&) = default;
};

struct Copy {
    bool ok = false;
    QString error;     // why no copy can be made (the line is never reached, ...)
    QStringList lines; // the copy, first line first; empty from plan()
    // Per line of the copy: the original main-file line it repeats, 0 for a line made here.
    std::vector<int> sourceLine;
    // The chosen line repeats: the lines at or after it that jump back to it or above it.
    QList<NamedLine> loopJumps;
    // The chosen line first runs inside a subroutine: the GOSUB lines that called it (outermost
    // first), the label lines they jump to and the first RETURN at or after the chosen line.
    QList<NamedLine> goSubs;
    QList<NamedLine> bodyLabels;
    std::optional<NamedLine> bodyReturn;
    // Lines run before the chosen line that the dry run could not simulate (commands it does not know,
    // such as a spindle switch): machine state the copy cannot set, named for the operator.
    struct Unrestored {
        QString file; // empty for the main file, else the called file as its calling line names it
        int line = 0;
        QString text; // a main-file line's text, trimmed
    };
    QList<Unrestored> unrestored;
    // An INPUT was answered before the chosen line: the copy's variables hold the dry run's answers.
    bool answeredBefore = false;
};

// A number as the copy writes it: the shortest decimal text that reads back as exactly this value,
// without an exponent (the router reads none).
QString exactNumber(double v);

// The copy from a dry run made with Settings::watchLine == line, starting as the run stood the time
// it reached the line that Trace::watched[time] records (0: the first). toFolder is where the copy
// will be saved: relative names of called files are rewritten from the program's folder to it.
Copy fromTrace(const dryrun::Program& program, const dryrun::Trace& trace, int line, const QString& toFolder,
               std::size_t time = 0);

// All fromTrace says about the copy but its lines: what the window asks and tells before writing.
Copy plan(const dryrun::Program& program, const dryrun::Trace& trace, int line, std::size_t time = 0);

// Runs the dry run watching line, then composes the copy as fromTrace does.
Copy build(const dryrun::Program& program, dryrun::Settings settings, const dryrun::Answers& answers,
           const dryrun::Loader& loader, int line, const QString& toFolder, std::size_t time = 0);

} // namespace resumecopy
