#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>

namespace {

// The per-user folder of the program's own files: on Windows the roaming application data
// (%APPDATA%\Corvane\cvstacker), which follows the user from PC to PC; elsewhere the configuration
// folder (~/.config/Corvane/cvstacker).
QString userFolder() {
#ifdef Q_OS_WIN
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
#endif
}

} // namespace

QString userSettingsFolder() {
    return QDir::toNativeSeparators(userFolder());
}

QString userTemplatesFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (data.isEmpty()) return {};
    return QDir::toNativeSeparators(QDir(data).filePath(QStringLiteral("templates")));
}

QString userSettingsFile() {
#ifdef Q_OS_WIN
    // Beside stacker.ini in the roaming folder, so that one folder holds all a user's settings.
    return QDir(userFolder()).filePath(QCoreApplication::applicationName() + QStringLiteral(".ini"));
#else
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(QCoreApplication::organizationName() + u'/' + QCoreApplication::applicationName() +
                                 QStringLiteral(".conf"));
#endif
}

bool canCreateFilesIn(const QString& folder) {
    if (!QFileInfo(folder).isDir()) return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("stacker-probe-XXXXXX")));
    return probe.open();
}

bool isSystemFolder(const QString& folder) {
    const QFileInfo info(folder);
    QString path = info.canonicalFilePath();
    if (path.isEmpty()) path = QDir::cleanPath(info.absoluteFilePath());
#ifdef Q_OS_WIN
    // Where installers put programs, and the system's own folder, wherever this PC has them.
    QStringList roots;
    for (const char* name : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "SystemRoot", "ProgramData"})
        if (const QString root = qEnvironmentVariable(name); !root.isEmpty())
            roots << QDir::cleanPath(QDir::fromNativeSeparators(root));
#else
    static const QStringList roots{QStringLiteral("/usr"),    QStringLiteral("/bin"),   QStringLiteral("/sbin"),
                                   QStringLiteral("/lib"),    QStringLiteral("/lib32"), QStringLiteral("/lib64"),
                                   QStringLiteral("/libx32"), QStringLiteral("/opt"),   QStringLiteral("/etc")};
#endif
    const Qt::CaseSensitivity cs = fileNameCaseSensitivity();
    return std::any_of(roots.begin(), roots.end(), [&](const QString& root) {
        return path.compare(root, cs) == 0 || path.startsWith(root + u'/', cs);
    });
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
