#pragma once

// The offscreen platform's own screen is 800 x 600, smaller than the main window; a test of how the
// window uses its screen asks for a PC's, from its initMain() (before the application starts).
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

inline void useOffscreenScreen(int width, int height) {
    if (qgetenv("QT_QPA_PLATFORM") != "offscreen") return;
    // The platform's arguments part at colons, a drive letter's included: the file is named from the
    // working folder, the test's build folder.
    const QString name = QStringLiteral("offscreen-%1x%2.json").arg(width).arg(height);
    const QJsonObject screen{{QStringLiteral("name"), QStringLiteral("screen")},
                             {QStringLiteral("x"), 0},
                             {QStringLiteral("y"), 0},
                             {QStringLiteral("width"), width},
                             {QStringLiteral("height"), height},
                             {QStringLiteral("logicalDpi"), 96},
                             {QStringLiteral("dpr"), 1.0}};
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(QJsonDocument(QJsonObject{{QStringLiteral("screens"), QJsonArray{screen}}}).toJson()) < 0)
        qFatal("cannot write %s", qPrintable(name));
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + name.toLocal8Bit());
}
