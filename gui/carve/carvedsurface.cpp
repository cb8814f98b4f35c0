#include "gui/carve/carvedsurface.h"

#include "gui/carve/carverelief.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr QRgb Background = qRgb(0xff, 0xff, 0xff);
constexpr double DegreesPerPixel = 0.4;

struct Vertex {
    float x, y, depth; // screen pixels, and towards the viewer
};

// Triangles into a colour and a depth buffer: a pixel takes a triangle's colour where its centre lies
// inside it and nearer than what is there.
class Raster {
public:
    Raster(QImage& image) : m_image(image), m_depth(std::size_t(image.width()) * image.height(), -1e30f) {}

    void triangle(const Vertex& a, const Vertex& b, const Vertex& c, QRgb colour) {
        const float area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        if (std::abs(area) < 1e-12f) return;
        const int w = m_image.width(), h = m_image.height();
        const int x0 = std::max(0, int(std::floor(std::min({a.x, b.x, c.x}))));
        const int x1 = std::min(w - 1, int(std::ceil(std::max({a.x, b.x, c.x}))));
        const int y0 = std::max(0, int(std::floor(std::min({a.y, b.y, c.y}))));
        const int y1 = std::min(h - 1, int(std::ceil(std::max({a.y, b.y, c.y}))));
        const float inv = 1.0f / area;
        for (int y = y0; y <= y1; ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            float* depth = m_depth.data() + std::size_t(y) * w;
            const float py = y + 0.5f;
            for (int x = x0; x <= x1; ++x) {
                const float px = x + 0.5f;
                // Barycentric weights; the edges count as inside, so neighbours leave no crack.
                const float wa = ((b.x - px) * (c.y - py) - (b.y - py) * (c.x - px)) * inv;
                const float wb = ((c.x - px) * (a.y - py) - (c.y - py) * (a.x - px)) * inv;
                const float wc = 1.0f - wa - wb;
                if (wa < -1e-4f || wb < -1e-4f || wc < -1e-4f) continue;
                const float z = wa * a.depth + wb * b.depth + wc * c.depth;
                if (z <= depth[x]) continue;
                depth[x] = z;
                line[x] = colour;
            }
        }
    }

private:
    QImage& m_image;
    std::vector<float> m_depth;
};

QRgb shaded(QRgb c, double light) {
    const auto ch = [light](int v) { return std::clamp(int(v * light + 0.5), 0, 255); };
    return qRgb(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c)));
}

} // namespace

