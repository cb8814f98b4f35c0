#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>

// The name the desktop knows the program by: its .desktop file, its AppStream id and its MIME
// package all carry it.
inline const QString DesktopFileName = QStringLiteral("com.corvane.PartFileStacker");

// The version the build was made with (the project's version in CMake).
QString programVersion();

// The program's icon, embedded so that the build tree, an installed copy and a Windows build all show it.
QIcon programIcon();

// Help > About: the program's name, version and notice holder, and the Qt it runs on.
class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
