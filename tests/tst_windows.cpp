// What only Windows does to files, run under Windows (or Wine): a save replaces the file the system's
// way, keeping its attributes; a file held open by another program, or read-only, is left as it was
// with a plain reason; the names Windows keeps for devices are never opened or replaced; called files
// written with drive letters, shares, backslashes and any letter case are found; long and non-ANSI
// names work.
#include "core/partfile/calledfile.h"
#include "core/textfile.h"
#include "platform/platform.h"
#include "platform/regularfile.h"
#include "platform/savefile.h"
#include "testfiles.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <qt_windows.h>

namespace {

const wchar_t* native(const QString& path) {
    return reinterpret_cast<const wchar_t*>(path.utf16());
}

DWORD attributesOf(const QString& path) {
    return ::GetFileAttributesW(native(QDir::toNativeSeparators(path)));
}

// The folder's entries but the one named: a failed save leaves no temporary file behind.
QStringList othersIn(const QString& folder, const QString& name) {
    QStringList all = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    all.removeAll(name);
    return all;
}

} // namespace

class tst_windows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // A replaced file keeps what Windows keeps about it; a file it may not replace stays as it was,
    // the reason told, and nothing is left beside it.
    void replacingAFile_data() {
        QTest::addColumn<QString>("held");   // "open": another program holds it open; "readonly"
        QTest::addColumn<QString>("reason"); // empty: replaced
        QTest::newRow("hidden, replaced, still hidden") << "hidden"
                                                        << "";
        QTest::newRow("held open without sharing") << "open"
                                                   << "is open in another program";
        QTest::newRow("read-only") << "readonly"
                                   << "is read-only";
        QTest::newRow("with a second name") << "linked"
                                            << "has other hard links";
    }
    void replacingAFile() {
        QFETCH(QString, held);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("job.cvp"));
        putBytes(path, "old\r\n");
        const QString windowsPath = QDir::toNativeSeparators(path);
        HANDLE other = INVALID_HANDLE_VALUE;
        if (held == QLatin1String("hidden")) QVERIFY(::SetFileAttributesW(native(windowsPath), FILE_ATTRIBUTE_HIDDEN));
        if (held == QLatin1String("readonly"))
            QVERIFY(::SetFileAttributesW(native(windowsPath), FILE_ATTRIBUTE_READONLY));
        if (held == QLatin1String("linked"))
            QVERIFY(::CreateHardLinkW(native(QDir::toNativeSeparators(dir.filePath(QStringLiteral("other.cvp")))),
                                      native(windowsPath), nullptr));
        if (held == QLatin1String("open")) {
            other =
                ::CreateFileW(native(windowsPath), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            QVERIFY(other != INVALID_HANDLE_VALUE);
        }
        const FileResult saved = textfile::saveLines(path, {QByteArray("new")});
        if (other != INVALID_HANDLE_VALUE) ::CloseHandle(other);
        const DWORD after = attributesOf(path);
        ::SetFileAttributesW(native(windowsPath), FILE_ATTRIBUTE_NORMAL); // so the folder can go

        QCOMPARE(saved.ok, reason.isEmpty());
        QVERIFY2(saved.error.contains(reason), qPrintable(saved.error));
        QCOMPARE(readAll(path), reason.isEmpty() ? QByteArray("new\r\n") : QByteArray("old\r\n"));
        const QStringList others = othersIn(dir.path(), QStringLiteral("job.cvp"));
        QVERIFY2(others == (held == QLatin1String("linked") ? QStringList{QStringLiteral("other.cvp")} : QStringList()),
                 qPrintable(others.join(u' ')));
        if (held == QLatin1String("hidden")) QVERIFY(after & FILE_ATTRIBUTE_HIDDEN);
    }

    // Names Windows keeps for its devices, in any folder, with any extension or case.
    void deviceNamesAreNoFiles_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"CON", "nul", "COM1", "aux.cvp", "Lpt3.txt", "con .cvp"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void deviceNamesAreNoFiles() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QCOMPARE(regularfile::specialKind(path), QStringLiteral("a device"));
        QFile file(path);
        QString why;
        QVERIFY(!regularfile::openForReading(file, &why));
        QVERIFY2(why.contains(QStringLiteral("a device")), qPrintable(why));
        QVERIFY(!textfile::saveLines(path, {QByteArray("x")}).ok);
    }

    // Called files as operators write them on Windows: every form leads to the file.
    void calledFilesAreFound_data() {
        QTest::addColumn<QString>("written"); // {dir} is the test's folder in Windows form
        QTest::newRow("a full path") << "{dir}\\parts\\Sub.cvp";
        QTest::newRow("forward slashes") << "{dir}/parts/Sub.cvp";
        QTest::newRow("another letter case") << "{dir}\\PARTS\\sub.CVP";
        QTest::newRow("relative, with backslashes") << "parts\\sub.cvp";
        QTest::newRow("from the drive's root") << "{root}\\parts\\Sub.cvp";
        QTest::newRow("relative to the drive, the part file's") << "{drive}parts\\Sub.cvp";
        QTest::newRow("a name in Greek") << "parts\\\u03c3\u03c7\u03ad\u03b4\u03b9\u03bf.cvp";
        QTest::newRow("a path past 260 characters") << "{long}\\Sub.cvp";
    }
    void calledFilesAreFound() {
        QFETCH(QString, written);
        QTemporaryDir dir;
        const QString folder = QDir::toNativeSeparators(dir.path());
        const QString drive = folder.left(2); // "C:"
        const QString root = folder.mid(2);   // "\users\...\tmp" without the drive
        const QString longFolder = QStringLiteral("parts\\") + QString(120, u'd') + u'\\' + QString(120, u'e');
        QVERIFY(QDir(dir.path()).mkpath(QDir::fromNativeSeparators(longFolder)));
        putBytes(dir.filePath(QStringLiteral("parts/Sub.cvp")), "MX, 1\r\n");
        putBytes(dir.filePath(QStringLiteral("parts/\u03c3\u03c7\u03ad\u03b4\u03b9\u03bf.cvp")), "MX, 1\r\n");
        const QString deep = dir.filePath(QDir::fromNativeSeparators(longFolder) + QStringLiteral("/Sub.cvp"));
        QVERIFY(textfile::saveLines(deep, {QByteArray("MX, 1")}).ok);
        QVERIFY(deep.size() > 260);
        written.replace(QStringLiteral("{dir}"), folder)
            .replace(QStringLiteral("{root}"), root)
            .replace(QStringLiteral("{drive}"), drive)
            .replace(QStringLiteral("{long}"), folder + u'\\' + longFolder);
        const calledfile::Target target = calledfile::resolve(written, dir.path());
        QCOMPARE(int(target.kind), int(calledfile::Target::Kind::Path));
        const calledfile::Found found = calledfile::find(target.path);
        QVERIFY2(found.kind == calledfile::Found::Kind::File, qPrintable(target.path));
        QCOMPARE(readAll(found.path), QByteArray("MX, 1\r\n"));
    }

    // Program folders are system folders: an installed copy never keeps its settings there.
    void programFilesIsASystemFolder() {
        const QString programFiles = qEnvironmentVariable("ProgramFiles");
        QVERIFY(!programFiles.isEmpty());
        QVERIFY(isSystemFolder(programFiles + QStringLiteral("\\Corvane Part File Stacker")));
        QVERIFY(isSystemFolder(programFiles.toUpper()));
        QTemporaryDir dir;
        QVERIFY(!isSystemFolder(dir.path()));
    }
};

#include "testmain.h"
QTEST_GUILESS_MAIN(tst_windows)
#include "tst_windows.moc"
