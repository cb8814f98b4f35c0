#include "platform/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

QString userSettingsFolder() {
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

bool canCreateFilesIn(const QString& folder) {
    if (!QFileInfo(folder).isDir()) return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("stacker-probe-XXXXXX")));
    return probe.open();
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
