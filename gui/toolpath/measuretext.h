#pragma once

#include "core/dryrun/dryrun.h"

#include <QString>

// Lengths and speeds as the operator reads them, always with the unit of the program they belong to:
// the dock, the exports, the job sheet and the command line all write them through these.
namespace measuretext {

// The number alone: inches to the thousandth, millimetres to the hundredth.
QString number(double v, dryrun::Unit unit);
// "1.250 in", "31.75 mm".
QString length(double v, dryrun::Unit unit);
// "0.000 to 3.000 in".
QString range(const dryrun::Range& r, dryrun::Unit unit);
// "1 in/s", "25.4 mm/s".
QString speed(double v, dryrun::Unit unit);
// "inches", "millimetres".
QString unitName(dryrun::Unit unit);

} // namespace measuretext
