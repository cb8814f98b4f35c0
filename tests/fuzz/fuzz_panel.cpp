// The panel model driven by random operations with random coordinates and buttons: its invariants
// (rows ascending, every block in exactly one row, counters matching) hold after every step.
#include "mainwindow/panelmodel.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

struct Input {
    const uint8_t* p;
    size_t n;
    bool empty() const { return n == 0; }
    uint8_t byte()
    {
        if (n == 0)
            return 0;
        --n;
        return *p++;
    }
    int word() { return byte() | (byte() << 8); }
    float coordinate() { return static_cast<float>(static_cast<int16_t>(word())) / 4.0f; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    modProgVar vars;
    PanelModel panel(vars, [](const QString& s) { return 6 * static_cast<int>(s.size()); });
    Input in{data, size};
    while (!in.empty()) {
        const uint8_t op = in.byte() % 8;
        switch (op) {
        case 0: {
            const Kind k = kindFromCode(in.byte() % 16);
            if (k != Kind::None && k != Kind::Return && k != Kind::GoSub)
                panel.add(k, QString(in.byte() % 20, QLatin1Char('x')) + QLatin1Char('\''), QStringLiteral("'c"));
            break;
        }
        case 1:
            panel.addGoSub(QStringLiteral("GOSUB a:"), QStringLiteral("a:"));
            break;
        case 2:
            panel.mouseDown(1 << (in.byte() % 3), in.coordinate(), in.coordinate());
            break;
        case 3:
            panel.mouseMove(in.byte() % 8, in.coordinate(), in.coordinate());
            break;
        case 4:
            panel.mouseUp(1 << (in.byte() % 3), in.coordinate(), in.coordinate());
            break;
        case 5:
            if (panel.selectionExists())
                panel.deleteLine();
            break;
        case 6:
            if (in.byte() % 8 == 0)
                panel.reset();
            else
                panel.copyText();
            break;
        case 7: {
            const Kind k = kindFromCode(in.byte() % 16);
            panel.setCaptions(k, in.byte() % 8, QStringLiteral("edited"), QStringLiteral("'e"), true);
            break;
        }
        }
        // Mid-drag the table is untouched; the invariants must hold between any two events.
        const QString problems = panel.checkInvariants();
        if (!problems.isEmpty()) {
            std::fprintf(stderr, "invariant broken after op %d:\n%s\n", op, qPrintable(problems));
            std::abort();
        }
    }
    return 0;
}
