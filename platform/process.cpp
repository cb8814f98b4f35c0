#include "platform/platform.h"

#include <QDir>
#include <QString>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <csignal>
#endif
#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

void setUpProcess() {
#ifdef Q_OS_UNIX
    // A write past the file-size limit (ulimit -f) would end the program with SIGXFSZ, unsaved work
    // and all; ignored, the write fails with "File too large" and the user is told like any other.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

int endProcess(int status) {
#ifdef Q_OS_WIN
    std::fflush(nullptr);
    ::TerminateProcess(::GetCurrentProcess(), UINT(status));
#endif
    return status;
}

void useSystemFontsOffscreen() {
#ifdef Q_OS_WIN
    if (qEnvironmentVariableIsSet("QT_QPA_FONTDIR")) return;
    const QString windows = qEnvironmentVariable("SystemRoot", QStringLiteral("C:\\Windows"));
    qputenv("QT_QPA_FONTDIR", QDir::toNativeSeparators(windows + QStringLiteral("/Fonts")).toLocal8Bit());
#endif
}
