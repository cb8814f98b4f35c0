#pragma once

#include "core/dryrun/dryrun.h"

#include <QString>
#include <QStringList>

#include <optional>

// The outline of a program: jog lines that lift the tool to a safe Z and trace the rectangle of the
// XY extent the dry run found, so an operator sees where the job lies on the blank before cutting.
// Qt Core only: the window asks for the safe Z and places the lines.
namespace outline {

struct Point {
    double x = 0, y = 0;
};

// A number as an outline line writes it: rounded to 6 decimals, no trailing zeros, never "-0".
QString field(double v);

// The safe Z offered: the highest Z the run reaches; nothing when the run moves nothing.
std::optional<double> highestZ(const dryrun::Trace& trace);

// Where the tool stands in XY where the lines go: at Settings::watchLine the first time the run reached it,
// else, when the lines go after everything, where the run ended; nothing otherwise.
std::optional<Point> toolAt(const dryrun::Trace& trace, bool afterEverything);

// The jog lines, composed as the Jog dialog composes them: up to safeZ first, then the corners of the
// extent's XY rectangle from (min X, min Y) anticlockwise and back to the first, then to back when it
// is given (so the lines that follow start where they did); the tool stays at safeZ. A corner where
// the tool already stands is left out. Empty for an empty extent.
QStringList lines(const dryrun::Extent& extent, double safeZ, std::optional<Point> back);

} // namespace outline
