#include "core/settings.h"

#include <QDir>
#include <QFile>

namespace settings {

bool selectsAdvanced(const QByteArray& firstLine) {
    QByteArray line = firstLine;
    if (line.endsWith('\n')) line.chop(1);
    if (line.endsWith('\r')) line.chop(1);
    const qsizetype eq = line.indexOf('=');
    if (eq < 0) return false;
    // Only blanks are trimmed, as the file was always written with blanks around "=".
    auto trimBlanks = [](QByteArray s) {
        while (s.startsWith(' '))
            s.remove(0, 1);
        while (s.endsWith(' '))
            s.chop(1);
        return s;
    };
    return trimBlanks(line.left(eq)) == "advanced" && trimBlanks(line.mid(eq + 1)) == "1";
}

QString findFile(const QString& folder) {
    const QDir dir(folder);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : entries)
        if (name.compare(FileName, Qt::CaseInsensitive) == 0) return dir.filePath(name);
    return {};
}

QByteArray readFirstLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readLine();
}

FileResult save(const QString& folder, bool advanced) {
    const QString existing = findFile(folder);
    const QString path = existing.isEmpty() ? QDir(folder).filePath(FileName) : existing;
    return textfile::saveLines(path,
                               {advanced ? QByteArrayLiteral("advanced = 1") : QByteArrayLiteral("advanced = 0")});
}

} // namespace settings
