#include "core/numberbox.h"

#include <QLocale>

#include <cmath>

namespace numberbox {

namespace {

// Digits with at most one separator after an optional sign; digits says whether any digit was seen.
bool wellFormed(QStringView s, bool* digits) {
    qsizetype at = !s.isEmpty() && (s[0] == u'-' || s[0] == u'+') ? 1 : 0;
    bool separator = false;
    *digits = false;
    for (; at < s.size(); ++at) {
        const QChar c = s[at];
        if (c >= u'0' && c <= u'9') {
            *digits = true;
        } else if ((c == u'.' || c == u',') && !separator) {
            separator = true;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<double> read(QStringView typed) {
    const QStringView s = typed.trimmed();
    bool digits = false;
    if (!wellFormed(s, &digits) || !digits) return std::nullopt;
    QString c = s.toString();
    c.replace(u',', u'.');
    if (c.startsWith(u'+')) c.remove(0, 1);
    bool ok = false;
    const double v = QLocale::c().toDouble(c, &ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

bool couldBecome(QStringView typed) {
    bool digits = false;
    return wellFormed(typed.trimmed(), &digits);
}

QString text(double v) {
    // "-0" would read back as the same number, but nobody types it.
    if (v == 0) return QStringLiteral("0");
    return QString::number(v, 'f', QLocale::FloatingPointShortest);
}

} // namespace numberbox
