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
    const QByteArrayView blanks(" ");
    return textfile::trimmed(QByteArrayView(line).first(eq), blanks) == "advanced" &&
           textfile::trimmed(QByteArrayView(line).sliced(eq + 1), blanks) == "1";
}

QString findFile(const QString& folder) {
    return textfile::findNoCase(folder, FileName);
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
