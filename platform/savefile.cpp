#include "platform/savefile.h"

#include "platform/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <aclapi.h>
#endif

namespace savefile {

namespace {

qint64 nativeLength(const QString& text) {
#ifdef Q_OS_WIN
    return text.size();
#else
    return QFile::encodeName(text).size();
#endif
}

// How many names the regular file at path has; 0 when there is none there.
qint64 hardLinks(const QString& path) {
#ifdef Q_OS_WIN
    const QString native = QDir::toNativeSeparators(path);
    const HANDLE h = ::CreateFileW(reinterpret_cast<const wchar_t*>(native.utf16()), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 0;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(h, &info);
    ::CloseHandle(h);
    return known ? qint64(info.nNumberOfLinks) : 0;
#elif defined(Q_OS_UNIX)
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
    return qint64(st.st_nlink);
#else
    Q_UNUSED(path);
    return 0;
#endif
}

} // namespace

Limits limits(const QString& folder) {
    Limits l;
#ifdef Q_OS_WIN
    Q_UNUSED(folder);
    l.path = 32767; // Qt reaches long paths through the \\?\ prefix
#elif defined(Q_OS_UNIX)
    const QByteArray native = QFile::encodeName(folder);
    if (const long name = ::pathconf(native.constData(), _PC_NAME_MAX); name > 0) l.name = name;
    if (const long path = ::pathconf(native.constData(), _PC_PATH_MAX); path > 0) l.path = path;
#else
    Q_UNUSED(folder);
#endif
    return l;
}

QString pathProblem(const QString& path) {
    // What counts is the file the content goes to: QSaveFile follows links the same way.
    const QFileInfo target(regularfile::resolved(path));
    const QString folder = target.absolutePath();
    const QFileInfo dir(folder);
    if (!dir.isDir()) {
        if (dir.exists())
            return QCoreApplication::translate("SaveFile", "%1 is a file, not a folder.")
                .arg(QDir::toNativeSeparators(folder));
        // Name the part of the path that stands in the way, if it is a file.
        QString up = folder;
        for (QString parent = QFileInfo(up).absolutePath(); parent != up; parent = QFileInfo(up).absolutePath()) {
            up = parent;
            const QFileInfo at(up);
            if (at.exists()) {
                if (!at.isDir())
                    return QCoreApplication::translate("SaveFile",
                                                       "The folder %1 cannot exist: %2 is a file, not a folder.")
                        .arg(QDir::toNativeSeparators(folder), QDir::toNativeSeparators(up));
                break;
            }
        }
        return QCoreApplication::translate("SaveFile", "The folder %1 does not exist.")
            .arg(QDir::toNativeSeparators(folder));
    }
    if (target.isDir()) return QCoreApplication::translate("SaveFile", "It is a folder, not a file.");
    if (const QString special = regularfile::replaceProblem(path); !special.isEmpty()) return special;
#ifdef Q_OS_WIN
    // Windows keeps a read-only file from being changed, and so does the program.
    const DWORD attributes = ::GetFileAttributesW(
        reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(target.absoluteFilePath()).utf16()));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return QCoreApplication::translate("SaveFile",
                                           "%1 is read-only. Clear \"Read-only\" in its Properties, or save under "
                                           "another name.")
            .arg(QDir::toNativeSeparators(target.absoluteFilePath()));
#endif
    // The new content takes the old file's place under this one name; any other name of the old
    // file would go on showing the old content. Writing into the file itself instead would lose
    // the old content to a crash midway, so such a file is not replaced at all.
    if (hardLinks(target.filePath()) > 1)
        return QCoreApplication::translate("SaveFile",
                                           "%1 has other hard links; saving would separate them, and the other "
                                           "names would keep the old content. Save under another name, or remove "
                                           "the other links first.")
            .arg(QDir::toNativeSeparators(target.absoluteFilePath()));

