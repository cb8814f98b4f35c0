#pragma once

#include "core/textfile.h"

#include <QByteArray>
#include <QString>

namespace settings {

inline const QString FileName = QStringLiteral("stacker.ini");

// True when the first line selects Advanced mode: split at "=", both pieces trimmed, "advanced" and "1".
bool selectsAdvanced(const QByteArray& firstLine);

// Path of the settings file in folder, matched without regard to letter case; empty when there is none.
QString findFile(const QString& folder);

// Reads the first line of the settings file at path.
QByteArray readFirstLine(const QString& path);

// Writes the single line "advanced = 1" or "advanced = 0" into the settings file in folder.
FileResult save(const QString& folder, bool advanced);

} // namespace settings
