#include "gui/jobsheet/jobsheetpages.h"

#include "gui/carve/carverelief.h"
#include "gui/toolpath/toolpathexport.h"
#include "platform/savefile.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

// The sheet is set line by line rather than through a text document: a document paginated onto
// pages draws a line moved to the next page on the page before as well, clipped out of sight but
// still in the PDF's text, so a search or a copy from the PDF would find every such line twice.
namespace {

// The sheet's picture is drawn at twice its logical size, sharp on paper.
constexpr double PaperRatio = 2.0;

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(JobSheet)
};

const QColor Grey(0x60, 0x60, 0x60);
const QColor Rule(0xb0, 0xb0, 0xb0);

// A piece of the sheet that goes whole onto one page: a line of text, a line of a row, the picture.
struct Unit {
    qreal height = 0;
    qreal spaceBefore = 0;     // left out at the top of a page
    bool keepWithNext = false; // a heading stays on the page of what it heads
    std::function<void(QPainter&, QPointF)> paint;
};

struct Placed {
    int page = 0;
    qreal y = 0;
};

using Layout = std::shared_ptr<QTextLayout>;

class Sheet {
public:
    Sheet(const QPaintDevice& device, QSizeF page) : m_device(device), m_page(page) {
        m_body = QGuiApplication::font();
        m_body.setPointSizeF(9.5);
        m_mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        m_mono.setPointSizeF(8);
        for (QFont* f : {&m_body, &m_mono}) {
            // A letter spacing, however small, keeps "ff" and "fi" from turning into ligatures, which
            // a copy from the PDF would give as one odd character.
            f->setLetterSpacing(QFont::AbsoluteSpacing, 1.0 / 64);
            f->setKerning(false);
        }
    }

    std::vector<Unit> build(const JobSheetData& d) {
        text(Texts::tr("Job sheet: %1").arg(d.fileName), font(15, true), Qt::black, 0);
        text(Texts::tr("Made on %1").arg(d.date), font(9), Grey, pt(2));
        if (d.unsaved)
            text(
                Texts::tr("The program has changes that are not saved yet: this sheet shows it as Save will write it."),
                font(9, true), Qt::black, pt(2));
        // What the checker and the dry run found comes first: it is what the operator must see.
        heading(Texts::tr("Warnings"));
        rowsOrNone(d.warnings);
        if (!d.answers.isEmpty()) {
            heading(Texts::tr("From the header"));
            rows(d.answers);
        }
        heading(Texts::tr("Toolpath seen from the top"));
        picture(d);
        heading(Texts::tr("The dry run"));
        QList<JobSheetData::Row> run{{Texts::tr("Estimated time"), d.time.isEmpty() ? QStringLiteral("-") : d.time}};
        if (d.extent.isEmpty()) run << JobSheetData::Row{Texts::tr("Extent"), Texts::tr("nothing moves")};
        for (const JobSheetData::Row& axis : d.extent)
            run << JobSheetData::Row{Texts::tr("Extent %1").arg(axis.label), axis.text};
        // What the estimate and the checks stand on, in the same table.
        rows(run + d.assumptions);
        for (const QString& note : d.runNotes)
            text(note, font(9.5), Qt::black, pt(4));
        heading(Texts::tr("Stops for the operator"));
        rowsOrNone(d.stops);
        heading(Texts::tr("Lines not simulated"));
        rowsOrNone(d.notSimulated);
        heading(Texts::tr("The part file, line by line"));
        listing(d.listing);
        return std::move(m_units);
    }

private:
    qreal pt(qreal points) const { return points * m_device.logicalDpiY() / 72.0; }

    QFont font(qreal points, bool bold = false, bool italic = false) const {
        QFont f = m_body;
        f.setPointSizeF(points);
        f.setBold(bold);
        f.setItalic(italic);
        return f;
    }

