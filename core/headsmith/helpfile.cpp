#include "core/headsmith/helpfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace helpfile {

std::optional<QString> installFolder(const QString& programFolder) {
    const qsizetype at = programFolder.lastIndexOf(QStringLiteral("Toolcrate"));
    if (at < 0) return std::nullopt;
    return programFolder.left(at);
}

QString editorPath(const QString& pathString) {
    QString base = pathString;
    while (base.endsWith(u'\\') || base.endsWith(u'/'))
        base.chop(1);
    return QDir::toNativeSeparators(base + QStringLiteral("/Corvane 3/RAzivi.EXE"));
}

QString filePath(const QString& programFolder) {
    const QString beside = QDir(programFolder).filePath(FileName);
    if (!programFolder.isEmpty() && QFileInfo(beside).isFile()) return QDir::toNativeSeparators(beside);
    const QString installed =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("cvstacker/") + FileName);
    return QDir::toNativeSeparators(installed.isEmpty() ? beside : installed);
}

} // namespace helpfile
