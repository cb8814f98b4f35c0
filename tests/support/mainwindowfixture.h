#pragma once

// What every test of the whole main window starts from: a folder of its own as the program's folder
// and the parts folder's parent, a scripted user, no window size, panes, recent files or per-user
// stacker.ini left by an earlier test, and a window started on a part file.
#include "core/settings.h"
#include "core/usersettings.h"
#include "gui/document/partdocument.h"
#include "gui/mainwindow/mainwindow.h"
#include "platform/platform.h"
#include "scriptedplatform.h"
#include "testfiles.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class MainWindowFixture {
protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedPlatform m_platform;

    QString path(const QString& name) const { return QDir::toNativeSeparators(m_dir->filePath(name)); }
    static QAction* action(MainWindow& w, const char* name) { return w.findChild<QAction*>(QLatin1String(name)); }
    static QPushButton* button(MainWindow& w, const char* name) {
        return w.findChild<QPushButton*>(QLatin1String(name));
    }
    static ProgramModel& model(MainWindow& w) { return w.document().model(); }
    // The held texts of the program's lines, top to bottom.
    static QStringList heldTexts(MainWindow& w) {
        QStringList out;
        for (const ProgramLine& line : model(w).lines())
            out << line.held;
        return out;
    }

    // Called from each test's init().
    void resetFixture() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_platform = ScriptedPlatform{};
        m_platform.programDir = m_dir->path();
        m_platform.partsDir = path(QStringLiteral("cvparts"));
        QFile::remove(UserSettings::defaultPath());
        QFile::remove(userIni());
    }

    // Where a first run keeps the toolbox mode: the per-user stacker.ini.
    static QString userIni() { return QDir(userSettingsFolder()).filePath(settings::FileName); }

    // A started window. Unless it is a first run, stacker.ini is there and selects Advanced mode; the
    // name choice gives the part file partFile, or the file startFile is opened instead.
    std::unique_ptr<MainWindow> startWindow(const DialogRunner& runner, bool firstRun, const QString& partFile,
                                            const QString& startFile = {}) {
        if (!firstRun && !QFile::exists(path(QStringLiteral("stacker.ini"))))
            putBytes(path(QStringLiteral("stacker.ini")), "advanced = 1\r\n");
        if (startFile.isEmpty()) m_platform.files << path(partFile);
        auto w = std::make_unique<MainWindow>(m_platform);
        w->setDialogRunner(runner);
        if (!startFile.isEmpty()) w->setStartFile(startFile);
        [&] { QVERIFY(w->start()); }();
        return w;
    }
};
