#pragma once

#include "core/headsmith/headerfields.h"

// A plain set of Headsmith answers for tests that need a header but do not test its text.
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
