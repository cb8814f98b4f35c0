#include "gui/svgwriter.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>
#include <QXmlStreamWriter>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr int Dpi = 96;
const QString XLink = QStringLiteral("http://www.w3.org/1999/xlink");

// Up to three decimals, without trailing zeros: a thousandth of a pixel is finer than any screen.
QString num(double v) {
    QString s = QString::number(std::isfinite(v) ? v : 0.0, 'f', 3);
    while (s.endsWith(u'0'))
        s.chop(1);
    if (s.endsWith(u'.')) s.chop(1);
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

QString point(QPointF p) {
    return num(p.x()) + u' ' + num(p.y());
}

// XML 1.0 has no way to write most control characters or a lone surrogate, even escaped: they are
// left out, so that a name or text holding one still gives a well-formed file.
QString xmlText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
            continue;
        }
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || c.isSurrogate() || u >= 0xfffe) continue;
        out += c;
    }
    return out;
}

void appendColour(QXmlStreamAttributes& a, const QString& name, const QColor& colour) {
    a.append(name, colour.name());
    if (colour.alpha() < 255) a.append(name + QLatin1String("-opacity"), num(colour.alphaF()));
}

// The state every element drawn under it shares, as the attributes of a group.
QXmlStreamAttributes groupStyle(const QPaintEngineState& state) {
    QXmlStreamAttributes a;
    const QBrush brush = state.brush();
    if (brush.style() == Qt::NoBrush)
        a.append(QStringLiteral("fill"), QStringLiteral("none"));
    else
        appendColour(a, QStringLiteral("fill"), brush.color());
    const QPen pen = state.pen();
    if (pen.style() == Qt::NoPen) {
        a.append(QStringLiteral("stroke"), QStringLiteral("none"));
    } else {
        appendColour(a, QStringLiteral("stroke"), pen.color());
        const double width = pen.widthF() > 0 ? pen.widthF() : 1.0;
        a.append(QStringLiteral("stroke-width"), num(width));
        // A cosmetic pen keeps its width in pixels however the drawing is scaled.
        if (pen.isCosmetic() || pen.widthF() == 0)
            a.append(QStringLiteral("vector-effect"), QStringLiteral("non-scaling-stroke"));
        a.append(QStringLiteral("stroke-linecap"), pen.capStyle() == Qt::FlatCap    ? QStringLiteral("butt")
                                                   : pen.capStyle() == Qt::RoundCap ? QStringLiteral("round")
                                                                                    : QStringLiteral("square"));
        if (pen.joinStyle() == Qt::RoundJoin) {
            a.append(QStringLiteral("stroke-linejoin"), QStringLiteral("round"));
        } else if (pen.joinStyle() == Qt::BevelJoin) {
            a.append(QStringLiteral("stroke-linejoin"), QStringLiteral("bevel"));
        } else {
            a.append(QStringLiteral("stroke-linejoin"), QStringLiteral("miter"));
            a.append(QStringLiteral("stroke-miterlimit"), num(pen.miterLimit()));
        }
        if (pen.style() != Qt::SolidLine) {
            // Qt counts dashes in pen widths, SVG in units of the drawing.
            const double unit = std::max(width, 1.0);
            QStringList dashes;
            for (qreal d : pen.dashPattern())
                dashes << num(d * unit);
            a.append(QStringLiteral("stroke-dasharray"), dashes.join(u','));
            if (pen.dashOffset() != 0) a.append(QStringLiteral("stroke-dashoffset"), num(pen.dashOffset() * unit));
        }
    }
    if (state.opacity() < 1) a.append(QStringLiteral("opacity"), num(state.opacity()));
    if (const QTransform t = state.transform(); !t.isIdentity())
        a.append(QStringLiteral("transform"),
                 QStringLiteral("matrix(%1 %2 %3 %4 %5 %6)")
                     .arg(num(t.m11()), num(t.m12()), num(t.m21()), num(t.m22()), num(t.dx()), num(t.dy())));
    return a;
}

} // namespace

// Draws each primitive as one element in a group that carries the pen, brush, opacity and transform;
// a new group starts only when those change. What it cannot say in SVG (gradients, pattern brushes,
// perspective) QPainter paints into an image and hands over as one.
class SvgPaintEngine final : public QPaintEngine {
public:
    SvgPaintEngine(QIODevice& out, QSize size, const QString& title)
        : QPaintEngine(PrimitiveTransform | PixmapTransform | AlphaBlend | PainterPaths | Antialiasing |
                       ConstantOpacity),
          m_xml(&out), m_size(size), m_title(title) {}

    bool failed() const { return m_xml.hasError(); }

    bool begin(QPaintDevice*) override {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(0);
        m_xml.writeStartDocument();
        m_xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
        m_xml.writeNamespace(XLink, QStringLiteral("xlink"));
        m_xml.writeStartElement(QStringLiteral("svg"));
        m_xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
        m_xml.writeAttribute(QStringLiteral("width"), QString::number(m_size.width()));
        m_xml.writeAttribute(QStringLiteral("height"), QString::number(m_size.height()));
        m_xml.writeAttribute(QStringLiteral("viewBox"),
                             QStringLiteral("0 0 %1 %2").arg(m_size.width()).arg(m_size.height()));
        if (!m_title.isEmpty()) m_xml.writeTextElement(QStringLiteral("title"), xmlText(m_title));
        return !failed();
    }

    bool end() override {
        if (m_inGroup) m_xml.writeEndElement();
        m_inGroup = false;
        m_xml.writeEndElement();
        m_xml.writeEndDocument();
        return !failed();
    }

    void updateState(const QPaintEngineState& state) override {
        if (state.state() & (DirtyPen | DirtyBrush | DirtyOpacity | DirtyTransform)) m_style = groupStyle(state);
    }