    const Limits l = limits(folder);
    const qint64 name = nativeLength(target.fileName());
    const qint64 whole = nativeLength(QDir::toNativeSeparators(target.absoluteFilePath()));
    if (name > l.name)
        return QCoreApplication::translate("SaveFile",
                                           "The file name is longer than the system allows (%1 characters).")
            .arg(l.name);
    if (whole >= l.path)
        return QCoreApplication::translate("SaveFile", "The path is longer than the system allows (%1 characters).")
            .arg(l.path - 1);
    if (name + TemporarySuffix > l.name)
        return QCoreApplication::translate(
                   "SaveFile", "The file name is too long to be saved safely: the new content is first written "
                               "under a temporary name %1 characters longer, and that name would pass the system's "
                               "limit of %2 characters for a file name. Choose a shorter name.")
            .arg(TemporarySuffix)
            .arg(l.name);
    if (whole + TemporarySuffix >= l.path)
        return QCoreApplication::translate(
                   "SaveFile", "The path is too long to be saved safely: the new content is first written under a "
                               "temporary name %1 characters longer, and its path would pass the system's limit of "
                               "%2 characters. Choose a shorter name or a folder nearer the top of the drive.")
            .arg(TemporarySuffix)
            .arg(l.path - 1);
    return {};
}

namespace {

std::atomic<Faults*> g_faults{nullptr};

} // namespace

void setFaults(Faults* faults) {
    g_faults.store(faults);
}

} // namespace savefile

