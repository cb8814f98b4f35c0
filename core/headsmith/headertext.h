#pragma once

#include "core/headsmith/headerfields.h"

#include <QList>
#include <QString>

namespace headertext {

// Marker lines, compared as whole lines, exactly.
inline const QString HeaderStart = QStringLiteral("'' Header file created by Corvane Headsmith");
inline const QString HeaderStartOld = QStringLiteral("' Header file created by Corvane Headsmith");
inline const QString HeaderEnd = QStringLiteral("' End of header file");
inline const QString ClosingStart = QStringLiteral("' Start of Closing file");
inline const QString ClosingEnd = QStringLiteral("' End of Closing file");

// One line of a block: either text the program composes, or the place where every line of a file
// is copied in unchanged.
struct BlockLine {
    QString text;
    bool copyFile = false;
    QString path; // the file to copy when copyFile is set

    friend bool operator==(const BlockLine&, const BlockLine&) = default;
};
using Block = QList<BlockLine>;

// The header block for the given answers, from its first marker line to the empty line after its end marker.
Block writeheaderinfo(const HeaderFields& f);

// The closing block: start marker, the FP call or the closing file's lines, end marker.
Block closingBlock(const HeaderFields& f);

} // namespace headertext
