// The part file as written: byte for byte against expected files, the save that fails, special files
// in its place, stacker.ini.
#include "core/panel/programmodel.h"
#include "core/partfile/partfile.h"
#include "core/partfile/partfilereader.h"
#include "core/partfile/partfilescan.h"
#include "core/partfile/partname.h"
#include "core/settings.h"
#include "goldenprograms.h"
#include "onwindows.h"
#include "platform/savefile.h"
#include "scriptedplatform.h"
#include "systemfiles.h"
#include "testfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QByteArray expected(const QString& name) {
    return readAll(QStringLiteral(STACKER_TEST_DATA "/partfile/") + name);
}

int sixPerChar(const QString& s) {
    return 6 * static_cast<int>(s.size());
}

qint64 nativeLength(const QString& s) {
    return QFile::encodeName(s).size();
}

// A path of `total` bytes below base: folders of 200 characters, then one file name ending in ".cvp".
QString pathOfLength(const QString& base, qint64 total) {
    QString dir = base;
    while (total - nativeLength(dir) - 1 > 220) {
        dir += QLatin1Char('/') + QString(200, u'd');
        QDir().mkdir(dir);
    }
    return dir + QLatin1Char('/') + QString(total - nativeLength(dir) - 5, u'f') + QStringLiteral(".cvp");
}

#ifdef Q_OS_UNIX
// For as long as it lives, the process acts as user (and group) `user` with the extra group
// ExtraGroup, as far as file access goes; user 0 leaves root as it is.
constexpr gid_t ExtraGroup = 4242;
class ActingAs {
public:
    explicit ActingAs(uid_t user) : m_user(user), m_group(::getegid()) {
        if (user == 0) return;
        m_groups.resize(::getgroups(0, nullptr));
        m_groups.resize(::getgroups(int(m_groups.size()), m_groups.data()));
        m_ok = ::setgroups(1, &ExtraGroup) == 0 && ::setegid(gid_t(user)) == 0 && ::seteuid(user) == 0;
    }
    ~ActingAs() {
        if (m_user == 0) return;
        // Privileges back first: only root may set the rest.
        if (::seteuid(0) != 0 || ::setegid(m_group) != 0 || ::setgroups(m_groups.size(), m_groups.data()) != 0)
            qFatal("could not become root again");
    }
    ActingAs(const ActingAs&) = delete;
    ActingAs& operator=(const ActingAs&) = delete;
    bool ok() const { return m_ok; }

private:
    uid_t m_user;
    gid_t m_group;
    std::vector<gid_t> m_groups;
    bool m_ok = true;
};
#endif

const QByteArray Opening = "' Created using the Corvane Part File Stacker\r\n' notice\r\n'\r\n";
const QByteArray Header = "'' Header file created by Corvane Headsmith\r\n'' Sign\r\n' End of header file\r\n\r\n";
const QByteArray Closing = "' Start of Closing file\r\nFP, close.cvp\r\n' End of Closing file\r\n";

// Every byte from 0x80 to 0xFF, the five Windows-1252 leaves undefined among them.
QByteArray highBytes() {
    QByteArray b;
    for (int c = 0x80; c <= 0xFF; ++c)
        b += char(c);
    return b;
}

// A closing block of `lines` generated lines, as Headsmith copies a long closing file in.
QByteArray bigClosing(int lines) {
    QByteArray b = "' Start of Closing file\r\n";
    for (int i = 0; i < lines; ++i)
        b += "J2, " + QByteArray::number(i % 977) + ", " + QByteArray::number(i) + (i % 3 ? "\r\n" : "\n");
    return b + "' End of Closing file\r\n";
}

// Opens a part file as File > Open does: its lines onto a panel, the rest kept.
struct Opened {
    ProgramModel m{sixPerChar};
    KeptLines kept;
    QString error;
    bool ok = false;
    explicit Opened(const QString& path) {
        const partfilereader::ReadResult r = partfilereader::readFile(path);
        error = r.error;
        ok = r.ok && m.load(r.lines);
        kept = r.kept;
    }
};

} // namespace

