#include "core/program/modProgVar.h"

#include "core/program/commandkinds.h"

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

qint16* modProgVar::counter(Kind k) {
    auto m = kinds::info(k).counter;
    return m ? &(this->*m) : nullptr;
}

const qint16* modProgVar::counter(Kind k) const {
    auto m = kinds::info(k).counter;
    return m ? &(this->*m) : nullptr;
}

qint16* modProgVar::selection(Kind k) {
    auto m = kinds::info(k).selection;
    return m ? &(this->*m) : nullptr;
}

QString* modProgVar::resultText(Kind k) {
    auto m = kinds::info(k).result;
    return m ? &(this->*m) : nullptr;
}

bool modProgVar::appendLine(Kind k, qint16 blockIndex) {
    if (LineCount >= MaxLines) return false;
    ++LineCount;
    Lines[static_cast<std::size_t>(LineCount)] = {NextTop, static_cast<qint16>(code(k)), blockIndex, 1};
    return true;
}
