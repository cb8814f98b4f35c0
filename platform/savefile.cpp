#include "platform/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <atomic>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace writefaults {

namespace {

std::array<std::atomic<int>, 3> g_calls{};
std::array<std::atomic<int>, 3> g_failAt{};

std::size_t slot(Step step) {
    return static_cast<std::size_t>(step);
}

} // namespace

void clear() {
    for (std::size_t i = 0; i < g_calls.size(); ++i) {
        g_calls[i] = 0;
        g_failAt[i] = 0;
    }
}

void arm(Step step, int n) {
    clear();
    g_failAt[slot(step)] = n;
}

int calls(Step step) {
    return g_calls[slot(step)];
}

// True when this call of step is the one armed to fail.
static bool hit(Step step) {
    const int n = ++g_calls[slot(step)];
    return n == g_failAt[slot(step)];
}

} // namespace writefaults

namespace savefile {

namespace {

// QSaveFile names its temporary file after the target with "." and six random characters added.
constexpr qint64 TemporarySuffix = 7;

qint64 nativeLength(const QString& text) {
#ifdef Q_OS_WIN
    return text.size();
#else
    return QFile::encodeName(text).size();
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
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    const QFileInfo dir(folder);
    if (!dir.isDir()) {
        if (dir.exists()) return QStringLiteral("%1 is a file, not a folder.").arg(QDir::toNativeSeparators(folder));
        // Name the part of the path that stands in the way, if it is a file.
        QString up = folder;
        for (QString parent = QFileInfo(up).absolutePath(); parent != up; parent = QFileInfo(up).absolutePath()) {
            up = parent;
            const QFileInfo at(up);
            if (at.exists()) {
                if (!at.isDir())
                    return QStringLiteral("The folder %1 cannot exist: %2 is a file, not a folder.")
                        .arg(QDir::toNativeSeparators(folder), QDir::toNativeSeparators(up));
                break;
            }
        }
        return QStringLiteral("The folder %1 does not exist.").arg(QDir::toNativeSeparators(folder));
    }
    if (target.isDir()) return QStringLiteral("It is a folder, not a file.");

    const Limits l = limits(folder);
    const qint64 name = nativeLength(target.fileName());
    const qint64 whole = nativeLength(QDir::toNativeSeparators(target.absoluteFilePath()));
    if (name > l.name)
        return QStringLiteral("The file name is longer than the system allows (%1 characters).").arg(l.name);
    if (whole >= l.path)
        return QStringLiteral("The path is longer than the system allows (%1 characters).").arg(l.path - 1);
    if (name + TemporarySuffix > l.name)
        return QStringLiteral("The file name is too long to be saved safely: the new content is first written "
                              "under a temporary name %1 characters longer, and that name would pass the system's "
                              "limit of %2 characters for a file name. Choose a shorter name.")
            .arg(TemporarySuffix)
            .arg(l.name);
    if (whole + TemporarySuffix >= l.path)
        return QStringLiteral("The path is too long to be saved safely: the new content is first written under a "
                              "temporary name %1 characters longer, and its path would pass the system's limit of "
                              "%2 characters. Choose a shorter name or a folder nearer the top of the drive.")
            .arg(TemporarySuffix)
            .arg(l.path - 1);
    return {};
}

} // namespace savefile

SaveFile::SaveFile(const QString& path) : QSaveFile(path) {}

bool SaveFile::open(OpenMode mode) {
    if (const QString problem = savefile::pathProblem(fileName()); !problem.isEmpty()) {
        setErrorString(problem);
        return false;
    }
    return QSaveFile::open(mode);
}

void SaveFile::failWith(const QString& reason) {
    cancelWriting(); // from here on commit() can only fail
    setErrorString(reason);
}

qint64 SaveFile::writeData(const char* data, qint64 len) {
    if (writefaults::hit(writefaults::Step::Write)) {
        // As a full disk does: part of the data gets through, then the write fails.
        QSaveFile::writeData(data, len / 2);
        failWith(QStringLiteral("Simulated write failure."));
        return -1;
    }
    return QSaveFile::writeData(data, len);
}

bool SaveFile::flush() {
    if (writefaults::hit(writefaults::Step::Flush)) {
        failWith(QStringLiteral("Simulated flush failure."));
        return false;
    }
    if (QSaveFile::flush()) return true;
    failWith(errorString());
    return false;
}

bool SaveFile::commit() {
    if (!isOpen()) return QSaveFile::commit();
    QString reason;
    if (!flush())
        reason = errorString();
    else if (writefaults::hit(writefaults::Step::Commit))
        reason = QStringLiteral("Simulated failure to replace the file.");
    if (reason.isEmpty()) {
        if (QSaveFile::commit()) return true;
        setErrorString(
            QStringLiteral("The new content could not take the place of the old file (%1).").arg(errorString()));
        return false;
    }
    failWith(reason);
    QSaveFile::commit(); // removes the temporary file now rather than at destruction
    setErrorString(reason);
    return false;
}
