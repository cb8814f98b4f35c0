// Every file writer under a failing disk: for each n up to what a successful run needs, the n-th
// write, the flush or the commit fails. After each failure the target holds its old content byte
// for byte, the caller reports the failure, and nothing is left beside the target. Then a real disk
// that fills up midway.
#include "core/headsmith/headeranswers.h"
#include "core/headsmith/headertext.h"
#include "core/headsmith/rewrite.h"
#include "core/panel/programmodel.h"
#include "core/partfile/partfile.h"
#include "core/partfile/partfilereader.h"
#include "core/settings.h"
#include "samplefields.h"
#include "scriptedplatform.h"
#include "systemfiles.h"
#include "writefaults.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using Step = writefaults::Step;
using Outcome = headsmith::RewriteResult::Outcome;

namespace {

struct Result {
    bool ok = false;
    QString error;
};

std::optional<QByteArray> readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    return f.readAll();
}

void putBytes(const QString& path, const std::optional<QByteArray>& bytes) {
    QFile::remove(path);
    if (!bytes) return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(*bytes), bytes->size());
}

// Everything in a folder, hidden entries included: a temporary file must not hide from this.
QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QByteArray crlf(const QList<QByteArray>& lines) {
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + "\r\n";
    return out;
}

const char* stepName(Step step) {
    switch (step) {
    case Step::Write:
        return "write";
    case Step::Flush:
        return "flush";
    case Step::Commit:
        return "commit";
    }
    return "?";
}

// Runs the operation once to learn how many writes, flushes and commits it makes, then once more
// for each of them with that one call failing. run() starts from the old content every time.
// Returns the number of failing runs.
int driveEveryFault(const QString& target, const std::optional<QByteArray>& old, const std::function<Result()>& run) {
    const QString folder = QFileInfo(target).absolutePath();
    putBytes(target, old);
    const QStringList before = entries(folder);

    writefaults::clear();
    const Result first = run();
    [&] { QVERIFY2(first.ok, qPrintable(first.error)); }();
    const std::optional<QByteArray> fresh = readBytes(target);
    [&] { QVERIFY(fresh && fresh != old); }();
    const int counts[] = {writefaults::calls(Step::Write), writefaults::calls(Step::Flush),
                          writefaults::calls(Step::Commit)};
    if (QTest::currentTestFailed()) return 0;

    int driven = 0;
    for (Step step : {Step::Write, Step::Flush, Step::Commit}) {
        const int total = counts[static_cast<int>(step)];
        [&] { QVERIFY2(total >= 1, stepName(step)); }();
        for (int n = 1; n <= total && !QTest::currentTestFailed(); ++n) {
            putBytes(target, old);
            writefaults::arm(step, n);
            const Result r = run();
            const QString where = QStringLiteral("%1 %2 of %3: ").arg(QLatin1String(stepName(step))).arg(n).arg(total);
            [&] {
                QVERIFY2(writefaults::calls(step) >= n, qPrintable(where + QStringLiteral("never reached")));
                QVERIFY2(!r.ok, qPrintable(where + QStringLiteral("reported success")));
                QVERIFY2(r.error.contains(QStringLiteral("Simulated")), qPrintable(where + r.error));
                QVERIFY2(r.error.contains(QFileInfo(target).fileName()), qPrintable(where + r.error));
                QVERIFY2(readBytes(target) == old, qPrintable(where + QStringLiteral("target changed")));
                QCOMPARE(entries(folder), before);
            }();
            ++driven;
        }
    }
    writefaults::clear();
    putBytes(target, old);
    const Result again = run();
    [&] {
        QVERIFY2(again.ok, qPrintable(again.error));
        QCOMPARE(readBytes(target), fresh);
    }();
    qInfo("%s: %d writes, %d flushes, %d commits; %d failing runs", qPrintable(QFileInfo(target).fileName()), counts[0],
          counts[1], counts[2], driven);
    return driven;
}

int fixedWidth(const QString&) {
    return 60;
}

} // namespace

