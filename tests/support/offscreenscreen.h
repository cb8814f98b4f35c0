#pragma once

// The offscreen platform's own screen is 800 x 600, smaller than the main window; a test of how the
// window uses its screens asks for a PC's, from its initMain() (before the application starts).
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRect>

#include <initializer_list>

inline void useOffscreenScreens(std::initializer_list<QRect> screens) {
    if (qgetenv("QT_QPA_PLATFORM") != "offscreen") return;
    QJsonArray list;
    for (const QRect& r : screens)
        list.append(QJsonObject{{QStringLiteral("name"), QStringLiteral("screen %1").arg(list.size() + 1)},
                                {QStringLiteral("x"), r.x()},
                                {QStringLiteral("y"), r.y()},
                                {QStringLiteral("width"), r.width()},
                                {QStringLiteral("height"), r.height()},
                                {QStringLiteral("logicalDpi"), 96},
                                {QStringLiteral("dpr"), 1.0}});
    // The platform's arguments part at colons, a drive letter's included: the file is named from the
    // working folder, the test's build folder.
    const QString name = QStringLiteral("offscreen-screens.json");
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(QJsonDocument(QJsonObject{{QStringLiteral("screens"), list}}).toJson()) < 0)
        qFatal("cannot write %s", qPrintable(name));
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + name.toLocal8Bit());
}
