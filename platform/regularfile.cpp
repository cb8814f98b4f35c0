#include "platform/regularfile.h"

#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <QRegularExpression>
#include <io.h>
#include <qt_windows.h>
#endif

namespace regularfile {

namespace {

// As deep as the system itself follows links before it gives up.
constexpr int MaxLinkDepth = 40;

#ifdef Q_OS_UNIX
QString kindOfMode(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return QCoreApplication::translate("RegularFile", "a folder");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QCoreApplication::translate("RegularFile", "a device");
    if (S_ISFIFO(mode)) return QCoreApplication::translate("RegularFile", "a named pipe (FIFO)");
    if (S_ISSOCK(mode)) return QCoreApplication::translate("RegularFile", "a socket");
    return QCoreApplication::translate("RegularFile", "not a regular file");
}
#endif

#ifdef Q_OS_WIN
// Windows keeps these names for its devices in every folder, whatever follows the first dot:
// "aux.cvp" or "C:\\parts\\con.txt" open a device, never a file.
bool isDeviceName(const QString& path) {
    const QString native = QDir::toNativeSeparators(path);
    if (native.startsWith(QLatin1String("\\\\.\\")) || native.startsWith(QLatin1String("\\\\?\\GLOBALROOT")))
        return true;
    QString base = native.section(u'\\', -1);
    base = base.left(base.indexOf(u'.')).trimmed();
    static const QRegularExpression reserved(QStringLiteral("^(con|prn|aux|nul|com[1-9]|lpt[1-9]|conin\\$|conout\\$)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    return reserved.match(base).hasMatch();
}
#endif

} // namespace

bool sameFile(const QString& a, const QString& b) {
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first.compare(QFileInfo(b).canonicalFilePath(), fileNameCaseSensitivity()) == 0;
}

QString resolved(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; depth < MaxLinkDepth && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.filePath();
}

QString specialKind(const QString& path) {
#ifdef Q_OS_WIN
    if (isDeviceName(path)) return QCoreApplication::translate("RegularFile", "a device");
#endif
    if (QFileInfo(resolved(path)).isSymLink())
        return QCoreApplication::translate("RegularFile", "a link that leads round in a circle");
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
    return kindOfMode(st.st_mode);
#else
    const QFileInfo info(path);
    if (!info.exists() || info.isFile()) return {};
    return info.isDir() ? QCoreApplication::translate("RegularFile", "a folder")
                        : QCoreApplication::translate("RegularFile", "not a regular file");
#endif
}

QString replaceProblem(const QString& path) {
    const QString kind = specialKind(path);
    if (kind.isEmpty()) return {};
    const QString target = resolved(path);
    const QString native = QDir::toNativeSeparators(path);
    if (target == path || QFileInfo(target).isSymLink())
        return QCoreApplication::translate("RegularFile",
                                           "%1 is %2, not a regular file, and only a regular file is ever replaced.")
            .arg(native, kind);
    return QCoreApplication::translate(
               "RegularFile",
               "%1 is a link to %2, which is %3, not a regular file, and only a regular file is ever replaced.")
        .arg(native, QDir::toNativeSeparators(target), kind);
}

bool openForReading(QFile& file, QString* why, QIODevice::OpenMode extra) {
    const auto refuse = [&](const QString& reason) {
        if (why) *why = reason;
        return false;
    };
    const QString path = file.fileName();
    if (const QString kind = specialKind(path); !kind.isEmpty())
        return refuse(QCoreApplication::translate("RegularFile", "It is %1, not a regular file.").arg(kind));
    // In the program's own words on every system (each says it its own way).
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return refuse(
            QCoreApplication::translate("RegularFile", "No such file: it may have been moved, renamed or deleted."));
#ifdef Q_OS_UNIX
    // Non-blocking, so that a FIFO put in its place since the check cannot hold the open.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return refuse(qt_error_string(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return refuse(
            QCoreApplication::translate("RegularFile", "It is %1, not a regular file.").arg(kindOfMode(st.st_mode)));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly | extra, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse(file.errorString());
    }
    return true;
#else
    if (!file.open(QIODevice::ReadOnly | extra)) return refuse(file.errorString());
#ifdef Q_OS_WIN
    // A name the check above took for a file may still open a device or a pipe.
    if (::GetFileType(reinterpret_cast<HANDLE>(::_get_osfhandle(file.handle()))) != FILE_TYPE_DISK) {
        file.close();
        return refuse(QCoreApplication::translate("RegularFile", "It is %1, not a regular file.")
                          .arg(QCoreApplication::translate("RegularFile", "a device")));
    }
#endif
    return true;
#endif
}

} // namespace regularfile
