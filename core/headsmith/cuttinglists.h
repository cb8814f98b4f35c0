#pragma once

#include <QString>
#include <QStringList>

// The suggestions offered by the Cutting Info drop-down boxes, per unit of measure.
namespace cuttinglists {

struct Lists {
    QStringList blank;
    QStringList bitSize;
    QStringList bitType;
    QStringList thickness;
    QStringList material;
};

const Lists& inchLists();
const Lists& metricLists();
inline const Lists& lists(bool metric) {
    return metric ? metricLists() : inchLists();
}

// The four-digit year of a date in the short format; this year when the text shows none.
QString yearOf(const QString& date);

} // namespace cuttinglists
