// Any bytes as a part file, run without a machine, with any bytes as every file it calls. Nothing
// crashes, the run ends within its step limit, and the trace holds together: every time is a number
// and not below 0, the tool never jumps between segments, each segment starts no earlier than the one
// before it ended, and the extent holds every segment end.
//
// Input: a flags byte (bit 0 acceleration, 1 a table, 2 a blank, 3 Z zeroed on the table, 4 the text
// as UTF-8, bits 5-7 the calibration), two bytes of step limit, then the main file; a NUL byte
// divides it from the text of the called files. A called file whose name begins with "x" is missing.
#include "fuzzsupport.h"

#include "core/dryrun/dryrun.h"

#include <cmath>

using namespace dryrun;

namespace {

bool finite(const Position& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z) && std::isfinite(p.a) && std::isfinite(p.b);
}

bool within(const Range& r, double v) {
    return v >= r.min && v <= r.max;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in{data, size};
    const uint8_t flags = in.byte();
    Settings settings;
    settings.stepLimit = 1 + in.word() % 3000;
    settings.acceleration = flags & 1;
    if (flags & 2) settings.tableX = 48, settings.tableY = 24;
    if (flags & 4) settings.blankX = 24, settings.blankY = 12, settings.thickness = 0.5;
    settings.zeroOnTable = flags & 8;
    settings.calibration = 0.5 + (flags >> 5) * 0.25;
    const auto text = [&](const QByteArray& b) { return flags & 16 ? QString::fromUtf8(b) : QString::fromLatin1(b); };
    const QString main = text(in.section(QByteArrayView("\0", 1)));
    const QString called = text(in.rest());

    const Loader loader = [&](const QString& path) {
        const QString name = path.section(u'/', -1);
        if (name.startsWith(u'x', Qt::CaseInsensitive)) return Loaded{false, QStringLiteral("missing"), {}};
        return Loaded{true, {}, programFromText(name, path.section(u'/', 0, -2), called)};
    };
    const Trace t =
        run(programFromText(QStringLiteral("main.cvp"), QStringLiteral("/job"), main), settings, {}, loader);

    fuzz::check(t.executedLines <= settings.stepLimit, "ran past the step limit");
    fuzz::check(!t.stepLimitReached || t.executedLines == settings.stepLimit, "step limit reached below the limit");
    fuzz::check(std::isfinite(t.totalTime) && t.totalTime >= 0, "total time is no time",
                QByteArray::number(t.totalTime));
    fuzz::check(t.extent.empty == t.segments.empty(), "extent empty without segments, or the other way");
    Position at;
    double sum = 0;
    double end = 0; // where the segment before ends on the run's clock
    for (const Segment& s : t.segments) {
        fuzz::check(std::isfinite(s.time) && s.time >= 0, "segment time is no time", QByteArray::number(s.time));
        fuzz::check(finite(s.from) && finite(s.to), "segment end is no number");
        fuzz::check(s.from == at, "the tool jumped between segments");
        // Pauses never take time back, so a segment cannot start before the one before it ended.
        fuzz::check(s.startTime >= end, "a segment starts before the one before it ended",
                    QByteArray::number(s.startTime) + " < " + QByteArray::number(end));
        for (const Position& p : {s.from, s.to})
            fuzz::check(within(t.extent.x, p.x) && within(t.extent.y, p.y) && within(t.extent.z, p.z),
                        "the extent misses a segment end");
        at = s.to;
        sum += s.time;
        end = s.startTime + s.time;
    }
    fuzz::check(end <= t.totalTime, "the last segment ends after the run", QByteArray::number(end));
    double perLine = 0;
    for (double v : t.timePerLine) {
        fuzz::check(std::isfinite(v) && v > 0, "a line's time is no time", QByteArray::number(v));
        perLine += v;
    }
    fuzz::check(std::abs(perLine - t.totalTime) <= 1e-9 * std::max(1.0, t.totalTime),
                "the lines' times do not add up to the total");
    fuzz::check(sum <= t.totalTime * (1 + 1e-9) + 1e-9, "the segments take longer than the total");
    fuzz::check(t.stopCount() >= 0, "negative stop count");
    return 0;
}