    // The text broken into lines of at most width, and at each "\n"; a word longer than the line is
    // broken anywhere.
    Layout layout(QString text, const QFont& font, qreal width) const {
        // A text layout breaks lines at line separators only.
        text.replace(u'\n', QChar::LineSeparator);
        auto l = std::make_shared<QTextLayout>(text, font, &m_device);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        l->setTextOption(option);
        l->beginLayout();
        qreal y = 0;
        for (QTextLine line = l->createLine(); line.isValid(); line = l->createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        l->endLayout();
        return l;
    }

    static void drawLine(QPainter& p, const Layout& l, int index, QPointF at, const QColor& colour) {
        if (index >= l->lineCount()) return;
        const QTextLine line = l->lineAt(index);
        p.setPen(colour);
        line.draw(&p, at - QPointF(0, line.y()));
    }

    void text(const QString& text, const QFont& font, const QColor& colour, qreal spaceBefore) {
        const Layout l = layout(text, font, m_page.width());
        for (int i = 0; i < l->lineCount(); ++i)
            m_units.push_back({l->lineAt(i).height(), i == 0 ? spaceBefore : 0, false,
                               [l, i, colour](QPainter& p, QPointF at) { drawLine(p, l, i, at, colour); }});
    }

    void heading(const QString& title) {
        const Layout l = layout(title, font(11.5, true), m_page.width());
        m_units.push_back({l->boundingRect().height() + pt(4), pt(12), true, [l](QPainter& p, QPointF at) {
                               p.setPen(Qt::black);
                               l->draw(&p, at);
                           }});
    }

    void rowsOrNone(const JobSheetData::Rows& list) {
        if (list.rows.isEmpty()) {
            text(Texts::tr("None."), font(9.5), Qt::black, 0);
            return;
        }
        rows(list.rows);
        if (list.leftOut > 0)
            text(Texts::tr("\u2026 and %n more, not listed here.", nullptr,
                           int(std::min<qsizetype>(list.leftOut, INT_MAX))),
                 font(9.5, false, true), Qt::black, pt(3));
    }

    // Two columns, a rule above each row; a row taller than what is left of a page goes on line by line.
    void rows(const QList<JobSheetData::Row>& list) {
        const qreal gap = pt(8), pad = pt(2.5), rule = pt(0.5);
        const qreal labelWidth = m_page.width() * 0.24;
        const qreal width = m_page.width();
        for (qsizetype r = 0; r < list.size(); ++r) {
            const Layout label = layout(list[r].label, font(9.5), labelWidth - gap);
            const Layout text = layout(list[r].text, font(9.5), width - labelWidth);
            const int lines = std::max(label->lineCount(), text->lineCount());
            for (int i = 0; i < lines; ++i) {
                const auto height = [](const Layout& l, int i) {
                    return i < l->lineCount() ? l->lineAt(i).height() : 0;
                };
                const bool first = i == 0, last = i == lines - 1, lastRow = r == list.size() - 1;
                const qreal top = first ? pad : 0;
                const qreal h = top + std::max(height(label, i), height(text, i)) + (last ? pad : 0);
                m_units.push_back({h, 0, false, [=](QPainter& p, QPointF at) {
                                       p.setPen(QPen(Rule, rule));
                                       if (first) p.drawLine(at, at + QPointF(width, 0));
                                       if (last && lastRow) p.drawLine(at + QPointF(0, h), at + QPointF(width, h));
                                       drawLine(p, label, i, at + QPointF(0, top), Grey);
                                       drawLine(p, text, i, at + QPointF(labelWidth, top), Qt::black);
                                   }});
            }
        }
    }

    void picture(const JobSheetData& d) {
        if (!d.trace || d.trace->segments.empty()) {
            text(Texts::tr("The dry run draws no path."), font(9.5), Qt::black, 0);
            return;
        }
        const QImage image = jobsheet::pathPicture(*d.trace, d.carveJob.get());
        const QSizeF logical = image.deviceIndependentSize();
        const qreal width = m_page.width();
        const qreal height = std::min(width * logical.height() / logical.width(), m_page.height() * 0.6);
        const qreal frame = pt(0.5);
        m_units.push_back({height, pt(2), false, [=](QPainter& p, QPointF at) {
                               const QRectF area(at, QSizeF(width, height));
                               const QSizeF fitted = QSizeF(logical).scaled(area.size(), Qt::KeepAspectRatio);
                               // Scaled down smoothly, or a preview at a low zoom loses the thin lines.
                               p.setRenderHint(QPainter::SmoothPixmapTransform);
                               p.drawImage(QRectF(at + QPointF((width - fitted.width()) / 2, 0), fitted), image);
                               p.setPen(QPen(Rule, frame));
                               p.drawRect(area);
                           }});
    }

    void listing(const QList<JobSheetData::ListingLine>& lines) {
        int last = 0;
        for (const JobSheetData::ListingLine& l : lines)
            last = std::max(last, l.number);
        const int digits = int(QString::number(last).size());
        const qreal indent = QFontMetricsF(m_mono, &m_device).horizontalAdvance(QString(digits + 2, u'0'));
        const qreal width = m_page.width() - indent;
        QFont gapFont = m_mono;
        gapFont.setItalic(true);
        for (const JobSheetData::ListingLine& l : lines) {
            const bool gap = l.number == 0;
            const Layout text = gap ? layout(Texts::tr("\u2026 %n lines \u2026", nullptr, l.skipped), gapFont, width)
                                    : layout(l.text, m_mono, width);
            const Layout number =
                layout(gap ? QString() : QString::number(l.number).rightJustified(digits), m_mono, indent);
            // Wrapped parts of a line stand under its text, clear of the numbers.
            for (int i = 0; i < text->lineCount(); ++i)
                m_units.push_back({text->lineAt(i).height(), 0, false, [=](QPainter& p, QPointF at) {
                                       if (i == 0) drawLine(p, number, 0, at, Grey);
                                       drawLine(p, text, i, at + QPointF(indent, 0), gap ? Grey : Qt::black);
                                   }});
        }
    }

    const QPaintDevice& m_device;
    QSizeF m_page;
    QFont m_body;
    QFont m_mono;
    std::vector<Unit> m_units;
};

// Where each unit goes: on the page it fits, a heading only where what follows it fits too.
std::vector<Placed> place(const std::vector<Unit>& units, qreal pageHeight, int* pages) {
    std::vector<Placed> out(units.size());
    int page = 0;
    qreal y = 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
        qreal need = (y > 0 ? units[i].spaceBefore : 0) + units[i].height;
        for (std::size_t j = i; units[j].keepWithNext && j + 1 < units.size(); ++j)
            need += units[j + 1].spaceBefore + units[j + 1].height;
        if (y > 0 && y + need > pageHeight) {
            ++page;
            y = 0;
        }
        if (y > 0) y += units[i].spaceBefore;
        out[i] = {page, y};
        y += units[i].height;
    }
    *pages = page + 1;
    return out;
}

