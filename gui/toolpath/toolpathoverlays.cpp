// What the scene draws over the path: the current line, the tool, the axes, the scale bar and the legend.
#include "gui/toolpath/measuretext.h"
#include "gui/toolpath/toolpathscene.h"
#include "gui/toolpath/toolpathstyle.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace toolpathstyle;

// The legend's entries and measures, for drawing it and for keeping the path clear of it.
struct ToolpathScene::Legend {
    struct Entry {
        QString text;
        QPen pen;
        QBrush swatch = Qt::NoBrush;
    };
    std::vector<Entry> entries;
    QStringList texts; // title, highest Z, lowest Z, then the entries'
    double row = 0, textWidth = 0;
    int bands = 1;
    double bandHeight = 0;
    QSizeF size;
    static constexpr double Swatch = 22, Pad = 6;
};

void ToolpathScene::paintOverlay(QPainter& painter, QSize size) const {
    painter.save();
    painter.setFont(smallFont(painter.font()));
    if (const std::vector<int>& current = segmentsOfLine(m_currentLine); !current.empty()) {
        // A white edge keeps the line readable over a dense pocket.
        paintSegments(painter, current, QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
        paintSegments(painter, current, QPen(highlightColor(), 3.5, Qt::SolidLine, Qt::RoundCap));
    }
    if (segmentCount() > 0) paintTool(painter);
    paintAxes(painter, size);
    if (segmentCount() > 0 || m_trace) paintScaleBar(painter, size);
    if (segmentCount() > 0 && m_pathShown) paintLegend(painter, size);
    painter.restore();
}

void ToolpathScene::paintTool(QPainter& painter) const {
    const QPointF at = projection().toScreen(m_timeline.positionAt(m_scrub));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(QColor(255, 255, 255, 170));
    painter.setPen(QPen(QColor(0xc0, 0x10, 0x10), 2));
    painter.drawEllipse(at, 7, 7);
    painter.drawLine(at - QPointF(11, 0), at - QPointF(3, 0));
    painter.drawLine(at + QPointF(3, 0), at + QPointF(11, 0));
    painter.drawLine(at - QPointF(0, 11), at - QPointF(0, 3));
    painter.drawLine(at + QPointF(0, 3), at + QPointF(0, 11));
}

void ToolpathScene::paintAxes(QPainter& painter, QSize size) const {
    static const QColor colours[] = {QColor(0xd0, 0x30, 0x30), QColor(0x2a, 0x9a, 0x2a), QColor(0x25, 0x6c, 0xc8)};
    static const char* const names[] = {"X", "Y", "Z"};
    const QPointF origin(30, size.height() - 30);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (int axis = 0; axis < 3; ++axis) {
        const QPointF onPlane = projection().axisOnPlane(axis);
        const QPointF direction(onPlane.x(), -onPlane.y());
        const double length = std::hypot(direction.x(), direction.y());
        painter.setPen(QPen(colours[axis], 2));
        painter.setBrush(Qt::NoBrush);
        QPointF label;
        if (length < 0.15) {
            // The axis points at the viewer: a dot in a circle.
            painter.drawEllipse(origin, 4, 4);
            painter.drawPoint(origin);
            label = origin + QPointF(7, -7);
        } else {
            const QPointF end = origin + direction * 22;
            painter.drawLine(origin, end);
            label = end + direction / length * 8;
        }
        painter.drawText(QRectF(label - QPointF(8, 8), QSizeF(16, 16)), Qt::AlignCenter,
                         QString::fromLatin1(names[axis]));
    }
}

void ToolpathScene::paintScaleBar(QPainter& painter, QSize size) const {
    // The longest of 1, 2 or 5 times a power of ten that stays within about 100 pixels.
    const double scale = projection().scale;
    const double wanted = 100 / scale;
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    double length = power;
    for (double step : {2.0, 5.0, 10.0})
        if (step * power <= wanted) length = step * power;
    const double pixels = length * scale;
    const double right = size.width() - 16, y = size.height() - 16;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    painter.drawLine(QPointF(right - pixels, y), QPointF(right, y));
    painter.drawLine(QPointF(right - pixels, y - 4), QPointF(right - pixels, y + 2));
    painter.drawLine(QPointF(right, y - 4), QPointF(right, y + 2));
    painter.drawText(QRectF(right - pixels - 40, y - 20, pixels + 80, 14), Qt::AlignHCenter | Qt::AlignBottom,
                     QString::number(length, 'g', 6) + u' ' + dryrun::unitSymbol(unit()));
}

ToolpathScene::Legend ToolpathScene::legend(const QFont& font) const {
    Legend l;
    const QColor middle = bandColor(DepthBands / 2);
    l.entries.push_back({tr("Move"), pathPen(middle, false, m_paper)});
    if (m_hasJogs) l.entries.push_back({tr("Jog"), pathPen(middle, true, m_paper)});
    if (m_hasFrame)
        l.entries.push_back(
            {tr("Header and closing block"), pathPen(mix(middle, Qt::white, FrameTone), false, m_paper)});
    if (!segmentsOfLine(m_currentLine).empty()) l.entries.push_back({tr("Current line"), QPen(highlightColor(), 3.5)});
    if (m_scrub < segmentCount()) l.entries.push_back({tr("Not reached yet"), pathPen(dimColor(), false)});
    for (const Box& b : boxes())
        l.entries.push_back({b.table ? tr("Table") : tr("Blank"), Qt::NoPen,
                             b.table ? QColor(0xec, 0xef, 0xf3) : QColor(0xf6, 0xe8, 0xcc)});

    const QFontMetricsF fm(font);
    l.row = fm.height() + 2;
    const bool flat = m_zTop - m_zBottom <= 1e-12;
    l.bands = flat ? 1 : DepthBands;
    l.bandHeight = flat ? l.row : 7;
    l.texts = QStringList{tr("Depth (Z)"), measuretext::length(m_zTop, unit()), measuretext::length(m_zBottom, unit())};
    for (const Legend::Entry& e : l.entries)
        l.texts << e.text;
    for (const QString& t : l.texts)
        l.textWidth = std::max(l.textWidth, fm.horizontalAdvance(t));
    l.size = {Legend::Pad * 3 + Legend::Swatch + l.textWidth,
              Legend::Pad * 2 + l.row + l.bands * l.bandHeight + 4 + l.entries.size() * l.row};
    return l;
}

QSizeF ToolpathScene::legendSize(const QFont& font) const {
    return legend(font).size;
}

void ToolpathScene::paintLegend(QPainter& painter, QSize size) const {
    const Legend l = legend(painter.font());
    const double pad = Legend::Pad, swatch = Legend::Swatch, row = l.row;
    const QRectF box(QPointF(size.width() - l.size.width() - 8, 8), l.size);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(0xb0, 0xb0, 0xb0));
    painter.setBrush(QColor(255, 255, 255, 225));
    painter.drawRect(box);
    const double x = box.left() + pad, textX = x + swatch + pad;
    double y = box.top() + pad;
    painter.setPen(QColor(0x20, 0x20, 0x20));
    painter.drawText(QRectF(x, y, box.width(), row), Qt::AlignLeft | Qt::AlignVCenter, l.texts[0]);
    y += row;
    painter.setPen(Qt::NoPen);
    for (int band = 0; band < l.bands; ++band) {
        painter.setBrush(bandColor(band));
        painter.drawRect(QRectF(x, y + band * l.bandHeight, swatch, l.bandHeight));
    }
    painter.setPen(QColor(0x20, 0x20, 0x20));
    painter.drawText(QRectF(textX, y - 2, l.textWidth, row), Qt::AlignLeft | Qt::AlignTop, l.texts[1]);
    if (l.bands > 1)
        painter.drawText(QRectF(textX, y + l.bands * l.bandHeight - row + 2, l.textWidth, row),
                         Qt::AlignLeft | Qt::AlignBottom, l.texts[2]);
    y += l.bands * l.bandHeight + 4;
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const Legend::Entry& e : l.entries) {
        if (e.swatch.style() != Qt::NoBrush) {
            painter.setPen(QColor(0xa0, 0xa0, 0xa0));
            painter.setBrush(e.swatch);
            painter.drawRect(QRectF(x, y + 2, swatch, row - 4));
        } else {
            painter.setPen(e.pen);
            painter.drawLine(QPointF(x, y + row / 2), QPointF(x + swatch, y + row / 2));
        }
        painter.setPen(QColor(0x20, 0x20, 0x20));
        painter.drawText(QRectF(textX, y, l.textWidth + pad, row), Qt::AlignLeft | Qt::AlignVCenter, e.text);
        y += row;
    }
}
