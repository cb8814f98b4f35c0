#pragma once

#include <QtGlobal>

// Asks the system to start writing a range of an open file to disk without waiting for it, so
// that the sync at the end of a large write has little left to do. Does nothing where the system
// offers no such request.
void startWriteback(int fd, qint64 offset, qint64 length);
