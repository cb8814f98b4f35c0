// bench_partfile [--size-mib N] [--runs R] [--dir FOLDER] [--keep]
//
// Generates a part file as Headsmith leaves one after copying a large closing file in: a header, the
// opening lines, a short program, then a closing block of N MiB (default 1024) of motion lines. Then,
// R times, a child process opens it as File > Open does (the reader, the program onto a panel) and
// saves it in place as File > Save does, and the parent prints the times of each step and the
// child's peak resident memory (wait4's ru_maxrss). The saved file must equal the generated one.
// Then it opens and saves, in this process, part files of one 32,767-character line of each kind (the
// longest line a part file holds), built to be hard on the reader, and prints the times.
#include "fileoptions.h"

#include "core/panel/programmodel.h"
#include "core/partfile/partfile.h"
#include "core/partfile/partfilereader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

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

const QByteArray Head = "'' Header file created by Corvane Headsmith\r\n''\r\n'' Benchmark sign\r\n''\r\n"
                        "' End of header file\r\n\r\n"
                        "' Created using the Corvane Part File Stacker\r\n' benchmark\r\n'\r\n"
                        "VS, 2.5, 1, , , 6, 2, ,    \r\nJ2, 0, 0   \r\nM3, 1, 1, -0.25   'start\r\nPAUSE\r\n";

bool generate(const QString& path, qint64 closingBytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    QByteArray chunk = Head + "' Start of Closing file\r\n";
    qint64 written = 0;
    int n = 0;
    while (written < closingBytes) {
        chunk += "M2, " + QByteArray::number(n % 960) + ".125, " + QByteArray::number(n % 480) + ".5   \r\n";
        ++n;
        if (chunk.size() >= (1 << 20) - 64) {
            if (f.write(chunk) != chunk.size()) return false;
            written += chunk.size();
            chunk.clear();
        }
    }
    chunk += "' End of Closing file\r\n";
    return f.write(chunk) == chunk.size();
}

QByteArray digest(const QString& path) {
    QFile f(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!f.open(QIODevice::ReadOnly) || !hash.addData(&f)) return {};
    return hash.result().toHex();
}

// The child: open, then save in place; prints the two times in seconds.
int child(const QString& path) {
    QElapsedTimer t;
    t.start();
    const partfilereader::ReadResult read = partfilereader::readFile(path);
    ProgramModel model([](const QString& s) { return 6 * int(s.size()); });
    if (!read.ok || !model.load(read.lines)) {
        std::fprintf(stderr, "open failed: %s\n", qPrintable(read.error));
        return 1;
    }
    const double open = t.nsecsElapsed() / 1e9;
    t.restart();
    const FileResult saved = partfile::write(path, model, read.kept);
    if (!saved.ok) {
        std::fprintf(stderr, "save failed: %s\n", qPrintable(saved.error));
        return 1;
    }
    const double save = t.nsecsElapsed() / 1e9;
    std::printf("%.3f %.3f %lld %lld\n", open, save, static_cast<long long>(read.kept.headLines()),
                static_cast<long long>(read.kept.tailLines()));
    return 0;
}

struct Run {
    double open = 0, save = 0, total = 0;
    long maxRssKiB = 0;
    QByteArray out;
    bool ok = false;
};