class tst_crashsafety : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString& name) const { return m_dir->filePath(name); }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { writefaults::clear(); }

    void partFileWriter() {
        ProgramModel panel(fixedWidth);
        for (int i = 0; i < 20; ++i) {
            QVERIFY(panel.add(Kind::Move, QStringLiteral("MX, %1").arg(i), i % 2 ? QStringLiteral("'m") : QString()));
            QVERIFY(panel.add(Kind::Comment, QStringLiteral("'step %1 \xe4").arg(i), {}));
        }
        const QString target = path(QStringLiteral("jobs/job.cvp"));
        QDir().mkpath(path(QStringLiteral("jobs")));
        // The old file carries a header and a closing block of several MiB, which the save streams
        // from the file it replaces: the writes of the copy fail one by one as well.
        QByteArray old = "'' Header file created by Corvane Headsmith\r\n' End of header file\r\n\r\n";
        for (int i = 0; i < 30; ++i)
            old += "MY, " + QByteArray::number(i) + "   'the old program\r\n";
        old += "' Start of Closing file\r\n";
        while (old.size() < (qsizetype(9) << 19))
            old += "M2, " + QByteArray::number(old.size() % 997) + ", 1   \r\n";
        old += "' End of Closing file\r\n";
        QVERIFY(driveEveryFault(target, old, [&] {
                    // Saved in place, as File > Save does after the file was opened.
                    const partfilereader::ReadResult opened = partfilereader::readFile(target);
                    if (!opened.ok) return Result{false, opened.error};
                    const FileResult r = partfile::write(target, panel, opened.kept);
                    return Result{r.ok, r.error};
                }) >= 5);

        // A first save, with no file yet: a failure leaves none behind. A program of at most a hundred
        // lines goes out in one buffered write, then the flush and the commit.
        QVERIFY(driveEveryFault(target, std::nullopt, [&] {
                    const FileResult r = partfile::write(target, panel, {});
                    return Result{r.ok, r.error};
                }) >= 3);
    }

    void settingsFile() {
        const QString folder = path(QStringLiteral("program"));
        QDir().mkpath(folder);
        const QString target = QDir(folder).filePath(QStringLiteral("stacker.ini"));
        QVERIFY(driveEveryFault(target, QByteArray("advanced = 0\r\n"), [&] {
                    const FileResult r = settings::save(folder, true);
                    return Result{r.ok, r.error};
                }) >= 4);
    }

    // The rewrite with a header and a closing block to replace and both files copied in as text,
    // through small buffers so that it writes many times.
    void headsmithRewrite() {
        const QString target = path(QStringLiteral("jobs/part.cvp"));
        putBytes(path(QStringLiteral("library/home.cvp")), crlf({"' go home first", "M2, 0, 0", "no end"}).chopped(2));
        putBytes(path(QStringLiteral("library/park.cvp")), crlf({"' park", "J2, 10, 10", "\xa7 8-bit \xfc"}));
        HeaderFields f = sampleHeaderFields();
        f.additionalInfo = QStringLiteral("'' two\n'' notes\n");
        f.addOpening = true;
        f.openingAsFP = false;
        f.openingPath = path(QStringLiteral("library/home.cvp"));
        f.addClosing = true;
        f.closingAsFP = false;
        f.closingPath = path(QStringLiteral("library/park.cvp"));

        QList<QByteArray> body;
        for (const headertext::BlockLine& l : headertext::writeheaderinfo(sampleHeaderFields()))
            body << l.text.toLatin1();
        body << ""
             << "' Created using the Corvane Part File Stacker"
             << "'"
             << "'";
        for (int i = 0; i < 40; ++i)
            body << "M2, " + QByteArray::number(i) + ", 2.5   'cut " + QByteArray(i, 'x');
        body << "' Start of Closing file"
             << " "
             << "FP, old.cvp"
             << " "
             << "' End of Closing file"
             << "'after";
        const QByteArray old = crlf(body);

        ScriptedPlatform platform;
        QVERIFY(driveEveryFault(target, old, [&] {
                    // Replace the header, replace the closing block.
                    platform.yesNo = QQueue<bool>();
                    platform.yesNo << true << true;
                    const auto r = headsmith::rewritePartFile(target, f, platform, {}, 64);
                    return Result{r.outcome == Outcome::Written, r.error};
                }) > 100);
        QCOMPARE(entries(path(QStringLiteral("library"))), (QStringList{"home.cvp", "park.cvp"}));
    }

    // After a failed write the rest of the file is not worth reading, and the user must not be asked
    // about a closing block of a file that will not be written.
    void rewriteStopsAtTheFirstFailedWrite() {
        const QString target = path(QStringLiteral("part.cvp"));
        QByteArray old = "' Created using the Corvane Part File Stacker\r\n";
        for (int i = 0; i < 2000; ++i)
            old += "M2, 1, 2   'long enough to need several buffers\r\n";
        old += crlf({"' Start of Closing file", "FP, old.cvp", "' End of Closing file"});
        putBytes(target, old);
        HeaderFields f = sampleHeaderFields();
        f.addClosing = true;
        f.closingPath = QStringLiteral("new.cvp");
        ScriptedPlatform platform;
        int reports = 0;
        const auto rewrite = [&] {
            reports = 0;
            return headsmith::rewritePartFile(
                target, f, platform, [&](qint64, qint64) { return ++reports > 0; }, 256);
        };
        platform.yesNo << true;
        writefaults::clear();
        QCOMPARE(rewrite().outcome, Outcome::Written);
        const int writes = writefaults::calls(Step::Write);
        const int fullReports = reports;

        // Fail a write halfway through the program lines, well before the closing block.
        putBytes(target, old);
        platform.asked.clear(); // no answers now: any question fails the test
        writefaults::arm(Step::Write, writes / 2);
        const auto r = rewrite();
        QCOMPARE(r.outcome, Outcome::Failed);
        QVERIFY(platform.asked.isEmpty());
        QVERIFY2(reports < fullReports / 2 + 5, qPrintable(QStringLiteral("%1 of %2").arg(reports).arg(fullReports)));
        QCOMPARE(readBytes(target), old);
    }

    void variablesFileUpdate() {
        ScriptedPlatform platform;
        platform.partsDir = path(QStringLiteral("cvparts"));
        const QString target = headeranswers::variablesFilePath(platform.partsDir);
        const QByteArray old = crlf({"&my_hasrunheader = 1", "&router_speed=  4 ", "&header_name = Old",
                                     "no equals sign", "&header_units = 1", "' \xe9t\xe9"});
        HeaderAnswers header;
        header.openingFolder = QStringLiteral("C:\\parts");
        QVERIFY(driveEveryFault(target, old, [&] {
                    const FileResult r = headeranswers::save(platform, header, sampleHeaderFields());
                    return Result{r.ok, r.error};
                }) >= 3); // the update is streamed: its writes go out a buffer at a time
        QVERIFY(readBytes(target)->startsWith("&my_hasrunheader = 1\r\n&router_speed=  4 \r\n&header_name =Bo\r\n"));

        // The first save creates the file; a failed one leaves no file at all.
        QVERIFY(driveEveryFault(target, std::nullopt, [&] {
                    const FileResult r = headeranswers::save(platform, header, sampleHeaderFields());
                    return Result{r.ok, r.error};
                }) >= 40);
        QCOMPARE(readBytes(target)->count("\r\n"), 19);
    }

    // A real disk (a small tmpfs) that fills up part-way through the write: the old file stays
    // whole, nothing is left beside it, and the message gives the system's reason, which Qt alone
    // reports as "Unknown error" when the disk takes part of a write.
    void diskFull_data() {
        QTest::addColumn<bool>("rewrite");
        QTest::newRow("part file") << false;
        QTest::newRow("rewrite") << true;
    }
    void diskFull() {
        QFETCH(bool, rewrite);
        const QString disk = path(QStringLiteral("small"));
        systemfiles::Tmpfs mount(disk, 256);
        if (!mount.mounted()) QSKIP(qPrintable(QStringLiteral("no small disk to fill here: ") + mount.why()));
        const QString target = QDir(disk).filePath(QStringLiteral("job.cvp"));
        QByteArray old;
        while (old.size() < 100'000)
            old += "M2, 12.5, 7.25   'the program saved before\r\n";
        putBytes(target, old);

        Result r;
        if (rewrite) {
            const QString closing = path(QStringLiteral("park.cvp"));
            putBytes(closing, QByteArray(300'000, 'x'));
            HeaderFields f = sampleHeaderFields();
            f.addClosing = true;
            f.closingAsFP = false;
            f.closingPath = closing;
            ScriptedPlatform platform;
            const auto result = headsmith::rewritePartFile(target, f, platform);
            r = {result.outcome == Outcome::Written, result.error};
        } else {
            ProgramModel panel(fixedWidth);
            for (int i = 0; i < 99; ++i)
                QVERIFY(panel.add(Kind::Comment, QStringLiteral("'%1 ").arg(i) + QString(3000, u'c'), {}));
            const FileResult result = partfile::write(target, panel, {});
            r = {result.ok, result.error};
        }
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(QStringLiteral("No space left on device")), qPrintable(r.error));
        QCOMPARE(readBytes(target), old);
        QCOMPARE(entries(disk), QStringList{QStringLiteral("job.cvp")});
    }
};

#include "testmain.h"
QTEST_GUILESS_MAIN(tst_crashsafety)
#include "tst_crashsafety.moc"
