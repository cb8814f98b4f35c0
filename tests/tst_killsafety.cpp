// A save and a Headsmith rewrite of a large part file, each run in a child process that is killed
// outright (SIGKILL on Unix, TerminateProcess on Windows) at a random moment, a few hundred times.
// After every kill the part file is byte for byte its old or its new content, and whatever a kill
// leaves behind does not stop the next save. Under a file-size limit the same child is not killed:
// its write fails and says why.
#include "testfiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

// The moment of each kill is drawn from this generator; the seed is printed so a failure can be replayed.
QRandomGenerator& killClock() {
    static QRandomGenerator generator = [] {
        const quint32 seed = qEnvironmentVariableIsSet("KILL_SEED") ? quint32(qEnvironmentVariableIntValue("KILL_SEED"))
                                                                    : QRandomGenerator::global()->generate();
        qInfo("kill moments drawn with KILL_SEED=%u", seed);
        return QRandomGenerator(seed);
    }();
    return generator;
}

// Starts the child without a console of its own: under Wine a console host started for a child that
// is then killed can outlive it, holding the test's output open so that CTest waits for it for ever.
void startChild(QProcess& child, const QStringList& arguments) {
#ifdef Q_OS_WIN
    child.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* a) {
        a->flags = (a->flags & ~DWORD(CREATE_NO_WINDOW)) | DETACHED_PROCESS;
    });
#endif
    child.start(QStringLiteral(CRASH_CHILD), arguments);
}

} // namespace

