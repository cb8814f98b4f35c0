#pragma once

#include "gui/jobsheet/jobsheetdata.h"

#include <QImage>
#include <QPageLayout>
#include <QString>

class QLocale;
class QPagedPaintDevice;

// The job sheet on paper: laid out as a text document on the device's pages (a printer or a PDF
// writer), each page numbered, the listing in a monospace font with long lines wrapped. Needs a
// QGuiApplication for its fonts; the offscreen platform will do.
namespace jobsheet {

// The toolpath seen from the top as the sheet prints it: pens for paper (moves heavy, jogs light and
// dashed, so a black and white print tells them apart), drawn at twice its logical size; with a carve
// job, over the carved blank's relief at a cell of the picture's pixel.
QImage pathPicture(const dryrun::Trace& trace, const carve::Job* job = nullptr);

// Letter where the locale's country uses it, A4 everywhere else; upright, with 15 mm margins.
QPageLayout pageLayoutFor(const QLocale& locale);

// Lays the sheet out for the device's page layout and paints every page; false when the device
// cannot be painted on.
bool paint(const JobSheetData& data, QPagedPaintDevice& device);

// Writes the sheet as a PDF on the default locale's paper. The file replaces path only when written
// whole; on false, error says why.
bool writePdf(const JobSheetData& data, const QString& path, QString* error);

} // namespace jobsheet
