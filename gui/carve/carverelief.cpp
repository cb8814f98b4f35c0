#include "gui/carve/carverelief.h"

#include "platform/savefile.h"

#include <QCoreApplication>
#include <QRgb>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Colour {
    double r, g, b;
};

// Shallow to deep; between two stops the colour is mixed.
constexpr Colour DepthStops[] = {{0.88, 0.64, 0.35}, {0.71, 0.32, 0.23}, {0.23, 0.18, 0.39}};
constexpr QRgb Top = qRgb(0xEA, 0xD7, 0xB0);
constexpr QRgb Through = qRgb(0x6E, 0x6E, 0x6E);
constexpr Colour OffBlank{0.82, 0.19, 0.19};

Colour byDepth(double t) {
    t = std::clamp(t, 0.0, 1.0) * (std::size(DepthStops) - 1);
    const std::size_t k = std::min<std::size_t>(std::size_t(t), std::size(DepthStops) - 2);
    const double f = t - double(k);
    const Colour& a = DepthStops[k];
    const Colour& b = DepthStops[k + 1];
    return {a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f};
}

QRgb lit(const Colour& c, double light) {
    const auto channel = [light](double v) { return int(std::clamp(v * light, 0.0, 1.0) * 255 + 0.5); };
    return qRgb(channel(c.r), channel(c.g), channel(c.b));
}

} // namespace

int reliefStep(const carve::Grid& grid, int maxSide) {
    return maxSide > 0 ? std::max(1, (std::max(grid.width, grid.height) + maxSide - 1) / maxSide) : 1;
}

QImage reliefImage(const carve::Job& job, const carve::Field& field, int maxSide) {
    const carve::Grid& g = field.grid;
    const double top = job.top();
    const double floor = job.bottom().value_or(-std::numeric_limits<double>::infinity());
    const double deepest = std::max(job.lowestTip(), floor);
    const double range = std::max(top - deepest, 1e-9);
    // Within this of the top a cell is uncut (a float keeps about seven digits).
    const double untouched = 1e-6 * std::max(1.0, std::abs(top));
    // Light from the top left (low X, high Y) and above; a level surface is lit at 1.
    const double lx = -1, ly = 1, lz = 1.5;
    const double level = lz / std::sqrt(lx * lx + ly * ly + lz * lz);
    const auto h = [&](int i, int j) {
        return double(field.at(std::clamp(i, 0, g.width - 1), std::clamp(j, 0, g.height - 1)));
    };
    const auto colourAt = [&](int i, int j) -> QRgb {
        const double here = h(i, j);
        const double y = g.y(j);
        const bool onBlank = g.x(i) >= 0 && g.x(i) <= job.sizeX() && y >= 0 && y <= job.sizeY();
        const bool cut = here < top - untouched;
        if (!onBlank && !cut) return qRgba(0, 0, 0, 0);
        if (!cut) return Top;
        if (onBlank && here <= floor + untouched) return Through;
        const double gx = (h(i + 1, j) - h(i - 1, j)) / (2 * g.cell);
        const double gy = (h(i, j + 1) - h(i, j - 1)) / (2 * g.cell);
        const double dot =
            (-gx * lx - gy * ly + lz) / std::sqrt(gx * gx + gy * gy + 1) / std::sqrt(lx * lx + ly * ly + lz * lz);
        const double light = std::clamp(0.3 + 0.7 * dot / level, 0.15, 1.25);
        return lit(onBlank ? byDepth((top - here) / range) : OffBlank, light);
    };

    // Blocks of step x step cells make one pixel, their colours averaged (weighted by how opaque each
    // is): a large field never stands as a picture of its own size.
    const int step = reliefStep(g, maxSide);
    const int w = (g.width + step - 1) / step, ht = (g.height + step - 1) / step;
    QImage image(w, ht, QImage::Format_ARGB32);
    if (step == 1) {
        for (int row = 0; row < ht; ++row) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
            for (int i = 0; i < g.width; ++i)
                line[i] = colourAt(i, g.height - 1 - row);
        }
        return image;
    }
    std::vector<double> sums(std::size_t(w) * 4);
    for (int row = 0; row < ht; ++row) {
        std::fill(sums.begin(), sums.end(), 0.0);
        // Image rows run from the highest Y down.
        const int j1 = g.height - 1 - row * step, j0 = std::max(0, j1 - step + 1);
        for (int j = j0; j <= j1; ++j)
            for (int i = 0; i < g.width; ++i) {
                const QRgb c = colourAt(i, j);
                double* s = &sums[std::size_t(i / step) * 4];
                const double a = qAlpha(c);
                s[0] += qRed(c) * a, s[1] += qGreen(c) * a, s[2] += qBlue(c) * a, s[3] += a;
            }
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int x = 0; x < w; ++x) {
            const double* s = &sums[std::size_t(x) * 4];
            const int cells = (j1 - j0 + 1) * (std::min(g.width, (x + 1) * step) - x * step);
            const auto channel = [&](double v) { return int(std::lround(v / s[3])); };
            line[x] = s[3] > 0 ? qRgba(channel(s[0]), channel(s[1]), channel(s[2]), int(std::lround(s[3] / cells)))
                               : qRgba(0, 0, 0, 0);
        }
    }
    return image;
}

bool writeReliefPng(const carve::Job& job, const carve::Field& field, const QString& path, QString* error) {
    const auto failed = [&](const QString& why) {
        if (error)
            *error = QCoreApplication::translate("CarveRelief", "The picture could not be written to \"%1\": %2")
                         .arg(path, why);
        return false;
    };
    const QImage image = reliefImage(job, field);
    SaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return failed(file.errorString());
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        return failed(QCoreApplication::translate("CarveRelief", "the PNG could not be encoded."));
    }
    if (!file.commit()) return failed(file.errorString());
    return true;
}
