#pragma once

#include "core/panel/programmodel.h"

#include <QByteArray>
#include <QString>

#include <vector>

// One program line of a part file as the block it opens as. What the line is, is what the router
// reads it as (statement::parse): the command word decides, whatever its letter case and the blanks
// around it. A line in the writer's own layout reads as the writer composed it; a line typed by hand
// in another layout has its held text and comment put into the writer's layout for the panel and the
// dialogs, and keeps its bytes, so that it is saved unchanged until it is edited. A line that no
// dialog could compose as the router reads it stays a free command holding the whole line.
namespace linereader {

// The block a line reads as (GOSUB and RETURN only as candidates, paired by pairGoSubs). text is the
// line decoded, bytes the same line as the file holds it. Takes time linear in the line's length.
LoadedLine read(const QString& text, const QByteArray& bytes);

// The line a block read from a file writes: as read, unless composing it gives the same.
QString lineOf(const LoadedLine& line);

// Pairs each RETURN with the nearest open GOSUB above it; an unpaired one of either becomes a free
// command holding its line. Each pair's Label is the nearest Label naming the GOSUB's label below it
// (else above it) that no other pair took; names compare as the router compares them.
void pairGoSubs(std::vector<LoadedLine>& lines);

} // namespace linereader
