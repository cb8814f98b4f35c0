#pragma once

#include <QIODevice>
#include <QString>

class QFile;

// Only regular files are read or replaced: a FIFO blocks whoever opens it, a device may never end,
// and replacing either with a regular file breaks what the user set up.
namespace regularfile {

// The path with every symbolic link followed (as far as the links lead, even to a name that does
// not exist yet); the path itself when it is no link.
QString resolved(const QString& path);

// What path (links followed) is when it is there but is not a regular file, as words for a
// sentence ("a device", "a named pipe (FIFO)", "a folder", ...); empty for a regular file or for
// nothing at all.
QString specialKind(const QString& path);

// Why path cannot be replaced because of what it is, naming the file: a device, FIFO, socket or
// folder, or a link into one of them or round in a circle. Empty when it is a regular file or
// there is nothing there.
QString replaceProblem(const QString& path);

// True when a and b lead to the same existing file: links followed, names compared as the platform
// compares them. Every command that writes a file of its own asks this before it writes over one, so
// that no name, link or other spelling of the open part file puts something else in its place.
bool sameFile(const QString& a, const QString& b);

// Opens file (its name already set) for reading only when it is a regular file, links followed.
// The type is checked before the file is opened and again on the open file, so nothing blocks
// and a file swapped in between is refused too. On false nothing is open and *why (if given) says
// why.
bool openForReading(QFile& file, QString* why = nullptr, QIODevice::OpenMode extra = {});

} // namespace regularfile
