#pragma once

#include "platform/savefile.h"

// Makes the n-th write, flush or commit of any SaveFile fail, through the seam beneath SaveFile.
// The failure's reason starts with "Simulated"; a failing write lets half its data through first,
// as a disk that fills midway does.
namespace writefaults {

using Step = savefile::Faults::Step;

// Counts calls afresh and makes the n-th call of step from now on fail (n >= 1); 0 arms nothing.
void arm(Step step, int n);
// Disarms and resets the counts (and starts counting).
void clear();
// Calls of step since the last arm() or clear().
int calls(Step step);

} // namespace writefaults
