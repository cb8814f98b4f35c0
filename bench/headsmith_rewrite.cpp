// headsmith_rewrite PARTFILE CLOSINGFILE
// Puts a header and a closing block (the closing file copied in as text) into PARTFILE.
#include "core/headsmith/rewrite.h"
#include "platform/headlessplatform.h"
#include "samplefields.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PARTFILE CLOSINGFILE\n", argv[0]);
        return 2;
    }
    const HeaderFields f = sampleHeaderFieldsCopyingClosing(QString::fromLocal8Bit(argv[2]));

    // A fresh part file raises no question; one answered No shows the input was wrong.
    HeadlessPlatform platform(false);
    const headsmith::RewriteResult r = headsmith::rewritePartFile(QString::fromLocal8Bit(argv[1]), f, platform);
    if (r.outcome != headsmith::RewriteResult::Outcome::Written) {
        std::fprintf(stderr, "rewrite failed: %s\n", qPrintable(r.error));
        return 1;
    }
    return 0;
}
