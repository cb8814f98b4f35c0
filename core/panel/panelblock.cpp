#include "core/panel/panelblock.h"

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

namespace blocklayout {

void place(PanelBlock& b, float left, float top) {
    b.shape.left = left;
    b.shape.top = top;
    b.text.left = left + 8;
    b.text.top = top + 2;
    b.comment.left = b.text.left + b.text.width + 8;
    b.comment.top = b.text.top;
}

void fitShape(Kind k, PanelBlock& b) {
    const KindInfo& info = kinds::info(k);
    if (info.fixedWidth == -1)
        b.shape.width = CommentWidth;
    else if (info.fixedWidth > 0 && k != Kind::Return)
        b.shape.width = info.fixedWidth;
    else if (info.hasComment)
        b.shape.width = b.comment.left + b.comment.width + 20;
}

} // namespace blocklayout
