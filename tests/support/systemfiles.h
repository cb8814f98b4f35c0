#pragma once

// What tests need to set up special files and small file systems through the system's own tools
// (mkfifo, mknod, mount). Each returns false, with the tool's reason, where the system does not allow
// it, so the caller can skip with that message.
#include "platform/regularfile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace systemfiles {

// Runs a tool to its end, however long it takes; false with its complaint in *why when it is
// missing or fails.
inline bool run(const QString& tool, const QStringList& arguments, QString* why) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
        *why = tool + QStringLiteral(" is not available here");
        return false;
    }
    QProcess p;
    p.start(tool, arguments);
    // However long the tool takes on a busy machine: CTest's timeout is the bound.
    if (p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0) return true;
    *why = tool + QLatin1Char(' ') + arguments.join(u' ') + QStringLiteral(": ") +
           QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    return false;
}

inline bool makeFifo(const QString& path, QString* why) {
    return run(QStringLiteral("mkfifo"), {path}, why);
}

// A character device with the system's numbers for the null (1, 3) or zero (1, 5) device: made
// in the test's own folder, never the real one, so a faulty writer can replace only the copy.
inline bool makeDevice(const QString& path, int minor, QString* why) {
    return run(QStringLiteral("mknod"), {path, QStringLiteral("c"), QStringLiteral("1"), QString::number(minor)}, why);
}

// A tmpfs of `kib` KiB mounted on folder (made if missing) for as long as the object lives.
class Tmpfs {
public:
    Tmpfs(const QString& folder, int kib) : m_folder(folder) {
        QDir().mkpath(folder);
        m_mounted = run(QStringLiteral("mount"),
                        {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                         QStringLiteral("size=%1k").arg(kib), QStringLiteral("tmpfs"), folder},
                        &m_why);
    }
    ~Tmpfs() {
        QString ignored;
        if (m_mounted) run(QStringLiteral("umount"), {m_folder}, &ignored);
    }
    Tmpfs(const Tmpfs&) = delete;
    Tmpfs& operator=(const Tmpfs&) = delete;

    bool mounted() const { return m_mounted; }
    QString why() const { return m_why; }
    // Makes it read-only from now on.
    bool makeReadOnly() {
        return run(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,ro"), m_folder}, &m_why);
    }

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_why;
};

// What is at path, for comparing before and after: the link (if it is one) and what it leads to.
inline QString describe(const QString& path) {
    const QFileInfo info(path);
    QString d;
    if (info.isSymLink()) d = QStringLiteral("link to ") + info.symLinkTarget() + QStringLiteral(", ");
    if (!info.exists()) return d + QStringLiteral("nothing");
    if (info.isDir()) return d + QStringLiteral("folder");
    if (info.isFile()) return d + QStringLiteral("regular file");
    return d + regularfile::specialKind(path);
}

} // namespace systemfiles
