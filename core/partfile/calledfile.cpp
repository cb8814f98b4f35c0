#include "core/partfile/calledfile.h"

#include "core/textfile.h"
#include "platform/regularfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace calledfile {

namespace {

// Where Windows runs, "C:/" is a path from a drive's root.
bool onWindows() {
    static const bool windows = QDir::isAbsolutePath(QStringLiteral("C:/"));
    return windows;
}

} // namespace

Target resolve(const QString& written, const QString& folder) {
    const QString name = written.trimmed();
    if (name.isEmpty()) return {};
    if (name.contains(u'&')) return {Target::Kind::Variable, {}};
    // A drive letter, a network share or a backslash at the start is a path like any other where
    // Windows runs; elsewhere it leads nowhere.
    static const QRegularExpression windowsRoot(QStringLiteral("^([A-Za-z]:|\\\\|//)"));
    if (!onWindows() && windowsRoot.match(name).hasMatch()) return {Target::Kind::WindowsPath, {}};
    return {Target::Kind::Path, pathOf(name, folder)};
}

QString pathOf(const QString& name, const QString& folder) {
    QString slashed = QString(name).replace(u'\\', u'/');
    const QString base = QDir::fromNativeSeparators(folder);
    if (onWindows()) {
        // "C:sub.cvp" is taken from drive C's current folder: the part file's own where it lies on C,
        // else C's root. "\parts\sub.cvp" is on the part file's drive.
        static const QRegularExpression driveRelative(QStringLiteral("^([A-Za-z]:)(?!/)"));
        static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
        if (const QRegularExpressionMatch m = driveRelative.match(slashed); m.hasMatch()) {
            const QString rest = slashed.mid(2);
            slashed =
                base.startsWith(m.captured(1), Qt::CaseInsensitive) ? base + u'/' + rest : m.captured(1) + u'/' + rest;
        } else if (slashed.startsWith(u'/') && !slashed.startsWith(QLatin1String("//"))) {
            if (const QRegularExpressionMatch d = drive.match(base); d.hasMatch()) slashed = d.captured() + slashed;
        }
    }
    if (QDir::isAbsolutePath(slashed) || folder.isEmpty()) return QDir::cleanPath(slashed);
    return QDir::cleanPath(base + u'/' + slashed);
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
