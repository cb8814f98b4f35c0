// headsmith_rewrite PARTFILE CLOSINGFILE
// Puts a header and a closing block (the closing file copied in as text) into PARTFILE.
#include "core/headsmith/rewrite.h"
#include "platform/headlessplatform.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PARTFILE CLOSINGFILE\n", argv[0]);
        return 2;
    }
    HeaderFields f;
    f.Description = QStringLiteral("Benchmark part");
    f.CreatedBy = QStringLiteral("Bench");
    f.Date = QStringLiteral("12/7/2026");
    f.Copyright = QStringLiteral("Bench");
    f.CopyrightYear = QStringLiteral("2026");
    f.Use = QStringLiteral("no restrictions... free for any use");
    f.ContactName = QStringLiteral("Bench");
    f.Email = QStringLiteral("bench@example.com");
    f.Phone = QStringLiteral("555.555.5555");
    f.Blank = QStringLiteral("96 x 48");
    f.Thickness = QStringLiteral("1/2");
    f.Material = QStringLiteral("plywood");
    f.BitSize = QStringLiteral("1/4");
    f.BitType = QStringLiteral("down-spiral bit");
    f.AdditionalInfo = QStringLiteral("'' generated for timing\n");
    f.AddClosing = true;
    f.ClosingAsFP = false;
    f.ClosingPath = QString::fromLocal8Bit(argv[2]);

    // A fresh part file raises no question; one answered No shows the input was wrong.
    HeadlessPlatform platform(false);
    const headsmith::RewriteResult r = headsmith::rewritePartFile(QString::fromLocal8Bit(argv[1]), f, platform);
    if (r.outcome != headsmith::RewriteResult::Outcome::Written) {
        std::fprintf(stderr, "rewrite failed: %s\n", qPrintable(r.error));
        return 1;
    }
    return 0;
}
