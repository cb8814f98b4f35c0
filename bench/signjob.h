#pragma once

// The benchmarks' sign job: 100,000 cutting segments of letters on a 96 x 48 inch blank.
#include "core/dryrun/dryrun.h"

#include <QString>

#include <cmath>
#include <numbers>

namespace signjob {

using namespace dryrun;

// 192 letters, 8 rows of 24, each a closed curve of about 520 moves, its depth between 0.05 and 0.2
// below the top; a jog above the blank between letters.
inline Program signJob() {
    QString text;
    int moves = 0;
    const int perLetter = 100000 / 192 + 1;
    for (int row = 0; row < 8 && moves < 100000; ++row)
        for (int col = 0; col < 24 && moves < 100000; ++col) {
            const double cx = 2 + col * 3.83, cy = 3 + row * 5.9;
            const int lobes = 2 + (row * 24 + col) % 5;
            const auto at = [&](int k, double& x, double& y, double& z) {
                const double a = 2 * std::numbers::pi * k / perLetter;
                const double r = 1.2 + 0.45 * std::sin(lobes * a);
                x = cx + r * std::cos(a) * 0.9;
                y = cy + r * std::sin(a) * 1.8;
                z = -0.125 - 0.075 * std::sin(3 * lobes * a);
            };
            double x, y, z;
            at(0, x, y, z);
            text += QStringLiteral("JZ, , , 0.25\nJ2, %1, %2\nMZ, , , %3\n").arg(x).arg(y).arg(z);
            for (int k = 1; k <= perLetter && moves < 100000; ++k, ++moves) {
                at(k, x, y, z);
                text += QStringLiteral("M3, %1, %2, %3\n").arg(x, 0, 'f', 5).arg(y, 0, 'f', 5).arg(z, 0, 'f', 5);
            }
        }
    text += QStringLiteral("JZ, , , 0.25\n");
    return programFromText(QStringLiteral("sign.cvp"), QStringLiteral("/bench"), text);
}

inline Settings settingsFor(const Tool& tool) {
    Settings s;
    s.blankX = 96;
    s.blankY = 48;
    s.thickness = 0.75;
    s.tool = tool;
    s.stepLimit = 10000000;
    return s;
}

} // namespace signjob
