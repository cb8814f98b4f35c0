#pragma once

// What the Headsmith tests share: a folder of their own with a part file in "work/", a parts folder
// and a program folder, a scripted user, and small file helpers.
#include "core/headsmith/cuttinglists.h"
#include "core/headsmith/headeranswers.h"
#include "core/headsmith/headertext.h"
#include "core/headsmith/helpfile.h"
#include "core/headsmith/rewrite.h"
#include "core/linestream.h"
#include "core/textfile.h"
#include "platform/savefile.h"
#include "samplefields.h"
#include "scriptedplatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using Outcome = headsmith::RewriteResult::Outcome;

namespace headsmithtest {

const QByteArray Part = "' Created using the Corvane Part File Stacker\r\n' test notice\r\n'\r\nMX, 2   \r\nEND\r\n";

QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Every one-line box of the window, by object name (an editable list by the list's name).
const char* const OneLineBoxes[] = {"txtDescription",   "txtCreatedBy",  "txtDate",        "txtCopyright",
                                    "txtCopyrightYear", "cmbUse",        "txtContactName", "txtEmail",
                                    "txtPhone",         "txtHeaderFile", "txtFooterFile",  "txtXOffset",
                                    "txtYOffset",       "txtZOffset",    "cmbBlank",       "cmbThickness",
                                    "cmbMaterial",      "cmbBitSize",    "cmbBitType",     "txtEnterInfo"};

// The window's controls are private: tests find them by object name, as accessibility tools do.
template <typename W> W* child(const QObject& window, const char* name) {
    W* w = window.findChild<W*>(QLatin1String(name));
    if (!w) qFatal("no control %s", name);
    return w;
}

QByteArray crlf(const QList<QByteArray>& lines) {
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + "\r\n";
    return out;
}

} // namespace headsmithtest

using namespace headsmithtest;

class HeadsmithFixture {
protected:
    QTemporaryDir* m_dir = nullptr;
    ScriptedPlatform* m_platform = nullptr;
    QString m_part;

    QString path(const QString& name) const { return m_dir->filePath(name); }
    QString variablesFile() const { return headeranswers::variablesFilePath(m_platform->partsDir); }
    headsmith::RewriteResult rewrite(const HeaderFields& f, const headsmith::Progress& progress = {}) {
        return headsmith::rewritePartFile(m_part, f, *m_platform, progress);
    }
    // The file as a first run with plain answers leaves it.
    QByteArray withHeader(const HeaderFields& f) {
        writeBytes(m_part, Part);
        [&] { QCOMPARE(rewrite(f).outcome, Outcome::Written); }();
        return readBytes(m_part);
    }

    // Called from each test's init() and cleanup().
    void setUpFixture() {
        QStandardPaths::setTestModeEnabled(true);
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        m_platform = new ScriptedPlatform;
        m_platform->partsDir = path(QStringLiteral("cvparts"));
        m_platform->programDir = path(QStringLiteral("program"));
        QDir().mkpath(m_platform->programDir);
        m_part = path(QStringLiteral("work/part.cvp"));
        QDir().mkpath(path(QStringLiteral("work")));
    }
    void tearDownFixture() {
        if (!QTest::currentTestFailed()) {
            QVERIFY2(m_platform->yesNo.isEmpty(), "a scripted answer was not used");
            QVERIFY2(m_platform->files.isEmpty(), "a scripted file choice was not used");
        }
        delete m_platform;
        delete m_dir;
    }
};
