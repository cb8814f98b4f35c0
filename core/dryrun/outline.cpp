#include "core/dryrun/outline.h"

#include "core/language/linesyntax.h"

#include <cmath>

namespace outline {

QString field(double v) {
    QString text = QString::number(v, 'f', 6);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.')) text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

std::optional<double> highestZ(const dryrun::Trace& trace) {
    if (trace.extent.empty) return std::nullopt;
    return trace.extent.z.max;
}

std::optional<Point> toolAt(const dryrun::Trace& trace, bool afterEverything) {
    if (!trace.watched.empty()) return Point{trace.watched.front().position.x, trace.watched.front().position.y};
    if (!afterEverything) return std::nullopt;
    if (trace.segments.empty()) return Point{};
    return Point{trace.segments.back().to.x, trace.segments.back().to.y};
}

QStringList lines(const dryrun::Extent& extent, double safeZ, std::optional<Point> back) {
    if (extent.empty) return {};
    QStringList out{linesyntax::composeAxes(u'J', {{QString(), QString(), field(safeZ)}})};
    const Point corners[] = {{extent.x.min, extent.y.min},
                             {extent.x.max, extent.y.min},
                             {extent.x.max, extent.y.max},
                             {extent.x.min, extent.y.max},
                             {extent.x.min, extent.y.min}};
    QString last;
    const auto to = [&](const Point& p) {
        const QString line = linesyntax::composeAxes(u'J', {{field(p.x), field(p.y)}});
        if (line != last) out << line;
        last = line;
    };
    for (const Point& p : corners)
        to(p);
    if (back) to(*back);
    return out;
}

} // namespace outline
