#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The one rule for a number typed into a box, whichever box: the template form, the dry run's
// settings, the INPUT answers. Operators on a comma locale type "0,25", others "0.25", and part files
// always write "." whatever the locale: either mark is the decimal separator, never a thousands
// separator ("1,000" is one). So a box takes blanks around the number, a "-" or "+" before it, digits
// with at most one "." or ",", and nothing else: no grouping, no exponent, no "inf" or "nan".
namespace numberbox {

// The number typed, or nothing when the text is none by the rule above.
std::optional<double> read(QStringView typed);

// Whether typed could still become a number by typing more ("", "-", "0,"): what a validator lets stand.
bool couldBecome(QStringView typed);

// v as a box shows it: "." as the decimal point, no exponent, no trailing zeros, and read back it is
// exactly v. v must be finite.
QString text(double v);

} // namespace numberbox
