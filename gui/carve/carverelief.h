#pragma once

#include "core/carve/carve.h"

#include <QImage>
#include <QString>

// Pictures of the carved blank. A field becomes a shaded relief, one pixel a cell, the highest Y at the
// top: light from the top left, the colour by depth (amber near the top, rust, then indigo at the run's
// deepest), the untouched top plain, a cut through the blank in the table's grey; outside the blank
// transparent, or red where the bit cut there. The colours follow the job's depth, not the field's, so
// a zoomed region and the whole blank agree. With maxSide, a field wider or taller than that gives
// fewer pixels, each the average of a square block of cells, made without the full-size picture.
QImage reliefImage(const carve::Job& job, const carve::Field& field, int maxSide = 0);
// The cells a side of the blocks that make one pixel of such a picture.
int reliefStep(const carve::Grid& grid, int maxSide);
// The relief as a PNG file, replaced only when written whole; on false, error says why.
bool writeReliefPng(const carve::Job& job, const carve::Field& field, const QString& path, QString* error);