Run spawnChild(const char* self, const QString& path) {
    Run r;
    const std::string file = path.toStdString();
    const std::string out = (path + QStringLiteral(".out")).toStdString();
    char* argv[] = {const_cast<char*>(self), const_cast<char*>("--child"), const_cast<char*>(file.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    sync();
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, self, &actions, nullptr, argv, environ) == 0) {
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        r.total = t.nsecsElapsed() / 1e9;
        r.maxRssKiB = usage.ru_maxrss;
        r.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    QFile f(QString::fromStdString(out));
    if (f.open(QIODevice::ReadOnly)) r.out = f.readAll().trimmed();
    f.remove();
    const QList<QByteArray> parts = r.out.split(' ');
    if (parts.size() >= 2) {
        r.open = parts[0].toDouble();
        r.save = parts[1].toDouble();
    }
    return r;
}

// One line of each kind, as long as a line may be: a head, a unit repeated, a tail.
struct LongLine {
    const char* name;
    QByteArray head, unit, tail;
};
const LongLine LongLines[] = {
    {"IF, many THENs", "IF  a THEN", "  b THEN", "   "},
    {"INPUT, quotes and joints", "INPUT \" \" &&", "   ' \" &&", "   "},
    {"INPUT, many prompts", "INPUT ", "\"a\" &&b   '", ""},
    {"nested IFs", "", "IF &a > 1 THEN ", "END"},
    {"move, many values", "MX, ", "1, ", "2"},
    {"speeds", "VS", ", 1", ""},
    {"file call, many commas", "FP, ", "a,", ",,,, 0"},
    {"move, many comment joints", "MX, 2", "   'x", ""},
    {"comment", "'", "x   '", ""},
    {"label of many words", "", "a b ", ":"},
    {"variable", "&a = ", "&b + ", "1"},
    {"free command", "G1 ", "X1 ", ""},
};

// Opens and saves a file of each long line; false when one does not come back as it was.
bool longLines(const QString& dir) {
    const QString path = QDir(dir).filePath(QStringLiteral("long.cvp"));
    bool same = true;
    std::printf("\none line of 32,767 characters: open, save (seconds)\n");
    for (const LongLine& l : LongLines) {
        QByteArray line = l.head;
        while (line.size() + l.unit.size() + l.tail.size() <= 32767)
            line += l.unit;
        const QByteArray content = line + l.tail + "\r\n";
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size()) return false;
        f.close();
        QElapsedTimer t;
        t.start();
        const partfilereader::ReadResult read = partfilereader::readFile(path);
        ProgramModel model([](const QString& s) { return 6 * int(s.size()); });
        const bool opened = read.ok && model.load(read.lines);
        const double open = t.nsecsElapsed() / 1e9;
        t.restart();
        const bool saved = opened && partfile::write(path, model, read.kept).ok;
        const double save = t.nsecsElapsed() / 1e9;
        QFile back(path);
        // The writer puts its opening lines first; the line itself must follow unchanged.
        const bool kept = saved && back.open(QIODevice::ReadOnly) && back.readAll().endsWith(content);
        same = same && kept;
        std::printf("  %-28s %7.4f %7.4f%s\n", l.name, open, save, kept ? "" : "  NOT KEPT");
    }
    QFile::remove(path);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory of this process %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return same;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) return child(QString::fromLocal8Bit(argv[2]));
    const std::optional<FileOptions> options = parseFileOptions(argc, argv, QStringLiteral("partfile-bench"));
    if (!options) return 2;
    const auto& [sizeMiB, runs, dir, keep] = *options;
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(QStringLiteral("closing.cvp"));
    std::printf("generating a part file with a %lld MiB closing block in %s\n", static_cast<long long>(sizeMiB),
                qPrintable(dir));
    if (!generate(path, sizeMiB << 20)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    const QByteArray before = digest(path);
    const double mib = QFileInfo(path).size() / double(1 << 20);
    std::vector<double> opens, saves;
    long peakKiB = 0;
    for (int r = 0; r < runs; ++r) {
        const Run run = spawnChild(argv[0], path);
        if (!run.ok) {
            std::fprintf(stderr, "run %d failed\n", r + 1);
            return 1;
        }
        opens.push_back(run.open);
        saves.push_back(run.save);
        peakKiB = std::max(peakKiB, run.maxRssKiB);
        // The child prints its open and save times, then the header's and the closing block's line counts.
        const QList<QByteArray> fields = run.out.trimmed().split(' ');
        std::printf("run %d: open %.3f s, save %.3f s, process %.3f s, peak RSS %.1f MiB (header %s lines, "
                    "closing block %s lines)\n",
                    r + 1, run.open, run.save, run.total, run.maxRssKiB / 1024.0, fields.value(2).constData(),
                    fields.value(3).constData());
        std::fflush(stdout);
    }
    const bool same = digest(path) == before;
    std::sort(opens.begin(), opens.end());
    std::sort(saves.begin(), saves.end());
    std::printf("\nfile %.0f MiB, median of %d runs: open %.3f s (%.0f MiB/s), save %.3f s (%.0f MiB/s)\n", mib, runs,
                opens[opens.size() / 2], mib / opens[opens.size() / 2], saves[saves.size() / 2],
                mib / saves[saves.size() / 2]);
    std::printf("peak resident memory %.1f MiB (bound 64 MiB); saved file %s the generated one\n", peakKiB / 1024.0,
                same ? "equals" : "DIFFERS FROM");
    if (!keep) QFile::remove(path);
    const bool longKept = longLines(dir);
    if (!keep) QDir().rmdir(dir);
    return same && longKept && peakKiB < 64 * 1024 ? 0 : 1;
}
