// crash_child save PARTFILE
// crash_child rewrite PARTFILE CLOSINGFILE
// crash_child variables   (in the parts folder: reads and updates custom/header_variables.cvc)
// One large save or Headsmith rewrite, run in its own process so that a test can kill it midway.
// Exit code 0 when the file was written, 1 when the writer reported a failure, 2 on bad usage.
#include "core/headsmith/headeranswers.h"
#include "core/headsmith/rewrite.h"
#include "core/panel/programmodel.h"
#include "core/partfile/partfile.h"
#include "platform/headlessplatform.h"
#include "platform/platform.h"
#include "samplefields.h"

#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>

#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace {

// A full table of long comment lines: about 4 MB through the part file writer.
int save(const QString& path) {
    ProgramModel panel([](const QString&) { return 60; });
    for (int i = 0; i < 99; ++i) {
        const QString held = QStringLiteral("' line %1 ").arg(i, 2) + QString(40000, QChar(u'a' + i % 26));
        if (!panel.add(Kind::Comment, held, {})) return 2;
    }
    panel.add(Kind::End, {}, {});
    const FileResult r = partfile::write(path, panel, {});
    if (!r.ok) std::fprintf(stderr, "%s\n", qPrintable(r.error));
    return r.ok ? 0 : 1;
}

int rewrite(const QString& path, const QString& closing) {
    const HeaderFields f = sampleHeaderFieldsCopyingClosing(closing);
    HeadlessPlatform platform(true);
    const headsmith::RewriteResult r = headsmith::rewritePartFile(path, f, platform);
    if (r.outcome != headsmith::RewriteResult::Outcome::Written) std::fprintf(stderr, "%s\n", qPrintable(r.error));
    return r.outcome == headsmith::RewriteResult::Outcome::Written ? 0 : 1;
}

// This process's own peak memory. Linux carries the largest size the process had before exec (the
// forking test's) over into ru_maxrss; the memory map's high-water mark starts afresh with the program.
long peakKib() {
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS counters{};
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
    return long(counters.PeakWorkingSetSize / 1024);
#else
    if (FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        long kib = -1;
        while (kib < 0 && std::fgets(line, sizeof line, status))
            if (std::sscanf(line, "VmHWM: %ld kB", &kib) != 1) kib = -1;
        std::fclose(status);
        if (kib >= 0) return kib;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

// Loads and updates the variables file under the working folder, then prints the process's peak
// memory, so that a test can see it stays flat however large the file.
int variables() {
    HeadlessPlatform platform(true);
    HeaderAnswers header;
    const headeranswers::Loaded loaded = headeranswers::load(platform, header);
    if (loaded.source != headeranswers::Loaded::Source::Variables) return 1;
    const FileResult r = headeranswers::save(platform, header, sampleHeaderFields());
    if (!r.ok) std::fprintf(stderr, "%s\n", qPrintable(r.error));
    std::printf("peak-kib %ld\n", peakKib());
    return r.ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    setUpProcess(); // as the program does: a file-size limit must fail the write, not end the process
    if (argc == 3 && std::strcmp(argv[1], "save") == 0) return save(QString::fromLocal8Bit(argv[2]));
    if (argc == 4 && std::strcmp(argv[1], "rewrite") == 0)
        return rewrite(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc == 2 && std::strcmp(argv[1], "variables") == 0) return variables();
    std::fprintf(stderr, "usage: %s save PARTFILE | rewrite PARTFILE CLOSINGFILE | variables\n", argv[0]);
    return 2;
}
