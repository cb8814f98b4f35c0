#include "core/partfile/calledfile.h"

#include "core/textfile.h"
#include "platform/regularfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace calledfile {

Target resolve(const QString& written, const QString& folder) {
    const QString name = written.trimmed();
    if (name.isEmpty()) return {};
    if (name.contains(u'&')) return {Target::Kind::Variable, {}};
    const QString slashed = QString(name).replace(u'\\', u'/');
    // A drive letter or a network share is a path like any other where Windows runs (where "C:/" is
    // absolute); elsewhere it leads nowhere.
    static const bool onWindows = QDir::isAbsolutePath(QStringLiteral("C:/"));
    static const QRegularExpression windowsRoot(QStringLiteral("^([A-Za-z]:|//)"));
    if (!onWindows && windowsRoot.match(slashed).hasMatch()) return {Target::Kind::WindowsPath, {}};
    return {Target::Kind::Path, pathOf(name, folder)};
}

QString pathOf(const QString& name, const QString& folder) {
    const QString slashed = QString(name).replace(u'\\', u'/');
    if (QDir::isAbsolutePath(slashed) || folder.isEmpty()) return QDir::cleanPath(slashed);
    return QDir::cleanPath(QDir::fromNativeSeparators(folder) + u'/' + slashed);
}

QString locate(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    const auto there = [](const QString& p) { return QFileInfo::exists(p) || QFileInfo(p).isSymLink(); };
    if (there(clean)) return clean;
    // Up to the nearest folder that is there, then down again by names of any case.
    QStringList missing;
    QString existing = clean;
    while (!there(existing)) {
        missing.prepend(QFileInfo(existing).fileName());
        const QString up = QFileInfo(existing).path();
        if (up == existing) return {};
        existing = up;
    }
    QString found = existing;
    for (const QString& part : std::as_const(missing)) {
        found = textfile::findNoCase(found, part);
        if (found.isEmpty()) return {};
    }
    return found;
}

Found find(const QString& path) {
    const QString found = locate(path);
    if (found.isEmpty()) return {};
    const QString what = regularfile::specialKind(found);
    if (!what.isEmpty()) return {Found::Kind::Other, found, what};
    // A link to nothing is no file either, though its name is there.
    if (!QFileInfo(found).isFile()) return {};
    return {Found::Kind::File, found, {}};
}

} // namespace calledfile
