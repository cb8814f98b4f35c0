#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>

QString userSettingsFolder() {
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

QString userTemplatesFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (data.isEmpty()) return {};
    return QDir::toNativeSeparators(QDir(data).filePath(QStringLiteral("templates")));
}

QString userSettingsFile() {
#ifdef Q_OS_WIN
    const QString extension = QStringLiteral(".ini");
#else
    const QString extension = QStringLiteral(".conf");
#endif
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(QCoreApplication::organizationName() + u'/' + QCoreApplication::applicationName() +
                                 extension);
}

bool canCreateFilesIn(const QString& folder) {
    if (!QFileInfo(folder).isDir()) return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("stacker-probe-XXXXXX")));
    return probe.open();
}

bool isSystemFolder(const QString& folder) {
#ifdef Q_OS_WIN
    Q_UNUSED(folder);
    return false;
#else
    const QFileInfo info(folder);
    QString path = info.canonicalFilePath();
    if (path.isEmpty()) path = QDir::cleanPath(info.absoluteFilePath());
    static const QStringList roots{QStringLiteral("/usr"),    QStringLiteral("/bin"),   QStringLiteral("/sbin"),
                                   QStringLiteral("/lib"),    QStringLiteral("/lib32"), QStringLiteral("/lib64"),
                                   QStringLiteral("/libx32"), QStringLiteral("/opt"),   QStringLiteral("/etc")};
    return std::any_of(roots.begin(), roots.end(),
                       [&](const QString& root) { return path == root || path.startsWith(root + u'/'); });
#endif
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
