#pragma once

#include "core/headsmith/rewrite.h"

class QWidget;

// Runs Headsmith's rewrite of the part file: its questions first, then the rewrite with a progress
// window (shown when it takes longer than delayMs) whose Cancel stops it; the part file is then left
// as it was.
headsmith::RewriteResult writeHeaderWithProgress(const QString& partFile, const HeaderFields& fields,
                                                 Platform& platform, QWidget* parent, int delayMs);