bool fail(QString* error, const QString& text) {
    if (error) *error = text;
    return false;
}

} // namespace

namespace jobsheet {

QImage pathPicture(const dryrun::Trace& trace, const carve::Job* job) {
    ToolpathScene scene;
    // The pointer owns nothing: the trace outlives the scene.
    scene.setTrace(std::shared_ptr<const dryrun::Trace>(std::shared_ptr<void>(), &trace));
    scene.setViewKind(ViewKind::Top);
    scene.setPaper(true);
    // As wide as the page, and as tall as the path and the blank need within bounds: a long thin job
    // leaves room for the rest of the sheet on its first page.
    const QRectF bounds = scene.planeBounds();
    const double aspect = bounds.width() > 0 ? std::clamp(bounds.height() / bounds.width(), 0.35, 0.62) : 0.62;
    const QSize logical(760, int(std::lround(760 * aspect)));
    scene.fit(logical);
    if (job) {
        // One cell a printed pixel: the sheet needs no finer field, and stays quick to make.
        const double cell = 1 / (scene.projection().scale * PaperRatio);
        const carve::Grid whole = job->wholeGrid(cell);
        if (const std::optional<carve::Field> field = carve::carve(*job, whole))
            scene.setUnderlays({{reliefImage(*job, *field),
                                 QRectF(whole.x0, whole.y0, whole.width * whole.cell, whole.height * whole.cell)}});
    }
    // Drawn at twice its size so the lines stay sharp on paper, its labels still readable there.
    return renderSceneImage(scene, logical, PaperRatio);
}

QPageLayout pageLayoutFor(const QLocale& locale) {
    bool letter = locale.measurementSystem() == QLocale::ImperialUSSystem;
    switch (locale.territory()) {
    case QLocale::Canada:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::CostaRica:
    case QLocale::DominicanRepublic:
    case QLocale::ElSalvador:
    case QLocale::Guatemala:
    case QLocale::Mexico:
    case QLocale::Nicaragua:
    case QLocale::Panama:
    case QLocale::Philippines:
    case QLocale::PuertoRico:
    case QLocale::Venezuela:
        letter = true;
        break;
    default:
        break;
    }
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

bool paint(const JobSheetData& data, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const QSizeF page(device.width(), device.height());
    const qreal pt = device.logicalDpiY() / 72.0;
    QFont footerFont = QGuiApplication::font();
    footerFont.setPointSizeF(8);
    const QFontMetricsF footerMetrics(footerFont, &device);
    const qreal footerTop = page.height() - footerMetrics.height();
    const QSizeF body(page.width(), footerTop - 10 * pt);

    const std::vector<Unit> units = Sheet(device, body).build(data);
    int pages = 1;
    const std::vector<Placed> placed = place(units, body.height(), &pages);
    std::size_t next = 0;
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !device.newPage()) return false;
        for (; next < units.size() && placed[next].page == i; ++next)
            units[next].paint(painter, QPointF(0, placed[next].y));
        painter.setPen(QPen(Rule, 0.5 * pt));
        painter.drawLine(QPointF(0, footerTop - 4 * pt), QPointF(page.width(), footerTop - 4 * pt));
        painter.setFont(footerFont);
        painter.setPen(Grey);
        const QRectF line(0, footerTop, page.width(), footerMetrics.height());
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                         Texts::tr("%1 \u2014 %2").arg(data.fileName, data.date));
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, Texts::tr("Page %1 of %2").arg(i + 1).arg(pages));
    }
    return painter.end();
}

bool writePdf(const JobSheetData& data, const QString& path, QString* error) {
    SaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, Texts::tr("The job sheet could not be written to \"%1\": %2").arg(path, file.errorString()));
    bool painted = false;
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(Texts::tr("Job sheet: %1").arg(data.fileName));
        pdf.setCreator(QCoreApplication::applicationName());
        pdf.setPageLayout(pageLayoutFor(QLocale()));
        painted = paint(data, pdf);
    }
    if (!painted) {
        file.cancelWriting();
        return fail(error, Texts::tr("The job sheet could not be written to \"%1\".").arg(path));
    }
    if (!file.commit())
        return fail(error, Texts::tr("The job sheet could not be written to \"%1\": %2").arg(path, file.errorString()));
    return true;
}

} // namespace jobsheet
