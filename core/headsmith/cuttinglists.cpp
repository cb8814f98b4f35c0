#include "core/headsmith/cuttinglists.h"

#include <QDate>
#include <QRegularExpression>

namespace cuttinglists {

namespace {
// Thickness and material suggestions are the same for both units; the thickness list mixes inch
// fractions and millimetre sizes because sheet goods are sold both ways.
const QStringList BitTypes{QStringLiteral("straight bit"), QStringLiteral("compression bit"),
                           QStringLiteral("up-spiral bit"), QStringLiteral("down-spiral bit"), QStringLiteral("V bit")};
const QStringList Thicknesses{QStringLiteral("1/8"), QStringLiteral("3mm"),  QStringLiteral("4mm"),
                              QStringLiteral("1/4"), QStringLiteral("6mm"),  QStringLiteral("3/8"),
                              QStringLiteral("9mm"), QStringLiteral("1/2"),  QStringLiteral("12mm"),
                              QStringLiteral("3/4"), QStringLiteral("19mm"), QStringLiteral("1")};
const QStringList Materials{QStringLiteral("plywood"),        QStringLiteral("Baltic Birch plywood"),
                            QStringLiteral("marine plywood"), QStringLiteral("MDF"),
                            QStringLiteral("foam"),           QStringLiteral("acrylic"),
                            QStringLiteral("aluminum")};
} // namespace

const Lists& inchLists() {
    static const Lists lists{
        {QStringLiteral("96 x 48"), QStringLiteral("32 x 24")},
        {QStringLiteral("1/8"), QStringLiteral("1/4"), QStringLiteral("1/2"), QStringLiteral("60 degree"),
         QStringLiteral("90 degree")},
        BitTypes,
        Thicknesses,
        Materials,
    };
    return lists;
}

const Lists& metricLists() {
    static const Lists lists{
        {QStringLiteral("2450 x 1225"), QStringLiteral("820 x 612")},
        {QStringLiteral("3mm"), QStringLiteral("6mm"), QStringLiteral("12mm"), QStringLiteral("60 degree"),
         QStringLiteral("90 degree")},
        BitTypes,
        Thicknesses,
        Materials,
    };
    return lists;
}

QString yearOf(const QString& date) {
    static const QRegularExpression fourDigits(QStringLiteral("(?<!\\d)\\d{4}(?!\\d)"));
    const QRegularExpressionMatch m = fourDigits.match(date);
    if (m.hasMatch()) return m.captured();
    // Short formats with a two-digit year: the date is today's, so today's year is the right one.
    return QString::number(QDate::currentDate().year());
}

} // namespace cuttinglists
