// Any bytes as stacker.ini: the reader decides without crashing, and only one exact form selects Advanced.
#include "mainwindow/settings.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype end = bytes.indexOf('\n');
    const QByteArray firstLine = end < 0 ? bytes : bytes.left(end);
    if (settings::selectsAdvanced(firstLine)) {
        QByteArray s = firstLine;
        s.replace("\r", "").replace("\n", "").replace(" ", "");
        if (s != "advanced=1")
            std::abort();
    }
    return 0;
}
