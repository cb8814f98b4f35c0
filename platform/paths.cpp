#include "platform/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

QString settingsFolder(const QString& programFolder) {
    // Probe by creating a file: permission bits alone say nothing for root or on Windows ACLs.
    QTemporaryFile probe(QDir(programFolder).filePath(QStringLiteral("stacker-probe-XXXXXX")));
    if (QFileInfo(programFolder).isDir() && probe.open()) return programFolder;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return QDir::toNativeSeparators(config);
}

QString defaultPartsFolder() {
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\cvparts");
#else
    return QDir::toNativeSeparators(QDir::home().filePath(QStringLiteral("cvparts")));
#endif
}

Qt::CaseSensitivity fileNameCaseSensitivity() {
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}
