// bench_dryrun [--runs R]
//
// Times the dry run, median of R runs (default 5), each run including the pre-parse:
//   (a) a loop program of 1,000,000 executed lines (three segments, a variable and an IF per pass);
//   (b) a main file calling a file of 100,000 move lines with a 2d offset (100,000 segments);
//   (c) reading single hostile lines of growing length: the time per character stays flat when the
//       reader is linear in the line's length (a quadratic one grows with the length).
#include "core/dryrun/dryrun.h"
#include "core/language/statement.h"

#include <QElapsedTimer>
#include <QHash>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

using namespace dryrun;

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Times {
    double wall = 0;
    double cpu = 0; // this process's processor time: what the run costs when the machine is shared
};

template <typename F> Times timed(int runs, F f) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        const std::clock_t c = std::clock();
        t.start();
        f();
        wall.push_back(t.nsecsElapsed() / 1e9);
        cpu.push_back(double(std::clock() - c) / CLOCKS_PER_SEC);
    }
    return {median(wall), median(cpu)};
}

} // namespace

int main(int argc, char** argv) {
    int runs = 5;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));

    // 1 + 6 * 166666 + 3 = 1,000,000 lines.
    const Program loop = programFromText(QStringLiteral("loop.cvp"), QStringLiteral("/bench"),
                                         QStringLiteral("&&i = 0\n"
                                                        "top:\n"
                                                        "M2, &i / 100, (&i + 1) / 200   'along\n"
                                                        "MZ, , , -0.125\n"
                                                        "JZ, , , 0.5\n"
                                                        "&&i = &&i + 1\n"
                                                        "IF &&i < 166666 THEN GOTO top\n"
                                                        "MX, 0\n"
                                                        "PAUSE, 1\n"
                                                        "END\n"));
    Trace loopTrace;
    const Times loopTimes = timed(runs, [&] { loopTrace = run(loop, {}, {}, {}); });
    std::printf(
        "(a) loop: %lld executed lines, %zu segments, estimate %.0f s: %.3f s (processor %.3f s), median of %d\n",
        static_cast<long long>(loopTrace.executedLines), loopTrace.segments.size(), loopTrace.totalTime, loopTimes.wall,
        loopTimes.cpu, runs);

    QString big;
    for (int i = 0; i < 100000; ++i)
        big += QStringLiteral("M2, %1, %2\n").arg(i % 2 ? 10 : 0).arg(i * 0.001);
    const QHash<QString, QString> files{{QStringLiteral("/bench/big.cvp"), big}};
    const Loader loader = [&](const QString& path) {
        return Loaded{
            true, {}, programFromText(QStringLiteral("big.cvp"), QStringLiteral("/bench"), files.value(path))};
    };
    const Program caller = programFromText(QStringLiteral("main.cvp"), QStringLiteral("/bench"),
                                           QStringLiteral("JX, 5\nFP, big.cvp,,,,, 2\nEND\n"));
    Trace callTrace;
    const Times callTimes = timed(runs, [&] { callTrace = run(caller, {}, {}, loader); });
    std::printf("(b) called file: %zu segments: %.3f s (processor %.3f s), median of %d\n", callTrace.segments.size(),
                callTimes.wall, callTimes.cpu, runs);

    std::printf("(c) one hostile line, ns per character by length:\n");
    const char* const units[] = {"IF a THEN ", "xTHEN", "INPUT \" \" && ' ", "'", ", 1", "("};
    const char* const heads[] = {"", "", "", "INPUT \"", "MX", "&&a = "};
    for (int u = 0; u < 6; ++u) {
        std::printf("    %-22s", (QByteArray("\"") + heads[u] + units[u] + "...\"").constData());
        for (int length : {4096, 8192, 16384, 32767}) {
            QString line = QString::fromLatin1(heads[u]);
            while (line.size() + qsizetype(std::strlen(units[u])) <= length)
                line += QLatin1String(units[u]);
            const double s = timed(runs, [&] {
                                 for (int i = 0; i < 20; ++i)
                                     statement::parse(line);
                             }).cpu;
            std::printf("  %5d: %6.1f", length, s / 20 / double(line.size()) * 1e9);
        }
        std::printf("\n");
    }
    return 0;
}