class tst_partfile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void writtenFiles_data() { addGoldenPrograms(); }

    void writtenFiles() {
        QFETCH(QList<QStringList>, lines);
        QFETCH(QString, file);
        ProgramModel panel(sixPerChar);
        QVERIFY(buildGoldenProgram(panel, lines));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.cvp"));
        QVERIFY(partfile::write(path, panel, {}).ok);
        QCOMPARE(readAll(path), expected(file));
    }

    void gosubAndFixedKinds() {
        ProgramModel panel(sixPerChar);
        QVERIFY(panel.add(Kind::Pause, QStringLiteral("PAUSE, 3"), QStringLiteral("'ignored")));
        QVERIFY(panel.addGoSub(QStringLiteral("GOSUB sub1:"), QStringLiteral("sub1:")));
        QVERIFY(panel.add(Kind::Label, QStringLiteral("Loop:"), QStringLiteral("'top")));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.cvp"));
        QVERIFY(partfile::write(path, panel, {}).ok);
        QCOMPARE(readAll(path), expected(QStringLiteral("fixed_kinds.cvp")));
    }

    void rowOrderIsWrittenOrder() {
        ProgramModel panel(sixPerChar);
        panel.add(Kind::Move, QStringLiteral("MX, 1"), {});
        panel.add(Kind::Move, QStringLiteral("MX, 2"), {});
        // The second line moved above the first, as a drop does.
        QCOMPARE(panel.moveLine(2, -1), 1);
        const QStringList lines = partfile::programLines(panel);
        QCOMPARE(lines.mid(3), (QStringList{QStringLiteral("MX, 2   "), QStringLiteral("MX, 1   ")}));
    }

    void failedWriteKeepsOldFile() {
        QTemporaryDir dir;
        // A path below a regular file cannot be created, even by root.
        const QString blocker = dir.filePath(QStringLiteral("plainfile"));
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();
        ProgramModel panel(sixPerChar);
        panel.add(Kind::Move, QStringLiteral("MX, 1"), {});
        const QString path = blocker + QStringLiteral("/part.cvp");
        const FileResult r = partfile::write(path, panel, {});
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(path), qPrintable(r.error));

        // An existing file is replaced as a whole by the new content.
        const QString existing = dir.filePath(QStringLiteral("keep.cvp"));
        QFile k(existing);
        QVERIFY(k.open(QIODevice::WriteOnly));
        k.write("old content\r\n");
        k.close();
        QVERIFY(partfile::write(existing, panel, {}).ok);
        QVERIFY(readAll(existing).endsWith("MX, 1   \r\n"));
    }

    // Names with blanks and other letters save like any other; a name or path too long for the
    // system, counting the temporary name written beside it, is refused with a message saying so,
    // and the file that was there is kept.
    void oddNames_data() {
        QTest::addColumn<QString>("name");    // the file name, or the letter a long name is made of
        QTest::addColumn<QString>("measure"); // "name" or "path": made to measure against the system's limit
        QTest::addColumn<int>("fromLimit");   // its length in bytes counted from that limit
        QTest::addColumn<QString>("refusal"); // empty: it must save
        const QString unsafe = QStringLiteral("too long to be saved safely");
        const QString illegal = QStringLiteral("longer than the system allows");
        QTest::newRow("blanks") << "my part file.cvp" << QString() << 0 << QString();
        QTest::newRow("other letters") << "Fr\u00e4se \u00fc.cvp" << QString() << 0 << QString();
        QTest::newRow("placeholder letters") << "partXXXXXX.cvp" << QString() << 0 << QString();
        // The temporary name beside the file is TemporarySuffix characters longer.
        const int suffix = int(savefile::TemporarySuffix);
        QTest::newRow("longest safe name") << "n"
                                           << "name" << -suffix << QString();
        QTest::newRow("name 1 over the safe length") << "n"
                                                     << "name" << 1 - suffix << unsafe;
        QTest::newRow("name at the limit") << "n"
                                           << "name" << 0 << unsafe;
        QTest::newRow("name over the limit") << "n"
                                             << "name" << 1 << illegal;
        // Windows takes paths of 32,767 characters; under Wine its files live in Linux's paths of 4,096
        // bytes, so that limit cannot be reached there.
        if (!onWindows()) {
            QTest::newRow("longest safe path") << QString() << "path" << -1 - suffix << QString();
            QTest::newRow("path 1 over the safe length") << QString() << "path" << -suffix << unsafe;
            QTest::newRow("longest path the system takes") << QString() << "path" << -1 << unsafe;
            QTest::newRow("path over the limit") << QString() << "path" << 10 << illegal;
        }
        if (nativeLength(QStringLiteral("\u00fc")) == 2) {
            // The limit counts bytes: 2 for each of these letters.
            QTest::newRow("long name of other letters") << QStringLiteral("\u00fc") << "name" << 1 - suffix << unsafe;
        }
    }
    void oddNames() {
        QFETCH(QString, name);
        QFETCH(QString, measure);
        QFETCH(int, fromLimit);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        const savefile::Limits limits = savefile::limits(dir.path());
        QString target;
        if (measure == QLatin1String("path")) {
            target = pathOfLength(dir.path(), limits.path + fromLimit);
        } else if (measure == QLatin1String("name")) {
            const qint64 bytes = limits.name + fromLimit;
            const qint64 count = (bytes - 4) / nativeLength(name);
            target = dir.filePath(name.repeated(count) + QString((bytes - 4) % nativeLength(name), u'n') +
                                  QStringLiteral(".cvp"));
            QCOMPARE(nativeLength(QFileInfo(target).fileName()), bytes);
        } else {
            target = dir.filePath(name);
        }
        const QString folder = QFileInfo(target).absolutePath();
        ProgramModel panel(sixPerChar);
        panel.add(Kind::Move, QStringLiteral("MX, 1"), {});

        if (refusal.isEmpty()) {
            FileResult r = partfile::write(target, panel, {});
            QVERIFY2(r.ok, qPrintable(r.error));
            QVERIFY(readAll(target).endsWith("'\r\nMX, 1   \r\n"));
            // Over the existing file, which is where a long temporary name would fail.
            panel.add(Kind::Move, QStringLiteral("MX, 2"), {});
            r = partfile::write(target, panel, {});
            QVERIFY2(r.ok, qPrintable(r.error));
            QVERIFY(readAll(target).endsWith("'\r\nMX, 1   \r\nMX, 2   \r\n"));
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(target).fileName()});
            return;
        }
        QFile old(target);
        const bool legal = old.open(QIODevice::WriteOnly);
        if (legal) {
            old.write("old\r\n");
            old.close();
        }
        const FileResult r = partfile::write(target, panel, {});
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(refusal), qPrintable(r.error));
        QVERIFY(r.error.contains(target));
        QCOMPARE(readAll(target), legal ? QByteArray("old\r\n") : QByteArray("<missing>"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), legal ? 1 : 0);
    }

    // A composed line holding a break would become two lines, the second one live: the writer
    // refuses it like a failed write, and the file that was there stays whole.
    void lineBreakRefused_data() {
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("comment");
        QTest::newRow("LF in a comment line") << "'first line\nGOTO start:" << QString();
        QTest::newRow("CR LF in a move") << "MX, 1\r\nMY, 2" << QString();
        QTest::newRow("CR in an inline comment") << "MX, 1"
                                                 << "'slow\rJZ, 5";
        QTest::newRow("other control character") << "PAUSE, \x1b" << QString();
    }
    void lineBreakRefused() {
        QFETCH(QString, held);
        QFETCH(QString, comment);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("part.cvp"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
        old.close();
        ProgramModel panel(sixPerChar);
        QVERIFY(panel.add(Kind::Move, QStringLiteral("MX, 0"), {}));
        QVERIFY(panel.add(held.startsWith(u'\'') ? Kind::Comment : Kind::Move, held, comment));
        const FileResult r = partfile::write(path, panel, {});
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(path) && r.error.contains(QLatin1String("line break")), qPrintable(r.error));
        QCOMPARE(readAll(path), QByteArray("old\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("part.cvp")});
    }

    void undoubleOnlyFirst_data() {
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("written");
        QTest::newRow("none") << "INPUT \"x\" "
                              << "INPUT \"x\" ";
        QTest::newRow("var") << "INPUT \"x\" &&v"
                             << "INPUT \"x\" &v";
        QTest::newRow("only first") << "&&a&&b"
                                    << "&a&&b";
        QTest::newRow("triple") << "&&&"
                                << "&&";
        QTest::newRow("single") << "a&b"
                                << "a&b";
        // The prompt is written as typed; the variable's "&&" is the one after the closing quote.
        QTest::newRow("&& in the prompt") << "INPUT \"a&&b\" &&x"
                                          << "INPUT \"a&&b\" &x";
    }
    void undoubleOnlyFirst() {
        QFETCH(QString, held);
        QFETCH(QString, written);
        QCOMPARE(partfile::writtenInput(held), written);
    }

    // A special file where the part file or stacker.ini goes, directly or through a link. The
    // program reads and writes only regular files: nothing blocks or runs without end, a special
    // file is never replaced (the part file refuses it, naming it; settings are just not kept), and
    // a link stays a link whose target, when regular, gets the new content.
    void specialFiles_data() {
        QTest::addColumn<QString>("entry"); // what stands at the name: a node, or "link to" one
        QTest::addColumn<QString>("kind");  // the words naming it in the refusal; empty: it is written
        const QString device = QStringLiteral("a device");
        const QString fifo = QStringLiteral("a named pipe (FIFO)");
        QTest::newRow("null device") << "null device" << device;
        QTest::newRow("fifo") << "fifo" << fifo;
        QTest::newRow("folder") << "folder" << QString();
        QTest::newRow("link to null device") << "link to null device" << device;
        QTest::newRow("link to zero device") << "link to zero device" << device;
        QTest::newRow("link to fifo") << "link to fifo" << fifo;
        QTest::newRow("link to folder") << "link to folder" << QString();
        QTest::newRow("links in a circle") << "link to circle" << QStringLiteral("round in a circle");
        QTest::newRow("link to regular file") << "link to file" << QString();
        QTest::newRow("link to nothing yet") << "link to missing" << QString();
    }
    void specialFiles() {
        QFETCH(QString, entry);
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString nodes = dir.filePath(QStringLiteral("nodes"));
        const QString jobs = dir.filePath(QStringLiteral("jobs"));
        const QString program = dir.filePath(QStringLiteral("program"));
        for (const QString& folder : {nodes, jobs, program})
            QVERIFY(QDir().mkpath(folder));
        const QString what = entry.section(u' ', -1); // the node's kind, at the name or behind the link
        QString why;
        const auto make = [&](const QString& at) {
            if (what == QLatin1String("device"))
                return systemfiles::makeDevice(at, entry.contains(QLatin1String("zero")) ? 5 : 3, &why);
            if (what == QLatin1String("fifo")) return systemfiles::makeFifo(at, &why);
            if (what == QLatin1String("folder")) return QDir().mkpath(at);
            if (what == QLatin1String("circle")) return QFile::link(at + u'2', at) && QFile::link(at, at + u'2');
            if (what == QLatin1String("file")) return QFile(at).open(QIODevice::WriteOnly) && QFile(at).size() == 0;
            return true; // "missing": nothing there
        };
        const QString job = QDir::toNativeSeparators(QDir(jobs).filePath(QStringLiteral("job.cvp")));
        const QString ini = QDir(program).filePath(QStringLiteral("stacker.ini"));
        const QString node = QDir(nodes).filePath(what);
        const QString iniNode = node + QStringLiteral("-ini");
        const bool linked = entry.startsWith(QLatin1String("link to"));
        if (linked && onWindows()) QSKIP("QFile::link makes a shortcut (.lnk) on Windows: a file of its own, no link");
        if (!(linked ? make(node) && make(iniNode) : make(job) && make(ini)))
            QSKIP(qPrintable(QStringLiteral("cannot make %1 here: %2").arg(entry, why)));
        if (linked) QVERIFY(QFile::link(node, job) && QFile::link(iniNode, ini));
        if (what == QLatin1String("file")) putBytes(node, "old\r\n");

        const QStringList before = entries(jobs) + entries(program) + entries(nodes);
        const QString jobWas = systemfiles::describe(job);
        const QString iniWas = systemfiles::describe(ini);

        struct Outcome {
            FileResult part;
            QList<ScriptedPlatform::Asked> asked;
            QString chosen;
            QByteArray firstLine;
            QString found;
            FileResult settingsSaved;
        };
        Outcome out;
        const QString fine = QDir(jobs).filePath(QStringLiteral("fine.cvp"));
        {
            // A call that blocked on the FIFO or read the endless device would never return; CTest's
            // timeout ends the test then.
            ProgramModel panel(sixPerChar);
            panel.add(Kind::Move, QStringLiteral("MX, 1"), {});
            out.part = partfile::write(job, panel, {});
            ScriptedPlatform platform;
            platform.files << job << fine;
            platform.yesNo << true;
            out.chosen = partname::choose(platform).value_or(QString());
            out.asked = platform.asked;
            out.found = settings::locate(program, {}, true).read;
            out.firstLine = settings::readFirstLine(ini);
            out.settingsSaved = settings::save(program, true);
        }

        QVERIFY2(out.settingsSaved.ok, qPrintable(out.settingsSaved.error)); // never a message
        QCOMPARE(out.found, ini);                                            // not a first run: the user put it there
        if (!kind.isEmpty() || entry.endsWith(QLatin1String("folder"))) {
            QVERIFY(!out.part.ok);
            QVERIFY2(out.part.error.contains(job) && out.part.error.contains(kind), qPrintable(out.part.error));
            QCOMPARE(out.asked.size(), 3);
            QCOMPARE(out.asked[1].title, QStringLiteral("Choose another name"));
            QVERIFY2(out.asked[1].text.contains(job) && out.asked[1].text.contains(kind),
                     qPrintable(out.asked[1].text));
            QCOMPARE(out.chosen, QDir::toNativeSeparators(fine));
            QCOMPARE(out.firstLine, QByteArray());
            // Nothing replaced, nothing left beside.
            QCOMPARE(systemfiles::describe(job), jobWas);
            QCOMPARE(systemfiles::describe(ini), iniWas);
            QCOMPARE(entries(jobs) + entries(program) + entries(nodes), before);
            return;
        }
        // A link to a regular file, or to a name with nothing there yet: written through the link.
        QVERIFY2(out.part.ok, qPrintable(out.part.error));
        QCOMPARE(out.chosen, job);
        QVERIFY(QFileInfo(job).isSymLink());
        QVERIFY(readAll(node).endsWith("'\r\nMX, 1   \r\n"));
        QVERIFY(QFileInfo(ini).isSymLink());
        QCOMPARE(readAll(ini), QByteArray("advanced = 1\r\n"));
        QCOMPARE(entries(jobs), QStringList{QStringLiteral("job.cvp")});
    }

    // Only the first line is read, and only so much of it: a settings file of one endless line
    // neither fills the memory nor holds up the start.
    void settingsReadIsBounded() {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("stacker.ini"));
        putBytes(ini, QByteArray(3 * settings::MaxFirstLine, ' ') + "advanced = 1\r\n");
        QCOMPARE(settings::readFirstLine(ini), QByteArray(settings::MaxFirstLine, ' '));
        putBytes(ini, "advanced = 1\r\nmore\r\n");
        QCOMPARE(settings::readFirstLine(ini), QByteArray("advanced = 1\r\n"));
    }

#ifdef Q_OS_UNIX
    // Unix file owners, modes and hard links (Windows keeps its own, tested in tst_windows).

    // A part file saved over an existing one keeps its permission bits, whoever saves it (root
    // may write any file, which must not add bits the file did not have).
    void permissionsKept_data() {
        QTest::addColumn<int>("mode");
        for (int mode : {0644, 0600, 0640, 0664, 0444, 0755, 0070, 0604})
            QTest::addRow("%o", mode) << mode;
    }
    void permissionsKept() {
        QFETCH(int, mode);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("job.cvp"));
        putBytes(path, "old\r\n");
        // Qt's flags hold the owner's, group's and others' bits in hex digits 4, 2 and 1 (digit 3 is
        // the running user's, which Qt works out and which is left out here).
        const auto perms = [](int m) {
            return QFile::Permissions::fromInt((m & 7) | (m & 070) << 1 | (m & 0700) << 6);
        };
        const QFile::Permissions owners = perms(0777);
        QVERIFY(QFile::setPermissions(path, perms(mode)));
        if ((QFileInfo(path).permissions() & owners) != perms(mode)) QSKIP("this file system keeps no permission bits");
        if (!QFileInfo(path).isWritable()) QSKIP("the file cannot be written by this user");
        ProgramModel panel(sixPerChar);
        panel.add(Kind::Move, QStringLiteral("MX, 1"), {});
        const FileResult r = partfile::write(path, panel, {});
        QVERIFY2(r.ok, qPrintable(r.error));
        QVERIFY(readAll(path).endsWith("MX, 1   \r\n"));
        QCOMPARE(QFileInfo(path).permissions() & owners, perms(mode));
    }

    // A file saved over keeps its owner and group as far as the saver may give them: root always
    // may (an operator's file stays the operator's); another user cannot give a file away, but may
    // keep a group of their own, and the save goes through either way.
    void ownerKept_data() {
        QTest::addColumn<uint>("saver"); // its group is the same number, ExtraGroup besides
        QTest::addColumn<uint>("uid");
        QTest::addColumn<uint>("gid");
        QTest::addColumn<bool>("throughLink");
        QTest::addColumn<uint>("wantUid");
        QTest::addColumn<uint>("wantGid");
        const uint nobody = 65534;
        QTest::newRow("root saves another user's file") << 0u << nobody << nobody << false << nobody << nobody;
        QTest::newRow("root saves it through a link") << 0u << nobody << nobody << true << nobody << nobody;
        QTest::newRow("root saves its own file of another group")
            << 0u << 0u << uint(ExtraGroup) << false << 0u << uint(ExtraGroup);
        QTest::newRow("a user cannot give root's file back") << nobody << 0u << 0u << false << nobody << nobody;
        QTest::newRow("a user keeps a group of theirs")
            << nobody << 0u << uint(ExtraGroup) << false << nobody << uint(ExtraGroup);
    }
    void ownerKept() {
        QFETCH(uint, saver);
        QFETCH(uint, uid);
        QFETCH(uint, gid);
        QFETCH(bool, throughLink);
        QFETCH(uint, wantUid);
        QFETCH(uint, wantGid);
        if (::geteuid() != 0) QSKIP("only root can hand files to other users");
        QTemporaryDir dir;
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0777) == 0); // the saver's folder too
        const QString path = dir.filePath(QStringLiteral("job.cvp"));
        const QString link = dir.filePath(QStringLiteral("link.cvp"));
        putBytes(path, "old\r\n");
        QVERIFY(::chown(QFile::encodeName(path).constData(), uid, gid) == 0);
        if (throughLink) QVERIFY(QFile::link(path, link));
        ProgramModel panel(sixPerChar);
        panel.add(Kind::Move, QStringLiteral("MX, 1"), {});
        FileResult r;
        {
            ActingAs as(saver);
            QVERIFY(as.ok());
            r = partfile::write(throughLink ? link : path, panel, {});
        }
        QVERIFY2(r.ok, qPrintable(r.error));
        QVERIFY(readAll(path).endsWith("MX, 1   \r\n"));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QCOMPARE(uint(st.st_uid), wantUid);
        QCOMPARE(uint(st.st_gid), wantGid);
        QCOMPARE(QFileInfo(link).isSymLink(), throughLink);
    }

    // A file with a second name (a hard link) is not replaced: the new file would take only the
    // one name, and the other would keep the old content. The save fails and says why; the name,
    // chosen for a new part file, is refused at once.
    void hardLinkedFileRefused_data() {
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("by its name") << false;
        QTest::newRow("through a symbolic link") << true;
    }
    void hardLinkedFileRefused() {
        QFETCH(bool, throughLink);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("job.cvp"));
        const QString other = dir.filePath(QStringLiteral("copy.cvp"));
        const QString link = dir.filePath(QStringLiteral("link.cvp"));
        putBytes(path, "old\r\n");
        QVERIFY(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()) == 0);
        if (throughLink) QVERIFY(QFile::link(path, link));
        const QString name = QDir::toNativeSeparators(throughLink ? link : path);
        const QStringList before = entries(dir.path());

        ProgramModel panel(sixPerChar);
        panel.add(Kind::Move, QStringLiteral("MX, 1"), {});
        const FileResult r = partfile::write(name, panel, {});
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(QStringLiteral("has other hard links")) &&
                     r.error.contains(QDir::toNativeSeparators(path)),
                 qPrintable(r.error));
        QCOMPARE(readAll(path), QByteArray("old\r\n"));
        struct stat one {
        }, two{};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &one), 0);
        QCOMPARE(::stat(QFile::encodeName(other).constData(), &two), 0);
        QCOMPARE(one.st_ino, two.st_ino);
        QCOMPARE(entries(dir.path()), before);

        ScriptedPlatform platform;
        platform.files << name << dir.filePath(QStringLiteral("new.cvp"));
        QCOMPARE(partname::choose(platform), dir.filePath(QStringLiteral("new.cvp")));
        QCOMPARE(platform.asked.size(), 3);
        QVERIFY2(platform.asked[1].text.contains(QStringLiteral("has other hard links")),
                 qPrintable(platform.asked[1].text));
    }
