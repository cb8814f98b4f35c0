#pragma once

#include <QPaintDevice>
#include <QSize>
#include <QString>

#include <memory>

class QIODevice;
class SvgPaintEngine;

// A paint device that writes what a QPainter draws on it as an SVG drawing on out: paths, lines,
// polygons, rectangles, ellipses and text as vector elements, with their pen, brush, opacity and
// transform; images (and the fills Qt can only paint as images) as embedded PNG. One px is one
// unit of the drawing, at 96 dots per inch. The drawing is complete when the painter ends.
class SvgWriter : public QPaintDevice {
public:
    SvgWriter(QIODevice& out, QSize size, const QString& title = QString());
    ~SvgWriter() override;

    QPaintEngine* paintEngine() const override;
    // True once a write to out has failed.
    bool failed() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    std::unique_ptr<SvgPaintEngine> m_engine;
};
