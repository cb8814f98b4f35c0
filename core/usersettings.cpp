#include "core/usersettings.h"

#include "platform/platform.h"
#include "platform/regularfile.h"
#include "platform/savefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

namespace {

const QString RecentKey = QStringLiteral("RecentFiles");
const QString SizeKey = QStringLiteral("mainWindow/size");
const QString DocksKey = QStringLiteral("window/docks");

} // namespace

QString UserSettings::defaultPath() {
    return userSettingsFile();
}

UserSettings::UserSettings(QString path) : m_path(std::move(path)) {
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink()) {
        m_usable = regularfile::specialKind(m_path).isEmpty();
        return;
    }
    // Links are followed; anything but a regular file of a sensible size is left alone.
    QFile file(m_path);
    if (!regularfile::openForReading(file) || file.size() > MaxSize) return;
    const QByteArray content = file.read(MaxSize + 1);
    if (content.size() > MaxSize) return;
    m_usable = true;
    // QSettings reads what it is given; it is given a copy, so it never opens the user's file itself.
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("settings.conf"));
    QFile out(copy);
    if (!dir.isValid() || !out.open(QIODevice::WriteOnly) || out.write(content) != content.size()) return;
    out.close();
    const QSettings read(copy, QSettings::IniFormat);
    for (const QString& key : read.allKeys())
        m_values.insert(key, read.value(key));
}

QStringList UserSettings::recentFiles() const {
    QStringList files = m_values.value(RecentKey).toStringList();
    files.removeAll(QString());
    return files;
}

void UserSettings::setRecentFiles(const QStringList& files) {
    m_values.insert(RecentKey, files);
}

QSize UserSettings::windowSize() const {
    return m_values.value(SizeKey).toSize();
}

void UserSettings::setWindowSize(QSize size) {
    m_values.insert(SizeKey, size);
}

QByteArray UserSettings::dockState() const {
    return m_values.value(DocksKey).toByteArray();
}

void UserSettings::setDockState(const QByteArray& state) {
    m_values.insert(DocksKey, state);
}

FileResult UserSettings::save() const {
    if (!m_usable) return {};
    // QSettings composes the file in a folder of its own; the result goes into place like every
    // other file the program writes.
    QTemporaryDir dir;
    if (!dir.isValid()) return FileResult::failure(m_path, dir.errorString());
    const QString composed = dir.filePath(QStringLiteral("settings.conf"));
    {
        QSettings out(composed, QSettings::IniFormat);
        for (auto it = m_values.begin(); it != m_values.end(); ++it)
            out.setValue(it.key(), it.value());
        out.sync();
        if (out.status() != QSettings::NoError)
            return FileResult::failure(
                m_path, QCoreApplication::translate("UserSettings", "The settings could not be composed."));
    }
    QFile in(composed);
    if (!in.open(QIODevice::ReadOnly)) return FileResult::failure(m_path, in.errorString());
    const QByteArray content = in.readAll();
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    SaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) return FileResult::failure(m_path, file.errorString());
    if (file.write(content) != content.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return FileResult::failure(m_path, reason);
    }
    if (!file.commit()) return FileResult::failure(m_path, file.errorString());
    return {};
}