#endif

    void settingsLine_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("advanced");
        QTest::newRow("written form") << QByteArray("advanced = 1\r\n") << true;
        QTest::newRow("no blanks") << QByteArray("advanced=1") << true;
        QTest::newRow("extra blanks") << QByteArray("   advanced   =    1   \n") << true;
        QTest::newRow("capital") << QByteArray("Advanced = 1") << false;
        QTest::newRow("zero") << QByteArray("advanced = 0") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("no equals") << QByteArray("advanced") << false;
        QTest::newRow("two equals") << QByteArray("advanced = 1 = 1") << false;
        QTest::newRow("value 10") << QByteArray("advanced = 10") << false;
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                       "advanced = 1\r\n")
                                         << true;
        QTest::newRow("byte-order mark, zero") << QByteArray("\xEF\xBB\xBF"
                                                             "advanced = 0")
                                               << false;
    }
    void settingsLine() {
        QFETCH(QByteArray, line);
        QFETCH(bool, advanced);
        QCOMPARE(settings::selectsAdvanced(line), advanced);
    }

    void settingsFileRoundTrip() {
        QTemporaryDir dir;
        QVERIFY(settings::findFile(dir.path()).isEmpty());
        QVERIFY(settings::save(dir.path(), true).ok);
        QCOMPARE(readAll(dir.filePath(QStringLiteral("stacker.ini"))), QByteArray("advanced = 1\r\n"));
        // A file named in other letter case is found and rewritten in place.
        // By way of another name: a file system blind to case takes the new name for the old one.
        QVERIFY(QFile::rename(dir.filePath(QStringLiteral("stacker.ini")), dir.filePath(QStringLiteral("renamed"))));
        QVERIFY(QFile::rename(dir.filePath(QStringLiteral("renamed")), dir.filePath(QStringLiteral("STACKER.INI"))));
        QCOMPARE(settings::findFile(dir.path()), dir.filePath(QStringLiteral("STACKER.INI")));
        QVERIFY(settings::save(dir.path(), false).ok);
        QCOMPARE(readAll(dir.filePath(QStringLiteral("STACKER.INI"))), QByteArray("advanced = 0\r\n"));
        QVERIFY(!settings::selectsAdvanced(settings::readFirstLine(settings::findFile(dir.path()))));
    }