namespace {

using Step = savefile::Faults::Step;

std::optional<savefile::Faults::Failure> injected(Step step, qint64 length) {
    savefile::Faults* faults = savefile::g_faults.load();
    if (!faults) return std::nullopt;
    return faults->before(step, length);
}

// The system's own record of why its last call failed. Cleared before each call that may fail, so
// that what is found afterwards belongs to that call: Qt reports a write that a full disk cut
// short only as "Unknown error".
void clearSystemError() {
    errno = 0;
#ifdef Q_OS_WIN
    ::SetLastError(0);
#endif
}

int systemError() {
#ifdef Q_OS_WIN
    return int(::GetLastError());
#else
    return errno;
#endif
}

#ifdef Q_OS_WIN
const wchar_t* native(const QString& path) {
    return reinterpret_cast<const wchar_t*>(path.utf16());
}

// A name beside path that nothing has: path plus "~" and six random characters.
QString stagingName(const QString& path) {
    for (;;) {
        const QString name =
            path + QStringLiteral("~%1").arg(QRandomGenerator::global()->bounded(1 << 24), 6, 16, QLatin1Char('0'));
        if (!QFileInfo::exists(name)) return name;
    }
}

// Gives the new file at path what Windows kept about the old one: attributes (a hidden file stays
// hidden), creation time and permissions (the ACL, whether inherited from the folder or its own).
// Best effort, as on Unix: a file system without them refuses, and the content is in place already.
void keepWhatTheOldFileHad(const QString& path, const WIN32_FILE_ATTRIBUTE_DATA& old, PSECURITY_DESCRIPTOR security) {
    if (security) {
        PACL dacl = nullptr;
        BOOL present = FALSE;
        BOOL defaulted = FALSE;
        SECURITY_DESCRIPTOR_CONTROL control = 0;
        DWORD revision = 0;
        if (::GetSecurityDescriptorDacl(security, &present, &dacl, &defaulted) && present &&
            ::GetSecurityDescriptorControl(security, &control, &revision)) {
            // Inherited entries are taken from the folder again; the file's own ones are copied.
            const SECURITY_INFORMATION what =
                DACL_SECURITY_INFORMATION | ((control & SE_DACL_PROTECTED) ? PROTECTED_DACL_SECURITY_INFORMATION
                                                                           : UNPROTECTED_DACL_SECURITY_INFORMATION);
            ::SetNamedSecurityInfoW(const_cast<wchar_t*>(native(path)), SE_FILE_OBJECT, what, nullptr, nullptr, dacl,
                                    nullptr);
        }
    }
    const HANDLE h =
        ::CreateFileW(native(path), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        ::SetFileTime(h, &old.ftCreationTime, nullptr, nullptr);
        ::CloseHandle(h);
    }
    if (::GetFileAttributesW(native(path)) != old.dwFileAttributes)
        ::SetFileAttributesW(native(path), old.dwFileAttributes);
}

// Whether another program holds path open without letting it be deleted or renamed over.
bool heldOpen(const QString& path) {
    const HANDLE h = ::CreateFileW(native(path), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        ::CloseHandle(h);
        return false;
    }
    return ::GetLastError() == ERROR_SHARING_VIOLATION;
}

// Puts the committed content (at staged) in target's place with one rename, so that whatever stops
// the program or the machine, the target holds its old or its new content. ReplaceFileW is not used:
// it moves the old file aside before it moves the new one in, and a kill between the two (or its
// own failure there) leaves no file under the target's name. What the old file had is given to the
// new one afterwards.
QString replaceWith(const QString& target, const QString& staged) {
    const QString to = QDir::toNativeSeparators(target);
    const QString from = QDir::toNativeSeparators(staged);
    WIN32_FILE_ATTRIBUTE_DATA old{};
    const bool replacing = ::GetFileAttributesExW(native(to), GetFileExInfoStandard, &old);
    PSECURITY_DESCRIPTOR security = nullptr;
    if (replacing && ::GetNamedSecurityInfoW(native(to), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                             nullptr, nullptr, &security) != ERROR_SUCCESS)
        security = nullptr;
    const BOOL done = ::MoveFileExW(native(from), native(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    const DWORD code = done ? DWORD(ERROR_SUCCESS) : ::GetLastError();
    if (done && replacing) keepWhatTheOldFileHad(to, old, security);
    if (security) ::LocalFree(security);
    if (done) return {};
    ::DeleteFileW(native(from));
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
        (code == ERROR_ACCESS_DENIED && heldOpen(to)))
        return QCoreApplication::translate("SaveFile",
                                           "%1 is open in another program, which does not let it be replaced. Close "
                                           "it there, then save again.")
            .arg(to);
    return QCoreApplication::translate("SaveFile", "The new content could not take the place of the old file (%1).")
        .arg(qt_error_string(int(code)));
}
#endif

#ifdef Q_OS_UNIX
// Gives the new file the old one's owner and group as far as the system lets this user: only root
// may give a file away, and others may pass it only to a group they belong to. The reason when the
// system refuses for any other cause.
QString keepOwnerAndGroup(int fd, const struct stat& old) {
    struct stat now {};
    if (::fstat(fd, &now) != 0) return qt_error_string(errno);
    const uid_t uid = now.st_uid == old.st_uid ? uid_t(-1) : old.st_uid;
    const gid_t gid = now.st_gid == old.st_gid ? gid_t(-1) : old.st_gid;
    if (uid == uid_t(-1) && gid == gid_t(-1)) return {};
    if (::fchown(fd, uid, gid) == 0) return {};
    if (errno != EPERM) return qt_error_string(errno);
    if (uid == uid_t(-1) || gid == gid_t(-1)) return {};
    // Not allowed to give the file away; the group may still be one of this user's.
    if (::fchown(fd, uid_t(-1), gid) == 0 || errno == EPERM) return {};
    return qt_error_string(errno);
}
#endif

// Waits until the written data is on the disk; the reason when the system says it is not. QSaveFile
// syncs as well but ignores the outcome, and a network or thin-provisioned disk may report a full
// disk only here.
QString syncToDisk(int fd) {
#ifdef Q_OS_UNIX
    if (fd < 0 || ::fsync(fd) == 0) return {};
    const int error = errno;
    if (error == EINVAL || error == EROFS || error == ENOTSUP) return {}; // a file that cannot be synced
    return qt_error_string(error);
#else
    Q_UNUSED(fd);
    return {};
#endif
}

} // namespace

#ifdef Q_OS_WIN
SaveFile::SaveFile(const QString& path) : QSaveFile(stagingName(regularfile::resolved(path))), m_target(path) {}
#else
SaveFile::SaveFile(const QString& path) : QSaveFile(path), m_target(path) {}
#endif

bool SaveFile::open(OpenMode openMode) {
    if (const QString problem = savefile::pathProblem(m_target); !problem.isEmpty()) {
        setErrorString(problem);
        return false;
    }
    m_failure.clear();
#ifdef Q_OS_UNIX
    struct stat old {};
    const bool replacing = ::stat(QFile::encodeName(regularfile::resolved(m_target)).constData(), &old) == 0;
#endif
    if (!QSaveFile::open(openMode)) return false;
#ifdef Q_OS_UNIX
    if (replacing) {
        // The new file is this user's; a file saved by root must not be taken from its owner. First,
        // as a change of owner may clear the set-user-ID and set-group-ID bits.
        if (const QString why = keepOwnerAndGroup(int(handle()), old); !why.isEmpty()) {
            cancelWriting();
            QSaveFile::commit(); // removes the temporary file
            setErrorString(
                QCoreApplication::translate(
                    "SaveFile", "The new content could not be given the owner and group of the old file (%1).")
                    .arg(why));
            return false;
        }
        // QSaveFile copies the permissions as Qt sees them for the running user, which adds the
        // owner's read and write bits whenever that user may read and write (root always may).
        // Best effort, as a file system without permission bits refuses.
        (void)::fchmod(handle(), old.st_mode & 07777);
    }
#endif
    return true;
}

void SaveFile::failWith(const QString& reason) {
    m_failure = reason;
    cancelWriting(); // from here on commit() can only fail
    setErrorString(reason);
}

QString SaveFile::reasonOfFailure(int code) const {
    return code != 0 ? qt_error_string(code) : errorString();
}

qint64 SaveFile::writeData(const char* data, qint64 len) {
    if (const auto fault = injected(Step::Write, len)) {
        QSaveFile::writeData(data, qBound<qint64>(0, fault->through, len));
        failWith(fault->reason);
        return -1;
    }
    clearSystemError();
    const qint64 written = QSaveFile::writeData(data, len);
    // A short write is a failed one here: nobody writes the rest, and the file would be cut off.
    if (written == len) return written;
    failWith(reasonOfFailure(systemError()));
    return -1;
}

bool SaveFile::flush() {
    if (const auto fault = injected(Step::Flush, 0)) {
        failWith(fault->reason);
        return false;
    }
    if (!m_failure.isEmpty()) return false;
    clearSystemError();
    if (QSaveFile::flush()) return true;
    failWith(reasonOfFailure(systemError()));
    return false;
}

bool SaveFile::commit() {
    if (!isOpen()) return QSaveFile::commit();
    QString reason = m_failure;
    if (reason.isEmpty() && !flush()) reason = m_failure;
    if (reason.isEmpty())
        if (const auto fault = injected(Step::Commit, 0)) reason = fault->reason;
    if (reason.isEmpty()) reason = syncToDisk(handle());
    if (reason.isEmpty()) {
#ifdef Q_OS_WIN
        if (QSaveFile::commit()) {
            reason = replaceWith(regularfile::resolved(m_target), fileName());
            if (reason.isEmpty()) return true;
            setErrorString(reason);
            return false;
        }
#else
        if (QSaveFile::commit()) return true;
#endif
        setErrorString(
            QCoreApplication::translate("SaveFile", "The new content could not take the place of the old file (%1).")
                .arg(errorString()));
        return false;
    }
    failWith(reason);
    QSaveFile::commit(); // removes the temporary file now rather than at destruction
    setErrorString(reason);
    return false;
}
