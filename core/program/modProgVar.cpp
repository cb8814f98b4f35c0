#include "core/program/modProgVar.h"

#include <cmath>
#include <limits>

std::optional<qint16> checkedAdd16(qint16 a, int b) {
    const long long r = static_cast<long long>(a) + b;
    if (r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max()) return std::nullopt;
    return static_cast<qint16>(r);
}

std::optional<qint16> roundToInt16(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    const double r = std::nearbyint(v); // the default rounding mode rounds halves to even
    if (r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max()) return std::nullopt;
    return static_cast<qint16>(r);
}

bool modProgVar::appendLine(Kind k, qint16 blockIndex) {
    if (LineCount >= MaxLines) return false;
    ++LineCount;
    Lines[static_cast<std::size_t>(LineCount)] = {NextTop, k, blockIndex, 1};
    return true;
}
