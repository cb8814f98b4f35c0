#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QDialog;
class QWidget;
class Platform;

// Headsmith's help, asked for from its "?" button and from the main window's Help > Contents: in the
// maker's editor where the maker's software is installed, else in a help window of the program's
// own, one per owner, brought forward when asked again.
class HelpViewer : public QObject {
    Q_OBJECT

public:
    // The help window is the owner's child, so it closes with it.
    HelpViewer(Platform& platform, QWidget* owner);

    void show();
    // The install folder of the maker's software, as show() last found it; empty when not found.
    QString installFolder() const { return m_installFolder; }

private:
    void showWindow();

    Platform& m_platform;
    QWidget* m_owner;
    QString m_installFolder;
    QPointer<QDialog> m_window;
};
