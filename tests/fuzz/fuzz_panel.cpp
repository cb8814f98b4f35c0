// The panel model driven by random operations with random coordinates and buttons: its invariants
// (rows ascending and within the panel, every block in exactly one row, counters matching, RETURN
// below its GOSUB) hold after every step, and a refused add changes nothing. Besides single mouse
// events there is a whole drag of a line, since random events alone rarely press on a block.
#include "fuzzsupport.h"

#include "core/panel/panelpointer.h"
#include "core/panel/programmodel.h"

#include <cstring>

namespace {

struct Point {
    float x = 0;
    float y = 0;
};

// Mostly points on the panel's rows, where blocks are (rows 24 apart from 8, blocks 17 high), in
// quarter pixels; sometimes anywhere in half pixels down past the lowest row; now and then any float
// at all (huge, infinite, not a number), as a mouse far outside the window can report.
Point point(fuzz::Input& in) {
    const uint8_t how = in.byte();
    if (how < 192) {
        const float x = static_cast<float>(in.byte()) * 3.0f + static_cast<float>(how % 4) / 4.0f;
        // Rows from the top, and the last rows of the panel, where its bounds are.
        const int b = in.byte();
        const int row = b < 224 ? b : (ProgramModel::MaxRowTop - 8) / 24 - (b - 224);
        return {x, static_cast<float>(8 + 24 * row) + (static_cast<float>(in.byte()) - 32.0f) / 4.0f};
    }
    if (how < 240) {
        const float x = static_cast<float>(static_cast<int16_t>(in.word())) / 2.0f;
        return {x, static_cast<float>(static_cast<int16_t>(in.word())) / 2.0f};
    }
    float v[2];
    for (float& f : v) {
        const quint32 bits = quint32(in.word()) | (quint32(in.word()) << 16);
        std::memcpy(&f, &bits, sizeof f);
    }
    return {v[0], v[1]};
}

QString text(fuzz::Input& in, QLatin1Char fill) {
    return QString(in.byte() % 24, fill);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ProgramModel panel([](const QString& s) { return 6 * static_cast<int>(s.size()); });
    PanelPointer pointer(panel);
    fuzz::Input in{data, size};
    while (!in.empty()) {
        const uint8_t op = in.byte() % 9;
        switch (op) {
        case 0: {
            const Kind k = kindFromCode(in.byte() % 16);
            // A blank line's text splits at its first "'" into text and comment.
            const QString held = text(in, QLatin1Char('x')) + QLatin1Char('\'') + text(in, QLatin1Char('y'));
            const int linesBefore = panel.lineCount();
            const bool refused = panel.canAdd(k) != AddRefusal::None;
            const bool added = panel.add(k, held, QStringLiteral("'c"));
            if (added == refused && k != Kind::None && k != Kind::GoSub && k != Kind::Return)
                fuzz::fail("add did not follow canAdd");
            if (!added && panel.lineCount() != linesBefore) fuzz::fail("a refused add changed the table");
            break;
        }
        case 1: {
            const int linesBefore = panel.lineCount();
            if (!panel.addGoSub(QStringLiteral("GOSUB a:"), QStringLiteral("a:")) && panel.lineCount() != linesBefore)
                fuzz::fail("a refused GOSUB changed the table");
            break;
        }
        case 2: {
            const int button = 1 << (in.byte() % 3);
            const Point p = point(in);
            pointer.mouseDown(button, p.x, p.y);
            break;
        }
        case 3: {
            const int buttons = in.byte() % 8;
            const Point p = point(in);
            pointer.mouseMove(buttons, p.x, p.y);
            break;
        }
        case 4: {
            const int button = 1 << (in.byte() % 3);
            const Point p = point(in);
            pointer.mouseUp(button, p.x, p.y);
            break;
        }
        case 5:
            if (panel.selectionExists()) panel.deleteLine();
            break;
        case 6:
            if (in.byte() % 8 == 0)
                panel.reset();
            else
                (void)panel.selectionText();
            break;
        case 7: {
            // An edit: new captions for any block (a missing one is ignored), with or without re-layout.
            const Kind k = kindFromCode(in.byte() % 16);
            const int index = in.byte() % 8;
            const QString held = text(in, QLatin1Char('e'));
            panel.setCaptions(k, index, held, text(in, QLatin1Char('\'')), in.byte() & 1);
            break;
        }
        case 8: {
            // A whole drag of a line, as a hand does it: press on the block's bare strip left of its
            // labels, move to a point, rest there (the pointer decides the drop), release.
            if (panel.lineCount() == 0) break;
            const LineRow& r = panel.row(1 + in.byte() % panel.lineCount());
            const PanelShape& s = panel.block(r.kind, r.blockIndex).shape;
            const int button = in.byte() % 4 == 3 ? MiddleButton : LeftButton;
            pointer.mouseDown(button, s.left + 2, s.top + 8);
            const Point p = point(in);
            pointer.mouseMove(button, p.x, p.y);
            pointer.mouseMove(button, p.x, p.y);
            pointer.mouseUp(button, p.x, p.y);
            break;
        }
        }
        // Mid-drag the table is untouched; the invariants must hold between any two events.
        const QString problems = panel.checkInvariants();
        if (!problems.isEmpty())
            fuzz::fail("panel invariant broken", "after op " + QByteArray::number(op) + ":\n" + problems.toUtf8());
    }
    return 0;
}