class tst_killsafety : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_killPoints = 0;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Runs the child to its end, however long a busy machine makes it take (CTest's timeout is the
    // bound); its elapsed time in microseconds, or -1 when it failed.
    qint64 runToEnd(const QStringList& arguments) {
        QProcess child;
        QElapsedTimer clock;
        clock.start();
        startChild(child, arguments);
        if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            qWarning("crash_child %s: %s", qPrintable(arguments.join(u' ')), child.readAllStandardError().constData());
            return -1;
        }
        return clock.nsecsElapsed() / 1000;
    }

    // Kills the child `kills` times at random moments across one uninterrupted run's length and
    // checks the target after each kill. The target starts from `old` each time it was replaced.
    void killAtRandom(const QStringList& arguments, const QString& target, const QByteArray& old, int kills) {
        const QString folder = QFileInfo(target).absolutePath();
        putBytes(target, old);
        const QStringList clean = entries(folder);

        // Uninterrupted runs give the new content and how long a run takes (the median of three).
        QList<qint64> times;
        QByteArray fresh;
        for (int i = 0; i < 3; ++i) {
            putBytes(target, old);
            const qint64 took = runToEnd(arguments);
            QVERIFY(took > 0);
            times << took;
            if (i == 0) fresh = readAll(target);
            QCOMPARE(readAll(target), fresh);
        }
        QVERIFY(fresh != old);
        std::sort(times.begin(), times.end());
        qint64 span = times[1] + times[1] / 20;

        int keptOld = 0;
        int gotNew = 0;
        int finishedFirst = 0;
        QSet<QString> leftovers;
        QByteArray current = fresh;
        int i = 0;
        for (; i < kills || ((keptOld == 0 || gotNew == 0) && i < 4 * kills); ++i) {
            // A machine busy with other tests can make a killed run far slower than the runs timed
            // above: while every kill so far landed on one side of the commit, move the moments.
            if (i > 0 && i % 10 == 0) {
                if (gotNew == 0)
                    span += span / 2;
                else if (keptOld == 0)
                    span -= span / 3;
            }
            if (current != old) putBytes(target, old);
            QProcess child;
            startChild(child, arguments);
            QVERIFY(child.waitForStarted(-1));
            QThread::usleep(static_cast<unsigned long>(killClock().bounded(span)));
            child.kill();
            QVERIFY(child.waitForFinished(-1));
            ++m_killPoints;
            if (child.exitStatus() == QProcess::NormalExit) ++finishedFirst;

            current = readAll(target);
            if (current == old) {
                ++keptOld;
            } else {
                const QString what = QStringLiteral("kill %1 left %2 bytes, neither old (%3) nor new (%4)")
                                         .arg(i)
                                         .arg(current.size())
                                         .arg(old.size())
                                         .arg(fresh.size());
                QVERIFY2(current == fresh, qPrintable(what));
                ++gotNew;
            }
            for (const QString& name : entries(folder))
                if (!clean.contains(name)) leftovers.insert(name);
        }

        // Whatever the kills left, the next save goes through and its content is whole.
        putBytes(target, old);
        QVERIFY(runToEnd(arguments) > 0);
        QCOMPARE(readAll(target), fresh);
        // Only temporary files named after the target ("job.cvp.AbC123", on Windows "job.cvp~1f2e3d...").
        const QString own = QFileInfo(target).fileName();
        for (const QString& name : leftovers)
            QVERIFY2(name.startsWith(own + u'.') || name.startsWith(own + u'~'), qPrintable(name));

        qInfo("%s: %d kill points within %lld ms (runs take %lld ms): %d kept the old file, %d had the new one "
              "(%d runs ended before the kill); %lld leftover temporary files: %s",
              qPrintable(arguments.first()), i, span / 1000, times[1] / 1000, keptOld, gotNew, finishedFirst,
              qint64(leftovers.size()), qPrintable(QStringList(leftovers.begin(), leftovers.end()).join(u' ')));
        QVERIFY(keptOld > 0);
        QVERIFY(gotNew > 0);
    }

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        QVERIFY(QFileInfo(QStringLiteral(CRASH_CHILD)).isExecutable());
        QDir().mkpath(path(QStringLiteral("save")));
        QDir().mkpath(path(QStringLiteral("rewrite")));
    }

    void killedSave() {
        const QString target = path(QStringLiteral("save/job.cvp"));
        QByteArray old;
        while (old.size() < 3'000'000)
            old += "M2, 12.5, 7.25   'the program saved before\r\n";
        killAtRandom({QStringLiteral("save"), target}, target, old, 150);
    }

    void killedRewrite() {
        const QString target = path(QStringLiteral("rewrite/part.cvp"));
        const QString closing = path(QStringLiteral("park.cvp"));
        putBytes(closing, "' park\r\nJ2, 0, 0\r\n");
        QByteArray old = "' Created using the Corvane Part File Stacker\r\n' notice\r\n'\r\n";
        while (old.size() < 4'000'000)
            old += "M3, 10.125, 4.5, -0.25   'pocket\r\n";
        killAtRandom({QStringLiteral("rewrite"), target, closing}, target, old, 150);
        QCOMPARE(readAll(closing), QByteArray("' park\r\nJ2, 0, 0\r\n"));
    }

    // Past the file-size limit (ulimit -f) the system would end the process with SIGXFSZ, taking
    // the unsaved work with it; the program ignores that signal, so the write fails with its reason,
    // the user is told, and the old file stays.
    void fileSizeLimit_data() {
        QTest::addColumn<QString>("what");
        QTest::newRow("save") << "save";
        QTest::newRow("rewrite") << "rewrite";
    }
    void fileSizeLimit() {
        QFETCH(QString, what);
        const QString shell = QStandardPaths::findExecutable(QStringLiteral("sh"));
        if (shell.isEmpty()) QSKIP("no POSIX shell here to set a file-size limit");
        const QString folder = path(QStringLiteral("limit-") + what);
        QDir().mkpath(folder);
        const QString target = QDir(folder).filePath(QStringLiteral("job.cvp"));
        QByteArray old = "' Created using the Corvane Part File Stacker\r\n";
        while (old.size() < 100'000)
            old += "M2, 12.5, 7.25   'the program saved before\r\n";
        putBytes(target, old);
        const QString closing = path(QStringLiteral("limit-park.cvp"));
        putBytes(closing, QByteArray(2'000'000, 'p'));
        QStringList arguments{QStringLiteral(CRASH_CHILD), what, target};
        if (what == QLatin1String("rewrite")) arguments << closing;

        QProcess child;
        // 1024 blocks: 512 KiB or 1 MiB as the shell counts them, far below what the child writes.
        child.start(shell, QStringList{QStringLiteral("-c"), QStringLiteral("ulimit -f 1024 && exec \"$@\""),
                                       QStringLiteral("sh")} +
                               arguments);
        QVERIFY(child.waitForFinished(-1));
        const QByteArray said = child.readAllStandardError();
        QVERIFY2(child.exitStatus() == QProcess::NormalExit, "killed by the file-size limit");
        QCOMPARE(child.exitCode(), 1); // the writer reported the failure
        QVERIFY2(said.contains("File too large"), said.constData());
        QCOMPARE(readAll(target), old);
        QCOMPARE(entries(folder), QStringList{QStringLiteral("job.cvp")});
    }

    void cleanupTestCase() { qInfo("%d kill points tried in all", m_killPoints); }
};

#include "testmain.h"
QTEST_GUILESS_MAIN(tst_killsafety)
#include "tst_killsafety.moc"
