#pragma once

#include "core/headsmith/headerfields.h"

// A plain set of Headsmith answers for tests, test children and benchmarks that need a header but
// do not test its text. Header only, so that a child process needs no test library.
inline HeaderFields sampleHeaderFields() {
    HeaderFields f;
    f.Description = QStringLiteral("Shelf");
    f.CreatedBy = QStringLiteral("Bo");
    f.Date = QStringLiteral("12/7/2026");
    f.Copyright = QStringLiteral("Bo Co");
    f.CopyrightYear = QStringLiteral("2026");
    f.Use = QStringLiteral("fee for any and all use");
    f.ContactName = QStringLiteral("Bo");
    f.Email = QStringLiteral("bo@example.com");
    f.Blank = QStringLiteral("96 x 48");
    f.Thickness = QStringLiteral("1/8");
    f.Material = QStringLiteral("MDF");
    f.BitSize = QStringLiteral("1/4");
    f.BitType = QStringLiteral("V bit");
    return f;
}

// The same answers with the closing file copied in as text: the largest rewrite Headsmith does.
inline HeaderFields sampleHeaderFieldsCopyingClosing(const QString& closingPath) {
    HeaderFields f = sampleHeaderFields();
    f.AdditionalInfo = QStringLiteral("'' a sample note\n");
    f.AddClosing = true;
    f.ClosingAsFP = false;
    f.ClosingPath = closingPath;
    return f;
}
