// Any bytes as a part file, run and carved on a small blank with any bit. Nothing crashes, and every
// height of the field lies between the lowest point a cut's tip reaches (or the blank's bottom, where
// it is cut through) and the blank's top; the scrubber's field at any moment lies at or above the
// finished one; the removed volume is a number between 0 and the blank's.
//
// Input: a flags byte (bits 0-1 the bit's shape, 2 Z zeroed on the table, 3 the text as UTF-8), the
// bit's diameter in 64ths, its angle in degrees, the field's budget in KiB (1 to 64), the moment to
// scrub to (as a share of 255), then the program.
#include "fuzzsupport.h"

#include "core/carve/carve.h"

#include <cmath>

using namespace dryrun;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in{data, size};
    const uint8_t flags = in.byte();
    Settings settings;
    settings.stepLimit = 3000;
    settings.blankX = 8;
    settings.blankY = 5;
    settings.thickness = 0.5;
    settings.zeroOnTable = flags & 4;
    settings.tool.shape = Tool::Shape((flags & 3) % 3);
    settings.tool.diameter = (1 + in.byte()) / 64.0;
    settings.tool.angle = in.byte();
    const std::size_t budget = std::size_t(1 + in.byte() % 64) * 1024;
    const int share = in.byte();
    const QByteArray bytes = in.rest();
    const QString text = flags & 8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
    Trace t = run(programFromText(QStringLiteral("main.cvp"), QStringLiteral("/job"), text), settings, {}, {});
    const std::shared_ptr<const carve::Job> job = carve::Job::fromTrace(t);
    fuzz::check(job != nullptr, "a blank of 8 x 5 gave no job");
    carve::checkRapids(*job, t);

    const double top = job->top();
    const double lowest = std::max(job->lowestTip(), job->bottom().value_or(-1e300));
    const carve::Grid grid = job->wholeGrid(budget);
    fuzz::check(grid.cells() * carve::BytesPerCell <= budget, "the field outgrew its budget");
    const carve::Field field = *carve::carve(*job, grid);
    const double slack = 1e-6 * std::max(1.0, std::abs(lowest));
    for (float z : field.z)
        fuzz::check(std::isfinite(z) && z <= top + slack && z >= lowest - slack, "a height outside its bounds",
                    QByteArray::number(z) + " not within " + QByteArray::number(lowest) + ".." +
                        QByteArray::number(top));

    carve::Scrubber scrubber(job, grid, budget * 3);
    fuzz::check(scrubber.prepare(), "the scrubber was cancelled");
    const carve::Field* at = scrubber.at(t.segments.size() * std::size_t(share) / 255);
    for (std::size_t n = 0; n < field.z.size(); ++n)
        fuzz::check(at->z[n] >= field.z[n], "an earlier moment is cut deeper than the end");
    fuzz::check(scrubber.at(t.segments.size())->z == field.z, "the scrubber's end is not the field");

    const double volume = *carve::removedVolume(*job, field);
    fuzz::check(std::isfinite(volume) && volume >= -1e-9 && volume <= 8 * 5 * 0.5 * (1 + 1e-6) + 1e-9,
                "the removed volume is no volume", QByteArray::number(volume));
    return 0;
}
