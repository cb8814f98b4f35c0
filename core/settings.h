#pragma once

#include "core/textfile.h"

#include <QByteArray>
#include <QString>

namespace settings {

inline const QString FileName = QStringLiteral("stacker.ini");

// True when the first line selects Advanced mode: split at "=", both pieces trimmed, "advanced" and "1".
bool selectsAdvanced(const QByteArray& firstLine);

// Path of the settings file in folder, matched without regard to letter case; empty when there is none.
// An entry of any kind counts (a link, a device, a FIFO): it is the user's, even where it is not read.
QString findFile(const QString& folder);

// The most of the file that is read: its one line is short, and a file that is not must not fill
// the memory.
inline constexpr qint64 MaxFirstLine = 64 * 1024;

// The first line of the settings file at path (at most MaxFirstLine bytes); nothing unless it is a
// regular file, links followed, so that neither a FIFO nor an endless device holds up the start.
QByteArray readFirstLine(const QString& path);

// Writes the single line "advanced = 1" or "advanced = 0" into the settings file in folder. A file
// there that is not a regular file (a link to a null device is the usual way to keep no settings)
// is left as it is, and that counts as success.
FileResult save(const QString& folder, bool advanced);

// Where the settings are read at start and kept at exit.
struct Places {
    QString read;   // the file read at start; empty on a first run
    QString folder; // the folder the file is saved into
};

// A file already beside the program is a portable copy, read and saved there, unless the program's
// folder cannot be written or is a system folder (an installed copy). Otherwise the per-user file
// is read, or the one beside the program when there is none (neither: a first run), and the save
// goes into the per-user folder, where the next start reads it. Nothing new is ever put beside the
// program.
Places locate(const QString& programFolder, const QString& userFolder, bool programWritable);

// Saves into places.folder, creating it (the per-user folder may not exist yet).
FileResult save(const Places& places, bool advanced);

} // namespace settings
