#pragma once

#include "core/headsmith/rewrite.h"

class QWidget;

// Runs Headsmith's rewrite of the part file: its questions first, then the rewrite with a progress
// window (shown when it takes longer than delayMs) whose Cancel stops it; the part file is then left
// as it was.
// The composed lines are written in encoding, the part file's (found from the file when not given).
headsmith::RewriteResult writeHeaderWithProgress(const QString& partFile, const HeaderFields& fields,
                                                 Platform& platform, QWidget* parent, int delayMs,
                                                 std::optional<textfile::Encoding> encoding = std::nullopt);
