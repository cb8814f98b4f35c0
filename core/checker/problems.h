#pragma once

#include "core/checker/checker.h"
#include "core/dryrun/dryrun.h"
#include "core/partfile/keptfile.h"

#include <QList>
#include <QString>

#include <functional>

// What the window lists and counts for a part file and --check prints, made in one place so that
// the two never disagree.
namespace checker {

// Where a line of the part file stands on the panel: sets a dry-run finding's row and text.
using Place = std::function<void(Finding&)>;

// The checker's findings; then the dry run's warnings and errors (rule "dry-run"), except one that
// says of a line of the part file what a checker finding on that line says already (a missing label,
// a label defined twice, a missing file, values the command does not read); and a note when lines of
// the file end in LF or CR alone, which Save turns into CR LF. trace and kept may be null.
QList<Finding> problems(const QList<Finding>& checked, const dryrun::Trace* trace, const KeptFile* kept,
                        const Place& place = {});

// The count the window shows: "2 errors, 1 warning", and the notes when there are any.
QString countText(const QList<Finding>& findings);

} // namespace checker
