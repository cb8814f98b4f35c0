#include "platform/writeback.h"

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

void startWriteback(int fd, qint64 offset, qint64 length) {
#ifdef Q_OS_LINUX
    if (fd >= 0 && length > 0)
        sync_file_range(fd, offset, length, SYNC_FILE_RANGE_WRITE); // only a hint: a failure changes nothing
#else
    Q_UNUSED(fd);
    Q_UNUSED(offset);
    Q_UNUSED(length);
#endif
}
