#include "core/settings.h"

#include "platform/platform.h"
#include "platform/regularfile.h"

#include <QDir>
#include <QFile>

namespace settings {

bool selectsAdvanced(const QByteArray& firstLine) {
    QByteArray line = firstLine;
    // An editor that saves as UTF-8 may put a byte-order mark first: it is no part of the key.
    if (line.startsWith("\xEF\xBB\xBF")) line.remove(0, 3);
    if (line.endsWith('\n')) line.chop(1);
    if (line.endsWith('\r')) line.chop(1);
    const qsizetype eq = line.indexOf('=');
    if (eq < 0) return false;
    // Only blanks are trimmed, as the file was always written with blanks around "=".
    const QByteArrayView blanks(" ");
    return textfile::trimmed(QByteArrayView(line).first(eq), blanks) == "advanced" &&
           textfile::trimmed(QByteArrayView(line).sliced(eq + 1), blanks) == "1";
}

QString findFile(const QString& folder) {
    return textfile::findNoCase(folder, FileName);
}

QByteArray readFirstLine(const QString& path) {
    QFile file(path);
    if (!regularfile::openForReading(file)) return {};
    const QByteArray head = file.read(MaxFirstLine);
    const qsizetype end = head.indexOf('\n');
    return end < 0 ? head : head.left(end + 1);
}

FileResult save(const QString& folder, bool advanced) {
    const QString existing = findFile(folder);
    const QString path = existing.isEmpty() ? QDir(folder).filePath(FileName) : existing;
    if (!regularfile::specialKind(path).isEmpty()) return {};
    return textfile::saveLines(path,
                               {advanced ? QByteArrayLiteral("advanced = 1") : QByteArrayLiteral("advanced = 0")});
}

Places locate(const QString& programFolder, const QString& userFolder, bool programWritable) {
    const QString beside = programFolder.isEmpty() ? QString() : findFile(programFolder);
    // Root may write anywhere, so a writable folder says nothing about whose it is; a file an
    // earlier version left beside an installed program is read once and then kept per user.
    if (!beside.isEmpty() && programWritable && !isSystemFolder(programFolder)) return {beside, programFolder};
    const QString userFile = userFolder.isEmpty() ? QString() : findFile(userFolder);
    return {userFile.isEmpty() ? beside : userFile, userFolder};
}

FileResult save(const Places& places, bool advanced) {
    QDir().mkpath(places.folder);
    return save(places.folder, advanced);
}

} // namespace settings