private Q_SLOTS:
    // Files in both encodings, with a byte-order mark, an end-of-file byte or a control character in
    // a line, open with their text readable and save back byte for byte.
    void encodedFilesRoundTrip_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("firstLine"); // the first program line as the panel shows it
        QTest::addColumn<int>("encoding");
        using E = textfile::Encoding;
        QTest::newRow("utf-8") << Opening + "' Jos\xc3\xa9 90\xc2\xb0 \xc2\xbd \xe2\x82\xac\r\nMX, 1\r\n"
                               << QStringLiteral("' Jos\u00e9 90\u00b0 \u00bd \u20ac") << int(E::Utf8);
        QTest::newRow("cp1252") << Opening + "' Jos\xe9 90\xb0 \xbd \x80\r\nMX, 1\r\n"
                                << QStringLiteral("' Jos\u00e9 90\u00b0 \u00bd \u20ac") << int(E::Windows1252);
        QTest::newRow("cp1252 every high byte")
            << Header + Opening + "' " + highBytes() + "\r\n" + Closing << QString() << int(E::Windows1252);
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + Opening + "MX, 1\r\n"
                                         << QStringLiteral("MX, 1") << int(E::Utf8);
        QTest::newRow("mark, header, closing") << "\xEF\xBB\xBF" + Header + Opening + "' \xc2\xb0\r\n" + Closing
                                               << QStringLiteral("' \u00b0") << int(E::Utf8);
        QTest::newRow("end-of-file byte")
            << Opening + "MX, 1\r\n\x1a" << QStringLiteral("MX, 1") << int(E::Windows1252);
        QTest::newRow("form feed") << Opening + "MX, 1\x0c\r\nMY, 2\r\n\x1a" << QStringLiteral("MX, 1\u240c")
                                   << int(E::Windows1252);
        QTest::newRow("escape and DEL") << Opening + "\x1b\x7f\r\n"
                                        << QStringLiteral("\u241b\u2421") << int(E::Windows1252);
        QTest::newRow("NUL in the closing block")
            << Opening + "MX, 1\r\n" + Closing.left(25) + QByteArray("\0x\r\n", 4) + Closing.mid(25)
            << QStringLiteral("MX, 1") << int(E::Windows1252);
    }

    void encodedFilesRoundTrip() {
        QFETCH(QByteArray, file);
        QFETCH(QString, firstLine);
        QFETCH(int, encoding);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("in.cvp"));
        putBytes(path, file);
        Opened o(path);
        QVERIFY2(o.ok, qPrintable(o.error));
        QCOMPARE(int(o.kept.encoding()), encoding);
        const QList<ProgramLine> lines = o.m.lines();
        for (const ProgramLine& l : lines)
            QVERIFY2(!l.held.contains(QChar::ReplacementCharacter) && !l.held.contains(u'\uFEFF'), qPrintable(l.held));
        if (!firstLine.isEmpty()) QCOMPARE(lines.value(0).held, firstLine);
        // Saved elsewhere and over itself: the same bytes both times.
        const QString copy = dir.filePath(QStringLiteral("copy.cvp"));
        QVERIFY(partfile::write(copy, o.m, o.kept).ok);
        QCOMPARE(readAll(copy), file);
        QVERIFY(partfile::write(path, o.m, o.kept).ok);
        QCOMPARE(readAll(path), file);
    }

    // A character typed into a file that its encoding cannot hold is refused at save time, naming
    // it; the file on disk stays as it was. One it can hold is written in the file's encoding.
    void typedCharacterInTheFilesEncoding_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("holds");
        QTest::newRow("ascii file, euro") << Opening << QStringLiteral("' 5 \u20ac") << true;
        QTest::newRow("ascii file, omega") << Opening << QStringLiteral("' \u03a9") << false;
        QTest::newRow("cp1252 file, undefined byte's character") << Opening + "' \xe9\r\n"
                                                                 << QStringLiteral("' \u0081") << true;
        QTest::newRow("cp1252 file, emoji") << Opening + "' \xe9\r\n" << QStringLiteral("' \U0001F600") << false;
        QTest::newRow("utf-8 file, omega") << Opening + "' \xc3\xa9\r\n" << QStringLiteral("' \u03a9") << true;
        QTest::newRow("utf-8 file, emoji") << Opening + "' \xc3\xa9\r\n" << QStringLiteral("' \U0001F600") << true;
    }

    void typedCharacterInTheFilesEncoding() {
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        QFETCH(bool, holds);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("in.cvp"));
        putBytes(path, file);
        Opened o(path);
        QVERIFY(o.ok);
        QVERIFY(o.m.add(Kind::Comment, typed, {}));
        const FileResult r = partfile::write(path, o.m, o.kept);
        QCOMPARE(r.ok, holds);
        if (!holds) {
            QVERIFY2(r.error.contains(typed.mid(2)), qPrintable(r.error));
            QCOMPARE(readAll(path), file);
            return;
        }
        Opened again(path);
        QCOMPARE(again.m.lines().last().held, typed);
        QCOMPARE(int(again.kept.encoding()), int(o.kept.encoding()));
    }

    // Where the parts of a file lie does not depend on how the reading buffer cuts it: every buffer
    // that holds a marker line whole finds the same regions and program lines in generated files,
    // long lines that come in several pieces among them.
    void scanIsTheSameForEveryBuffer() {
        QRandomGenerator rng(17);
        const QByteArray pieces[] = {"MX, 1",
                                     "",
                                     "' Start of Closing file",
                                     "' End of Closing file",
                                     "'' Header file created by Corvane Headsmith",
                                     "' End of header file",
                                     "' Created using the Corvane Part File Stacker",
                                     "'",
                                     "x\x0c",
                                     "\xe9",
                                     QByteArray(150, 'a')};
        const QByteArray ends[] = {"\r\n", "\n", "\r"};
        for (int round = 0; round < 300; ++round) {
            QByteArray content = rng.bounded(4) == 0 ? "\xEF\xBB\xBF" : "";
            const int lines = int(rng.bounded(40));
            for (int i = 0; i < lines; ++i)
                content += pieces[rng.bounded(int(std::size(pieces)))] + ends[rng.bounded(3)];
            if (rng.bounded(4) == 0) content += '\x1a';
            QBuffer whole(&content);
            QVERIFY(whole.open(QIODevice::ReadOnly));
            const partfilescan::Scan expected = partfilescan::scan(whole);
            for (const qsizetype buffer : {48, 64, 100, 4096}) {
                QBuffer device(&content);
                QVERIFY(device.open(QIODevice::ReadOnly));
                const partfilescan::Scan s = partfilescan::scan(device, partfilescan::Mode::Whole, buffer);
                const QByteArray what = content.toHex() + " buffer " + QByteArray::number(buffer);
                QVERIFY2(s.ok == expected.ok && s.program == expected.program, what.constData());
                QVERIFY2(s.kept.head == expected.kept.head && s.kept.tail == expected.kept.tail, what.constData());
                QVERIFY2(s.kept.opening == expected.kept.opening && s.kept.bom == expected.kept.bom, what.constData());
            }
        }
    }

    // A closing block of many lines is not held: it is streamed from the opened file into the saved
    // one, which then holds it where the next save finds it again.
    void bigClosingBlockIsStreamed() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("big.cvp"));
        const QByteArray closing = bigClosing(200000);
        putBytes(path, Header + Opening + "MX, 1\r\n" + closing);
        Opened o(path);
        QVERIFY2(o.ok, qPrintable(o.error));
        QCOMPARE(o.kept.tailLines(), qint64(200002));
        QCOMPARE(o.kept.headLines(), qint64(4));
        QVERIFY(o.kept.file->memory.isEmpty());
        const QByteArray closingCrlf = QByteArray(closing).replace("\r\n", "\n").replace("\n", "\r\n");
        for (const QString& added : {QStringLiteral("MY, 2"), QStringLiteral("MZ, 3")}) {
            QVERIFY(o.m.add(Kind::Move, added, {}));
            KeptFile written;
            QVERIFY(partfile::write(path, o.m, o.kept, &written).ok);
            *o.kept.file = written;
            QVERIFY(readAll(path).endsWith(added.toLatin1() + "   \r\n" + closingCrlf));
            QVERIFY(readAll(path).startsWith(Header + Opening + "MX, 1"));
        }
    }

    // When the file the kept blocks lie in changed or vanished, nothing is written: no part file is
    // saved without its header and closing block.
    void lostKeptBlockWritesNothing_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("saveAs");
        for (const bool saveAs : {false, true}) {
            const char* where = saveAs ? " (Save As)" : "";
            QTest::addRow("appended%s", where) << QStringLiteral("append") << saveAs;
            QTest::addRow("shortened%s", where) << QStringLiteral("shorten") << saveAs;
            QTest::addRow("removed%s", where) << QStringLiteral("remove") << saveAs;
        }
    }

    void lostKeptBlockWritesNothing() {
        QFETCH(QString, change);
        QFETCH(bool, saveAs);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("in.cvp"));
        const QByteArray file = Header + Opening + "MX, 1\r\n" + Closing;
        putBytes(path, file);
        Opened o(path);
        QVERIFY(o.ok);
        QByteArray now = file;
        if (change == QLatin1String("append")) now += "' added\r\n";
        if (change == QLatin1String("shorten")) now.chop(5);
        if (change == QLatin1String("remove"))
            QVERIFY(QFile::remove(path));
        else
            putBytes(path, now);
        const QString target = saveAs ? dir.filePath(QStringLiteral("other.cvp")) : path;
        const FileResult r = partfile::write(target, o.m, o.kept);
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(QStringLiteral("Nothing was written")), qPrintable(r.error));
        if (saveAs) QVERIFY(!QFile::exists(target));
        if (change != QLatin1String("remove")) QCOMPARE(readAll(path), now);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), change == QLatin1String("remove") ? 0 : 1);
    }

    // More program lines than the table takes are refused once the line past it is read, not after
    // reading the whole file.
    void tooManyLinesRefusedEarly() {
        QByteArray content = Opening;
        for (int i = 0; i < 200000; ++i)
            content += "MX, 1\r\n";
        QBuffer device(&content);
        QVERIFY(device.open(QIODevice::ReadOnly));
        const partfilescan::Scan s = partfilescan::scan(device, partfilescan::Mode::Whole, 4096);
        QVERIFY(!s.ok);
        QVERIFY2(s.error.contains(QString::number(ProgramModel::MaxLines)), qPrintable(s.error));
        QVERIFY2(device.pos() < 3 * 4096, QByteArray::number(device.pos()).constData());
    }
};

#include "testmain.h"
QTEST_GUILESS_MAIN(tst_partfile)
#include "tst_partfile.moc"