namespace carvesurface {

void draw(QImage& image, const carve::Job& job, const CarvedPicture& picture, double yaw, double pitch, double zoom) {
    image.fill(Background);
    const carve::Field& f = picture.surface;
    const carve::Grid& g = f.grid;
    if (g.width < 2 || g.height < 2 || image.isNull()) return;
    const QImage colours = reliefImage(job, f);
    const double top = job.top();
    const double bottom = job.bottom().value_or(top - std::max(job.sizeX(), job.sizeY()) / 10);
    const double ca = std::cos(qDegreesToRadians(yaw)), sa = std::sin(qDegreesToRadians(yaw));
    const double ce = std::cos(qDegreesToRadians(pitch)), se = std::sin(qDegreesToRadians(pitch));
    const double px = job.sizeX() / 2, py = job.sizeY() / 2, pz = (top + bottom) / 2;
    const double radius =
        0.5 * std::sqrt(job.sizeX() * job.sizeX() + job.sizeY() * job.sizeY() + (top - bottom) * (top - bottom));
    const double scale = zoom * 0.95 * std::min(image.width(), image.height()) / (2 * std::max(radius, 1e-9));
    const float cx = image.width() / 2.0f, cy = image.height() / 2.0f;
    const auto project = [&](double x, double y, double z) {
        x -= px, y -= py, z -= pz;
        const double u = ca * x - sa * y, v = sa * se * x + ca * se * y + ce * z;
        const double w = -sa * ce * x - ca * ce * y + se * z;
        return Vertex{float(cx + scale * u), float(cy - scale * v), float(w)};
    };

    Raster raster(image);
    // The blank's four sides, in its top colour darkened by how far each faces from the light.
    const double corners[4][2] = {{0, 0}, {job.sizeX(), 0}, {job.sizeX(), job.sizeY()}, {0, job.sizeY()}};
    const double sideLight[4] = {0.62, 0.72, 0.86, 0.78}; // facing -Y, +X, +Y, -X
    for (int s = 0; s < 4; ++s) {
        const double* p = corners[s];
        const double* q = corners[(s + 1) % 4];
        const Vertex a = project(p[0], p[1], top), b = project(q[0], q[1], top);
        const Vertex c = project(q[0], q[1], bottom), d = project(p[0], p[1], bottom);
        const QRgb colour = shaded(qRgb(0xEA, 0xD7, 0xB0), sideLight[s]);
        raster.triangle(a, b, c, colour);
        raster.triangle(a, c, d, colour);
    }

    std::vector<Vertex> points(g.cells());
    for (int j = 0; j < g.height; ++j)
        for (int i = 0; i < g.width; ++i)
            points[std::size_t(j) * g.width + i] = project(g.x(i), g.y(j), f.at(i, j));
    for (int j = 0; j + 1 < g.height; ++j) {
        // The relief's rows run from the highest Y down.
        const auto* row = reinterpret_cast<const QRgb*>(colours.constScanLine(g.height - 1 - j));
        for (int i = 0; i + 1 < g.width; ++i) {
            const QRgb colour = row[i];
            if (qAlpha(colour) == 0) continue; // off the blank and uncut
            const std::size_t k = std::size_t(j) * g.width + i;
            const Vertex& a = points[k];
            const Vertex& b = points[k + 1];
            const Vertex& c = points[k + g.width + 1];
            const Vertex& d = points[k + g.width];
            raster.triangle(a, b, c, colour);
            raster.triangle(a, c, d, colour);
        }
    }
}

} // namespace carvesurface

CarvedSurface::CarvedSurface(CarveWorker* worker, QWidget* parent) : QWidget(parent), m_worker(worker) {
    setObjectName(QStringLiteral("picCarved3D"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setToolTip(tr("Drag: turn. Wheel: zoom. Double click: as at first."));
    connect(m_worker, &CarveWorker::wholeReady, this, qOverload<>(&QWidget::update));
}

void CarvedSurface::setTurn(double yawDegrees, double pitchDegrees) {
    m_yaw = std::remainder(yawDegrees, 360.0);
    m_pitch = std::clamp(pitchDegrees, 0.0, 90.0);
    update();
}

void CarvedSurface::resetView() {
    m_zoom = 1;
    setTurn(-30, 50);
}

QImage CarvedSurface::renderImage(QSize size) const {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Background);
    if (m_worker->job() && m_worker->whole().valid())
        carvesurface::draw(image, *m_worker->job(), m_worker->whole(), m_yaw, m_pitch, m_zoom);
    return image;
}

void CarvedSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, renderImage(size()));
    if (!m_worker->whole().valid()) {
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawText(rect(), Qt::AlignCenter, tr("Carving\u2026"));
    }
}

void CarvedSurface::mousePressEvent(QMouseEvent* event) {
    m_lastPos = event->position().toPoint();
}

void CarvedSurface::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & (Qt::LeftButton | Qt::RightButton))) return;
    const QPoint pos = event->position().toPoint();
    const QPoint d = pos - m_lastPos;
    m_lastPos = pos;
    setTurn(m_yaw + d.x() * DegreesPerPixel, m_pitch + d.y() * DegreesPerPixel);
}

void CarvedSurface::mouseDoubleClickEvent(QMouseEvent*) {
    resetView();
}

void CarvedSurface::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y();
    if (steps == 0) return QWidget::wheelEvent(event);
    m_zoom = std::clamp(m_zoom * std::pow(1.2, steps / 120.0), 0.2, 50.0);
    update();
}