    void drawPath(const QPainterPath& path) override {
        QString d;
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            d += e.isMoveTo() ? u'M' : e.isLineTo() ? u'L' : e.isCurveTo() ? u'C' : u' ';
            d += point(e);
        }
        element(QStringLiteral("path"));
        m_xml.writeAttribute(QStringLiteral("d"), d);
        m_xml.writeAttribute(QStringLiteral("fill-rule"), fillRule(path.fillRule() == Qt::OddEvenFill));
    }

    // Lines that meet end to start become one run of a path: a drawing of many segments stays small.
    void drawLines(const QLineF* lines, int count) override {
        QString d;
        for (int i = 0; i < count; ++i) {
            if (i == 0 || lines[i].p1() != lines[i - 1].p2()) d += u'M' + point(lines[i].p1());
            d += u'L' + point(lines[i].p2());
        }
        element(QStringLiteral("path"));
        m_xml.writeAttribute(QStringLiteral("d"), d);
        m_xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        QStringList list;
        for (int i = 0; i < count; ++i)
            list << num(points[i].x()) + u',' + num(points[i].y());
        element(mode == PolylineMode ? QStringLiteral("polyline") : QStringLiteral("polygon"));
        m_xml.writeAttribute(QStringLiteral("points"), list.join(u' '));
        if (mode == PolylineMode)
            m_xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
        else
            m_xml.writeAttribute(QStringLiteral("fill-rule"), fillRule(mode == OddEvenMode));
    }

    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i) {
            const QRectF r = rects[i].normalized();
            element(QStringLiteral("rect"));
            m_xml.writeAttribute(QStringLiteral("x"), num(r.x()));
            m_xml.writeAttribute(QStringLiteral("y"), num(r.y()));
            m_xml.writeAttribute(QStringLiteral("width"), num(r.width()));
            m_xml.writeAttribute(QStringLiteral("height"), num(r.height()));
        }
    }

    void drawEllipse(const QRectF& r) override {
        element(QStringLiteral("ellipse"));
        m_xml.writeAttribute(QStringLiteral("cx"), num(r.center().x()));
        m_xml.writeAttribute(QStringLiteral("cy"), num(r.center().y()));
        m_xml.writeAttribute(QStringLiteral("rx"), num(std::abs(r.width()) / 2));
        m_xml.writeAttribute(QStringLiteral("ry"), num(std::abs(r.height()) / 2));
    }

    // Text stays text, in the pen's colour, from its baseline: it can be searched and copied.
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        const QFont font = item.font();
        QXmlStreamAttributes a;
        a.append(QStringLiteral("x"), num(p.x()));
        a.append(QStringLiteral("y"), num(p.y()));
        appendColour(a, QStringLiteral("fill"), state->pen().color());
        a.append(QStringLiteral("stroke"), QStringLiteral("none"));
        a.append(QStringLiteral("font-family"), xmlText(font.family()));
        a.append(QStringLiteral("font-size"),
                 num(font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * Dpi / 72));
        if (font.weight() != QFont::Normal) a.append(QStringLiteral("font-weight"), QString::number(font.weight()));
        if (font.italic()) a.append(QStringLiteral("font-style"), QStringLiteral("italic"));
        a.append(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        group();
        m_xml.writeStartElement(QStringLiteral("text"));
        m_xml.writeAttributes(a);
        m_xml.writeCharacters(xmlText(item.text()));
        m_xml.writeEndElement();
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags) override {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.copy(sr.toAlignedRect()).save(&buffer, "PNG");
        element(QStringLiteral("image"));
        m_xml.writeAttribute(QStringLiteral("x"), num(r.x()));
        m_xml.writeAttribute(QStringLiteral("y"), num(r.y()));
        m_xml.writeAttribute(QStringLiteral("width"), num(r.width()));
        m_xml.writeAttribute(QStringLiteral("height"), num(r.height()));
        m_xml.writeAttribute(QStringLiteral("preserveAspectRatio"), QStringLiteral("none"));
        m_xml.writeAttribute(XLink, QStringLiteral("href"),
                             QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64()));
    }

    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& sr) override {
        drawImage(r, pixmap.toImage(), sr, Qt::AutoColor);
    }

    Type type() const override { return SVG; }

private:
    static QString fillRule(bool oddEven) { return oddEven ? QStringLiteral("evenodd") : QStringLiteral("nonzero"); }

    // Opens a group for the current state unless the open one already has it.
    void group() {
        if (m_inGroup && m_style == m_groupStyle) return;
        if (m_inGroup) m_xml.writeEndElement();
        m_xml.writeStartElement(QStringLiteral("g"));
        m_xml.writeAttributes(m_style);
        m_groupStyle = m_style;
        m_inGroup = true;
    }

    void element(const QString& name) {
        group();
        m_xml.writeEmptyElement(name);
    }

    QXmlStreamWriter m_xml;
    QSize m_size;
    QString m_title;
    QXmlStreamAttributes m_style, m_groupStyle;
    bool m_inGroup = false;
};

SvgWriter::SvgWriter(QIODevice& out, QSize size, const QString& title)
    : m_size(size), m_engine(std::make_unique<SvgPaintEngine>(out, size, title)) {}

SvgWriter::~SvgWriter() = default;

QPaintEngine* SvgWriter::paintEngine() const {
    return m_engine.get();
}

bool SvgWriter::failed() const {
    return m_engine->failed();
}

int SvgWriter::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return qRound(m_size.width() * 25.4 / Dpi);
    case PdmHeightMM:
        return qRound(m_size.height() * 25.4 / Dpi);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return Dpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}
