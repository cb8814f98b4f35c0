#pragma once

#include "core/dryrun/dryrun.h"

#include <QtMath>

#include <algorithm>
#include <cmath>
#include <memory>

// A made-up trace that looks like a real job: a blank on a table, a rectangular pocket cut in four
// passes of concentric loops (the same lines run again each pass), a round pocket, jogs at a safe
// height between them, and a closing block that jogs home. Every straight cut is split into pieces
// so the trace reaches the asked number of segments, as finely divided CAM output does.
inline std::shared_ptr<dryrun::Trace> sampleToolpathTrace(int wantedSegments = 0) {
    auto trace = std::make_shared<dryrun::Trace>();
    dryrun::Trace& t = *trace;
    t.files << QStringLiteral("pocket.cvp") << QStringLiteral("round.cvp");
    t.setup.blankX = 24;
    t.setup.blankY = 18;
    t.setup.thickness = 0.75;
    t.setup.tableX = 32;
    t.setup.tableY = 24;

    // Pieces per straight cut, chosen from a first count of the cuts.
    int pieces = 1;
    const double safe = 0.5;
    dryrun::Position at{0, 0, 1, 0, 0};
    std::vector<dryrun::Segment>* out = &t.segments;
    auto go = [&](dryrun::Position to, bool jog, int file, int line, dryrun::Region region, int split) {
        const double speedXY = jog ? 4 : 1, speedZ = jog ? 2 : 0.5;
        for (int k = 1; k <= split; ++k) {
            dryrun::Segment s;
            s.from = at;
            s.to = {at.x + (to.x - at.x) / (split - k + 1), at.y + (to.y - at.y) / (split - k + 1),
                    at.z + (to.z - at.z) / (split - k + 1), to.a, to.b};
            s.jog = jog;
            s.time = std::max(std::hypot(s.to.x - s.from.x, s.to.y - s.from.y) / speedXY,
                              std::abs(s.to.z - s.from.z) / speedZ);
            s.speed = speedXY;
            s.source = {file, line};
            s.region = region;
            out->push_back(s);
            at = s.to;
        }
    };
    auto build = [&] {
        out->clear();
        at = {0, 0, 1, 0, 0};
        using R = dryrun::Region;
        go({0, 0, safe, 0, 0}, true, 0, 12, R::Header, 1); // the header's safe height
        // Rectangular pocket around (8, 9): passes of 0.15 down to 0.6, loops 0.25 apart.
        for (int pass = 1; pass <= 4; ++pass) {
            const double z = -0.15 * pass;
            go({8, 9, safe, 0, 0}, true, 0, 20, R::Program, 1);
            go({8, 9, z, 0, 0}, false, 0, 21, R::Program, 1);
            for (int loop = 1; loop <= 12; ++loop) {
                const double w = 0.25 * loop, h = 0.25 * loop * 0.8;
                go({8 - w, 9 - h, z, 0, 0}, false, 0, 23, R::Program, pieces);
                go({8 + w, 9 - h, z, 0, 0}, false, 0, 24, R::Program, pieces);
                go({8 + w, 9 + h, z, 0, 0}, false, 0, 25, R::Program, pieces);
                go({8 - w, 9 + h, z, 0, 0}, false, 0, 26, R::Program, pieces);
                go({8 - w, 9 - h, z, 0, 0}, false, 0, 27, R::Program, pieces);
            }
            go({at.x, at.y, safe, 0, 0}, true, 0, 29, R::Program, 1);
        }
        // A round pocket around (18, 9), in a called file: spirals out at two depths.
        for (int pass = 1; pass <= 2; ++pass) {
            const double z = -0.2 * pass;
            go({18, 9, safe, 0, 0}, true, 0, 40, R::Program, 1);
            go({18, 9, z, 0, 0}, false, 1, 3, R::Program, 1);
            for (int step = 1; step <= 360 * 4 / 5; ++step) {
                const double angle = qDegreesToRadians(step * 5.0), radius = 3.0 * step / (360 * 4 / 5);
                go({18 + radius * std::cos(angle), 9 + radius * std::sin(angle), z, 0, 0}, false, 1, 4, R::Program,
                   std::max(1, pieces / 4));
            }
            go({at.x, at.y, safe, 0, 0}, true, 1, 6, R::Program, 1);
        }
        // A profile around the blank's edge, deepest of all.
        go({-0.125, -0.125, safe, 0, 0}, true, 0, 50, R::Program, 1);
        go({-0.125, -0.125, -0.8, 0, 0}, false, 0, 51, R::Program, 1);
        go({24.125, -0.125, -0.8, 0, 0}, false, 0, 52, R::Program, pieces);
        go({24.125, 18.125, -0.8, 0, 0}, false, 0, 53, R::Program, pieces);
        go({-0.125, 18.125, -0.8, 0, 0}, false, 0, 54, R::Program, pieces);
        go({-0.125, -0.125, -0.8, 0, 0}, false, 0, 55, R::Program, pieces);
        // The closing block: up, then home.
        go({at.x, at.y, 1, 0, 0}, true, 0, 70, R::Closing, 1);
        go({0, 0, 1, 0, 0}, true, 0, 71, R::Closing, 1);
    };
    build();
    // Jogs and plunges stay whole, so the pieces grow until the cuts make up the count.
    while (wantedSegments > static_cast<int>(t.segments.size())) {
        pieces = static_cast<int>(double(pieces) * wantedSegments / static_cast<double>(t.segments.size())) + 1;
        build();
    }
    if (wantedSegments > 0) t.segments.resize(static_cast<size_t>(wantedSegments));
    for (dryrun::Segment& s : t.segments) {
        s.startTime = t.totalTime;
        t.totalTime += s.time;
        t.timePerLine[s.source] += s.time;
        for (const dryrun::Position& p : {s.from, s.to}) {
            if (t.extent.empty) t.extent = {false, {p.x, p.x}, {p.y, p.y}, {p.z, p.z}};
            t.extent.x = {std::min(t.extent.x.min, p.x), std::max(t.extent.x.max, p.x)};
            t.extent.y = {std::min(t.extent.y.min, p.y), std::max(t.extent.y.max, p.y)};
            t.extent.z = {std::min(t.extent.z.min, p.z), std::max(t.extent.z.max, p.z)};
        }
    }
    dryrun::Stop input;
    input.source = {0, 8};
    input.kind = dryrun::Stop::Kind::Input;
    input.prompt = QStringLiteral("Pocket depth?");
    input.variable = QStringLiteral("DEPTH");
    input.answer = 0.6;
    input.answered = true;
    input.times = 1;
    dryrun::Stop pause;
    pause.source = {0, 45};
    pause.prompt = QStringLiteral("PAUSE");
    pause.times = 1;
    t.stops << input << pause;
    t.notSimulated << dryrun::Note{{0, 60}, QStringLiteral("VC is not simulated"), false, QString()};
    t.warnings << dryrun::Note{{0, 51}, QStringLiteral("Cuts below the blank"), false, QString()};
    t.executedLines = static_cast<qint64>(t.segments.size());
    return trace;
}
