// bench_headsmith [--size-mib N] [--runs R] [--dir FOLDER] [--keep]
//
// Generates a part file of N MiB (motion lines, CR LF) and times, R times each:
//   (a) cat file > copy          (copy exists already: it is overwritten)
//   (b) sed '1i x' file > copy
//   (c) headsmith_rewrite: a header and a closing block copied in as text, written in place
// then prints the throughput of (c) against (a) and (b) and the peak resident memory of (c).
#include "fileoptions.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct RunResult {
    double seconds = 0;
    long maxRssKiB = 0;
    bool ok = false;
};

// Runs argv with stdout sent to outFile (or inherited when empty); no shell is involved.
RunResult run(const std::vector<std::string>& args, const std::string& outFile) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!outFile.empty())
        posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    // Every timed command starts with nothing left to write back from the one before.
    sync();

    RunResult result;
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        std::fprintf(stderr, "cannot start %s\n", argv[0]);
        return result;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    result.seconds = timer.nsecsElapsed() / 1e9;
    result.maxRssKiB = usage.ru_maxrss;
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return result;
}

// Lines as the stacker writes them: moves, jogs, speeds, pauses, comments, each ended by CR LF.
bool generate(const QString& path, qint64 bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    QRandomGenerator rng(20260712);
    QByteArray chunk;
    chunk.reserve(1 << 20);
    chunk += "' Created using the Corvane Part File Stacker\r\n' benchmark\r\n'\r\n";
    qint64 written = 0;
    auto num = [&](int scale) { return QByteArray::number(rng.bounded(scale * 1000) / 1000.0, 'f', 3); };
    while (written + chunk.size() < bytes) {
        switch (rng.bounded(8)) {
        case 0:
            chunk += "JZ, , , " + num(2) + "   \r\n";
            break;
        case 1:
            chunk += "J2, " + num(96) + ", " + num(48) + "   'next part\r\n";
            break;
        case 2:
            chunk += "MZ, , , -" + num(1) + "   \r\n";
            break;
        case 3:
            chunk += "VS, 2.5, 1, , , 6, 2, , \r\n";
            break;
        case 4:
            chunk += "M3, " + num(96) + ", " + num(48) + ", -" + num(1) + "   'plunge\r\n";
            break;
        default:
            chunk += "M2, " + num(96) + ", " + num(48) + "   \r\n";
            break;
        }
        if (chunk.size() >= (1 << 20) - 128) {
            if (f.write(chunk) != chunk.size()) return false;
            written += chunk.size();
            chunk.clear();
        }
    }
    chunk += "END\r\n";
    return f.write(chunk) == chunk.size();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<FileOptions> options = parseFileOptions(argc, argv, QStringLiteral("headsmith-bench"));
    if (!options) return 2;
    const auto& [sizeMiB, runs, dir, keep] = *options;
    QDir().mkpath(dir);
    const QString source = QDir(dir).filePath(QStringLiteral("source.cvp"));
    const QString copy = QDir(dir).filePath(QStringLiteral("copy.cvp"));
    const QString work = QDir(dir).filePath(QStringLiteral("work.cvp"));
    const QString closing = QDir(dir).filePath(QStringLiteral("closing.cvp"));

    std::printf("generating %lld MiB in %s\n", static_cast<long long>(sizeMiB), qPrintable(dir));
    if (!generate(source, sizeMiB << 20)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(source));
        return 1;
    }
    {
        QFile f(closing);
        if (!f.open(QIODevice::WriteOnly) || f.write("JZ, , , 2\r\nJ2, 0, 0\r\nEND\r\n") < 0) return 1;
    }
    const double mib = QFileInfo(source).size() / double(1 << 20);
    const std::string src = source.toStdString();

    // A warm-up round, not timed: the source is read into the page cache, and the copy exists,
    // so that (a) and (b) overwrite an existing file just as (c) replaces an existing part file.
    run({"cat", src}, copy.toStdString());

    std::vector<double> tCat, tSed, tHead;
    long peakKiB = 0;
    for (int r = 0; r < runs; ++r) {
        const RunResult a = run({"cat", src}, copy.toStdString());
        const RunResult b = run({"sed", "1i x", src}, copy.toStdString());
        // The rewrite replaces its input, so each run starts from a fresh copy (not timed).
        QFile::remove(work);
        if (!QFile::copy(source, work)) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(source));
            return 1;
        }
        const RunResult c = run({HEADSMITH_REWRITE, work.toStdString(), closing.toStdString()}, {});
        if (!a.ok || !b.ok || !c.ok) {
            std::fprintf(stderr, "a run failed (cat %d, sed %d, rewrite %d)\n", a.ok, b.ok, c.ok);
            return 1;
        }
        tCat.push_back(a.seconds);
        tSed.push_back(b.seconds);
        tHead.push_back(c.seconds);
        peakKiB = std::max(peakKiB, c.maxRssKiB);
        std::printf("run %d: cat %.3f s, sed %.3f s, rewrite %.3f s (peak RSS %.1f MiB)\n", r + 1, a.seconds, b.seconds,
                    c.seconds, c.maxRssKiB / 1024.0);
        std::fflush(stdout);
    }
    const double cat = median(tCat), sed = median(tSed), head = median(tHead);
    std::printf("\nfile %.0f MiB, median of %d runs\n", mib, runs);
    std::printf("  (a) cat      %8.3f s  %8.1f MiB/s\n", cat, mib / cat);
    std::printf("  (b) sed      %8.3f s  %8.1f MiB/s\n", sed, mib / sed);
    std::printf("  (c) rewrite  %8.3f s  %8.1f MiB/s\n", head, mib / head);
    std::printf("  throughput (c)/(a) = %.2f   (target >= 0.7)\n", cat / head);
    std::printf("  throughput (c)/(b) = %.2f   (target >= 3)\n", sed / head);
    std::printf("  peak resident memory of (c) = %.1f MiB   (target < 32)\n", peakKiB / 1024.0);

    if (!keep) {
        for (const QString& f : {source, copy, work, closing})
            QFile::remove(f);
        QDir().rmdir(dir);
    }
    return 0;
}
