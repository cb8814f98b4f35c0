#include "platform/platform.h"

#ifdef Q_OS_UNIX
#include <csignal>
#endif

void setUpProcess() {
#ifdef Q_OS_UNIX
    // A write past the file-size limit (ulimit -f) would end the program with SIGXFSZ, unsaved work
    // and all; ignored, the write fails with "File too large" and the user is told like any other.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}
