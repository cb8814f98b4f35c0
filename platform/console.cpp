#include "platform/platform.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <cstdio>
#endif

void attachToCallersConsole() {
#ifdef Q_OS_WIN
    // A Windows program (not a console one) starts without standard output unless its caller
    // redirected it: started from a command prompt, it writes into the prompt's console instead.
    const auto missing = [](DWORD which) {
        const HANDLE h = ::GetStdHandle(which);
        return h == nullptr || h == INVALID_HANDLE_VALUE || ::GetFileType(h) == FILE_TYPE_UNKNOWN;
    };
    const bool out = missing(STD_OUTPUT_HANDLE);
    const bool err = missing(STD_ERROR_HANDLE);
    if (!(out || err) || !::AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (out) (void)std::freopen("CONOUT$", "w", stdout);
    if (err) (void)std::freopen("CONOUT$", "w", stderr);
#endif
}
