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

#include <cmath>

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

namespace {

const QString AnswersKey = QStringLiteral("dryRun/answers");
const QString DryRunKey = QStringLiteral("dryRun/settings");

// The settings as name and value, in one table so reading and writing cannot disagree.
struct NumberSetting {
    const char* key;
    double dryrun::Settings::*plain = nullptr;
    double dryrun::AxisSpeeds::*speed = nullptr;
    dryrun::AxisSpeeds dryrun::Settings::*group = nullptr;
    std::optional<double> dryrun::Settings::*optional = nullptr;
};
const NumberSetting NumberSettings[] = {
    {"moveXY", nullptr, &dryrun::AxisSpeeds::xy, &dryrun::Settings::move},
    {"moveZ", nullptr, &dryrun::AxisSpeeds::z, &dryrun::Settings::move},
    {"moveA", nullptr, &dryrun::AxisSpeeds::a, &dryrun::Settings::move},
    {"moveB", nullptr, &dryrun::AxisSpeeds::b, &dryrun::Settings::move},
    {"jogXY", nullptr, &dryrun::AxisSpeeds::xy, &dryrun::Settings::jog},
    {"jogZ", nullptr, &dryrun::AxisSpeeds::z, &dryrun::Settings::jog},
    {"jogA", nullptr, &dryrun::AxisSpeeds::a, &dryrun::Settings::jog},
    {"jogB", nullptr, &dryrun::AxisSpeeds::b, &dryrun::Settings::jog},
    {"accelXY", &dryrun::Settings::accelXY},
    {"accelZ", &dryrun::Settings::accelZ},
    {"accelAB", &dryrun::Settings::accelAB},
    {"calibration", &dryrun::Settings::calibration},
    {"carveBudgetMiB", &dryrun::Settings::carveBudgetMiB},
    {"tableX", nullptr, nullptr, nullptr, &dryrun::Settings::tableX},
    {"tableY", nullptr, nullptr, nullptr, &dryrun::Settings::tableY},
    {"blankX", nullptr, nullptr, nullptr, &dryrun::Settings::blankX},
    {"blankY", nullptr, nullptr, nullptr, &dryrun::Settings::blankY},
    {"thickness", nullptr, nullptr, nullptr, &dryrun::Settings::thickness},
    {"vBitDiameter", nullptr, nullptr, nullptr, &dryrun::Settings::vBitDiameter},
};

// Words, not numbers, in the settings file: a person reading it sees what they mean.
const std::pair<dryrun::Tool::Shape, const char*> ShapeWords[] = {
    {dryrun::Tool::Shape::Flat, "flat"}, {dryrun::Tool::Shape::V, "v"}, {dryrun::Tool::Shape::Ball, "ball"}};

} // namespace

dryrun::Answers UserSettings::answers(const QString& partFile) const {
    dryrun::Answers out;
    const QVariantMap stored = m_values.value(AnswersKey).toMap().value(partFile).toMap();
    for (auto it = stored.begin(); it != stored.end(); ++it) {
        bool ok = false;
        const double value = it.value().toDouble(&ok);
        if (!ok) continue;
        if (it.key().startsWith(QLatin1String("line:")))
            out.byLine.insert({0, it.key().mid(5).toInt()}, value);
        else if (it.key().startsWith(QLatin1String("var:")))
            out.byVariable.insert(it.key().mid(4), value);
    }
    return out;
}

void UserSettings::setAnswers(const QString& partFile, const dryrun::Answers& answers) {
    if (partFile.isEmpty()) return;
    QVariantMap stored;
    for (auto it = answers.byLine.begin(); it != answers.byLine.end(); ++it)
        if (it.key().file == 0) stored.insert(QStringLiteral("line:%1").arg(it.key().line), it.value());
    for (auto it = answers.byVariable.begin(); it != answers.byVariable.end(); ++it)
        stored.insert(QStringLiteral("var:") + it.key(), it.value());
    QVariantMap all = m_values.value(AnswersKey).toMap();
    // Answers follow the recent files: a file no longer among them takes its answers along.
    for (const QString& file : all.keys())
        if (file != partFile && !recentFiles().contains(file)) all.remove(file);
    if (stored.isEmpty())
        all.remove(partFile);
    else
        all.insert(partFile, stored);
    m_values.insert(AnswersKey, all);
}

dryrun::Settings UserSettings::dryRunSettings() const {
    dryrun::Settings s;
    const QVariantMap stored = m_values.value(DryRunKey).toMap();
    for (const NumberSetting& n : NumberSettings) {
        bool ok = false;
        const double value = stored.value(QLatin1String(n.key)).toDouble(&ok);
        // The file may have been edited by hand: a value that is no size or speed keeps the default.
        if (!ok || !std::isfinite(value) || value <= 0) continue;
        if (n.plain) s.*n.plain = value;
        if (n.speed) (s.*n.group).*n.speed = value;
        if (n.optional) s.*n.optional = value;
    }
    s.acceleration = stored.value(QStringLiteral("acceleration")).toBool();
    s.zeroOnTable = stored.value(QStringLiteral("zeroOnTable")).toBool();
    bool ok = false;
    const qlonglong limit = stored.value(QStringLiteral("stepLimit")).toLongLong(&ok);
    if (ok && limit > 0 && limit <= dryrun::Settings::MaxStepLimit) s.stepLimit = limit;
    if (stored.value(QStringLiteral("unit")).toString() == QLatin1String("mm")) s.unit = dryrun::Unit::Millimetre;
    const QString shape = stored.value(QStringLiteral("toolShape")).toString();
    for (const auto& [value, word] : ShapeWords)
        if (shape == QLatin1String(word)) s.tool.shape = value;
    const double diameter = stored.value(QStringLiteral("toolDiameter")).toDouble(&ok);
    if (ok && std::isfinite(diameter) && diameter > 0) s.tool.diameter = diameter;
    const double angle = stored.value(QStringLiteral("toolAngle")).toDouble(&ok);
    if (ok && angle > 0 && angle < 180) s.tool.angle = angle;
    return s;
}

void UserSettings::setDryRunSettings(const dryrun::Settings& s) {
    QVariantMap stored;
    for (const NumberSetting& n : NumberSettings) {
        if (n.plain) stored.insert(QLatin1String(n.key), s.*n.plain);
        if (n.speed) stored.insert(QLatin1String(n.key), (s.*n.group).*n.speed);
        if (n.optional && (s.*n.optional)) stored.insert(QLatin1String(n.key), *(s.*n.optional));
    }
    stored.insert(QStringLiteral("acceleration"), s.acceleration);
    stored.insert(QStringLiteral("zeroOnTable"), s.zeroOnTable);
    stored.insert(QStringLiteral("stepLimit"), s.stepLimit);
    stored.insert(QStringLiteral("unit"), dryrun::unitSymbol(s.unit));
    for (const auto& [value, word] : ShapeWords)
        if (s.tool.shape == value) stored.insert(QStringLiteral("toolShape"), QLatin1String(word));
    stored.insert(QStringLiteral("toolDiameter"), s.tool.diameter);
    stored.insert(QStringLiteral("toolAngle"), s.tool.angle);
    m_values.insert(DryRunKey, stored);
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
