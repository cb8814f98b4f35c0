#include "gui/toolpath/measuretext.h"

#include <QCoreApplication>

namespace measuretext {

QString number(double v, dryrun::Unit unit) {
    const QString text = QString::number(v, 'f', unit == dryrun::Unit::Inch ? 3 : 2);
    // "-0.000" is a zero that was rounded, not a depth.
    return text.startsWith(u'-') && text.count(u'0') == text.size() - 2 ? text.mid(1) : text;
}

QString length(double v, dryrun::Unit unit) {
    return number(v, unit) + u' ' + dryrun::unitSymbol(unit);
}

QString range(const dryrun::Range& r, dryrun::Unit unit) {
    return QCoreApplication::translate("Measure", "%1 to %2").arg(number(r.min, unit), length(r.max, unit));
}

QString speed(double v, dryrun::Unit unit) {
    return QString::number(v, 'g', 6) + u' ' + dryrun::speedSymbol(unit);
}

QString unitName(dryrun::Unit unit) {
    return unit == dryrun::Unit::Inch ? QCoreApplication::translate("Measure", "inches")
                                      : QCoreApplication::translate("Measure", "millimetres");
}

} // namespace measuretext
