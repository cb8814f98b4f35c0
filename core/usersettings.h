#pragma once

#include "core/dryrun/dryrun.h"
#include "core/textfile.h"

#include <QByteArray>
#include <QSize>
#include <QStringList>
#include <QVariantMap>

// The per-user settings beside stacker.ini: the window's size, the panes' places and the recent files,
// in one INI file of the user's (cvstacker.conf under the configuration folder). It is read once, only
// when it is a regular file of a sensible size (a FIFO would block the start, a huge value fill the
// memory), and written through the one safe path that replaces nothing but a regular file; a file
// that is something else is left alone and nothing is kept.
class UserSettings {
public:
    // The per-user file, as the platform names it; tests may pass their own.
    explicit UserSettings(QString path = defaultPath());
    static QString defaultPath();

    QString path() const { return m_path; }

    QStringList recentFiles() const;
    void setRecentFiles(const QStringList& files);
    QSize windowSize() const;
    void setWindowSize(QSize size);
    QByteArray dockState() const;
    void setDockState(const QByteArray& state);

    // The INPUT answers a part file was last run with, remembered with the file's recent entry.
    dryrun::Answers answers(const QString& partFile) const;
    void setAnswers(const QString& partFile, const dryrun::Answers& answers);
    // The dry run's speeds, table, blank and step limit as the operator set them (the defaults otherwise).
    dryrun::Settings dryRunSettings() const;
    void setDryRunSettings(const dryrun::Settings& settings);

    // Writes the values (a no-op for a file that is left alone).
    FileResult save() const;

    // The most of the file that is read.
    static constexpr qint64 MaxSize = 1 << 20;

private:
    QString m_path;
    bool m_usable = false;
    QVariantMap m_values;
};
