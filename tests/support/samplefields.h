#pragma once

#include "core/headsmith/headerfields.h"

// A plain set of Headsmith answers for tests, test children and benchmarks that need a header but
// do not test its text. Header only, so that a child process needs no test library.
inline HeaderFields sampleHeaderFields() {
    HeaderFields f;
    f.description = QStringLiteral("Shelf");
    f.createdBy = QStringLiteral("Bo");
    f.date = QStringLiteral("12/7/2026");
    f.copyright = QStringLiteral("Bo Co");
    f.copyrightYear = QStringLiteral("2026");
    f.use = QStringLiteral("fee for any and all use");
    f.contactName = QStringLiteral("Bo");
    f.email = QStringLiteral("bo@example.com");
    f.blank = QStringLiteral("96 x 48");
    f.thickness = QStringLiteral("1/8");
    f.material = QStringLiteral("MDF");
    f.bitSize = QStringLiteral("1/4");
    f.bitType = QStringLiteral("V bit");
    return f;
}

// The same answers with the closing file copied in as text: the largest rewrite Headsmith does.
inline HeaderFields sampleHeaderFieldsCopyingClosing(const QString& closingPath) {
    HeaderFields f = sampleHeaderFields();
    f.additionalInfo = QStringLiteral("'' a sample note\n");
    f.addClosing = true;
    f.closingAsFP = false;
    f.closingPath = closingPath;
    return f;
}
