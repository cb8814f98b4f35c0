#include "gui/jobsheet/jobsheetdata.h"

#include "gui/toolpath/measuretext.h"
#include "gui/toolpath/toolpathpanels.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(JobSheet)
};

using Row = JobSheetData::Row;

// "Line 12" in the main file, "called.cvp, line 3" in a called one.
QString where(const QString& calledFile, int line) {
    if (calledFile.isEmpty()) return Texts::tr("Line %1").arg(line);
    const QString name = QFileInfo(calledFile).fileName();
    return Texts::tr("%1, line %2").arg(name.isEmpty() ? calledFile : name).arg(line);
}

QString where(const dryrun::Trace& trace, dryrun::LineRef line) {
    return where(line.file == 0 ? QString() : trace.files.value(line.file), line.line);
}

// The first ListLimit rows that make, and the count of the rest: rows are made only for what is shown.
template <typename Make> JobSheetData::Rows bounded(qsizetype count, Make&& make) {
    JobSheetData::Rows out;
    const qsizetype shown = std::min<qsizetype>(count, jobsheet::ListLimit);
    for (qsizetype i = 0; i < shown; ++i)
        out.rows << make(i);
    out.leftOut = count - shown;
    return out;
}

// The errors and warnings of the checker and the dry run (one list, as checker::problems makes it):
// errors first, then the main file's lines before the called files', each in line order.
JobSheetData::Rows warnings(const QList<checker::Finding>& findings) {
    std::vector<const checker::Finding*> shown;
    for (const checker::Finding& f : findings)
        if (f.severity != checker::Severity::Note) shown.push_back(&f);
    std::stable_sort(shown.begin(), shown.end(), [](const checker::Finding* a, const checker::Finding* b) {
        return std::tuple(a->severity != checker::Severity::Error, !a->file.isEmpty(), a->line) <
               std::tuple(b->severity != checker::Severity::Error, !b->file.isEmpty(), b->line);
    });
    return bounded(qsizetype(shown.size()), [&](qsizetype k) {
        const checker::Finding& f = *shown[std::size_t(k)];
        const QString severity =
            f.severity == checker::Severity::Error ? Texts::tr("Error: %1") : Texts::tr("Warning: %1");
        // Line 0: the settings themselves.
        return Row{f.line == 0 && f.file.isEmpty() ? Texts::tr("Settings") : where(f.file, f.line),
                   severity.arg(f.message)};
    });
}

QString speedsText(const dryrun::AxisSpeeds& v, dryrun::Unit unit) {
    using measuretext::speed;
    return Texts::tr("XY %1, Z %2, A %3, B %4")
        .arg(speed(v.xy, unit), speed(v.z, unit), speed(v.a, unit), speed(v.b, unit));
}

QString toolText(const dryrun::Tool& tool, dryrun::Unit unit) {
    const QString width = measuretext::length(tool.diameter, unit);
    switch (tool.shape) {
    case dryrun::Tool::Shape::V:
        return Texts::tr("V bit of %1\u00b0, %2 at its widest").arg(QString::number(tool.angle, 'g', 6), width);
    case dryrun::Tool::Shape::Ball:
        return Texts::tr("ball end mill of %1").arg(width);
    case dryrun::Tool::Shape::Flat:
        break;
    }
    return Texts::tr("flat end mill of %1").arg(width);
}

// The unit, the blank, the bit, the speeds at the start, the acceleration model and the answers the
// run took: what the estimate and the checks stand on.
QList<Row> assumptions(const dryrun::Trace& t) {
    const dryrun::Setup& s = t.setup;
    const dryrun::Unit unit = s.unit;
    const QString header = Texts::tr("from the header"), settings = Texts::tr("from the settings");
    QList<Row> rows;
    rows << Row{Texts::tr("Unit"),
                Texts::tr("%1, %2").arg(measuretext::unitName(unit), s.unitFromHeader ? header : settings)};
    QStringList blank;
    if (s.blankX && s.blankY)
        blank << Texts::tr("%1 x %2").arg(measuretext::number(*s.blankX, unit), measuretext::length(*s.blankY, unit));
    if (s.thickness) blank << Texts::tr("%1 thick").arg(measuretext::length(*s.thickness, unit));
    if (blank.isEmpty())
        rows << Row{Texts::tr("Blank"), Texts::tr("none given: the cuts are not checked against one")};
    else
        rows << Row{Texts::tr("Blank"), Texts::tr("%1, Z zero on %2 (%3)")
                                            .arg(blank.join(QStringLiteral(", ")),
                                                 s.zeroOnTable ? Texts::tr("the table") : Texts::tr("its top"),
                                                 s.fromHeader ? header : settings)};
    if (s.tableX && s.tableY)
        rows << Row{Texts::tr("Table"), Texts::tr("%1 x %2").arg(measuretext::number(*s.tableX, unit),
                                                                 measuretext::length(*s.tableY, unit))};
    rows << Row{Texts::tr("Bit"),
                Texts::tr("%1 (%2)").arg(toolText(s.tool, unit), s.toolFromHeader ? header : settings)};
    rows << Row{Texts::tr("Moves at the start"), speedsText(t.timing.move, unit)}
         << Row{Texts::tr("Jogs at the start"), speedsText(t.timing.jog, unit)};
    const dryrun::Timing& m = t.timing;
    QString acceleration = Texts::tr("off: every segment at its full speed from end to end");
    if (m.acceleration) {
        const QString perSecond = dryrun::speedSymbol(unit) + QStringLiteral("\u00b2");
        const auto a = [&](double v) {
            return v > 0 ? QString::number(v, 'g', 6) + u' ' + perSecond : Texts::tr("none");
        };
        acceleration = Texts::tr("on: XY %1, Z %2, A and B %3; calibration factor %4")
                           .arg(a(m.accelXY), a(m.accelZ), a(m.accelAB), QString::number(m.calibration, 'g', 6));
    }
    rows << Row{Texts::tr("Acceleration"), acceleration};
    QList<const dryrun::Stop*> inputs;
    for (const dryrun::Stop& stop : t.stops)
        if (stop.kind == dryrun::Stop::Kind::Input && !stop.variable.isEmpty()) inputs << &stop;
    if (!inputs.isEmpty()) {
        const JobSheetData::Rows used = bounded(inputs.size(), [&](qsizetype i) {
            const dryrun::Stop& stop = *inputs[i];
            const QString value =
                stop.answered ? QString::number(stop.answer, 'g', 10) : Texts::tr("none given, 0 used");
            return Row{where(t, stop.source), QStringLiteral("&%1 = %2").arg(stop.variable, value)};
        });
        QStringList lines;
        for (const Row& r : used.rows)
            lines << Texts::tr("%1 (%2)").arg(r.text, r.label);
        if (used.leftOut > 0) lines << Texts::tr("and %n more", nullptr, int(used.leftOut));
        rows << Row{Texts::tr("INPUT answers"), lines.join(u'\n')};
    }
    return rows;
}

// The main file's line as it stands, for the lines the sheet names.
QString lineText(const dryrun::Program& program, dryrun::LineRef line) {
    if (line.file != 0 || line.line < 1 || std::size_t(line.line) > program.lines.size()) return {};
    const dryrun::SourceLine& l = program.lines[std::size_t(line.line) - 1];
    return l.number == line.line ? l.text.trimmed() : QString();
}

QList<Row> answerRows(const HeaderInfo& h) {
    if (h.isEmpty()) return {};
    QList<Row> rows;
    const auto add = [&](const QString& label, const QString& text) {
        if (!text.isEmpty()) rows << Row{label, text};
    };
    add(Texts::tr("Description"), h.description);
    add(Texts::tr("Created by"), h.date.isEmpty() ? h.createdBy : Texts::tr("%1, on %2").arg(h.createdBy, h.date));
    add(Texts::tr("Material"), h.material);
    add(Texts::tr("Blank"), h.blank);
    add(Texts::tr("Thickness"), h.thickness);
    add(Texts::tr("Bit"), h.bit);
    add(Texts::tr("Z zero"), h.zeroAt);
    if (h.offsetMode.isEmpty())
        add(Texts::tr("Offset mode"), Texts::tr("none"));
    else if (h.offsetTo.isEmpty())
        add(Texts::tr("Offset mode"), Texts::tr("%1 offset").arg(h.offsetMode));
    else
        add(Texts::tr("Offset mode"), Texts::tr("%1 offset: move to %2 before cutting").arg(h.offsetMode, h.offsetTo));
    add(Texts::tr("Notes"), h.notes.join(u'\n'));
    return rows;
}

QString stopText(const dryrun::Stop& s) {
    QString text;
    if (s.kind == dryrun::Stop::Kind::Pause) {
        text = s.prompt.trimmed();
    } else {
        text = QStringLiteral("INPUT");
        if (!s.prompt.isEmpty()) text += QStringLiteral(" \"%1\"").arg(s.prompt);
        if (!s.variable.isEmpty()) text += QStringLiteral(" &") + s.variable;
        if (s.variable.isEmpty())
            text = Texts::tr("%1: sets nothing").arg(text);
        else if (s.answered)
            text = Texts::tr("%1: answer used %2").arg(text, QString::number(s.answer, 'g', 10));
        else
            text = Texts::tr("%1: no answer given, the run took 0").arg(text);
    }
    if (s.times > 1) text += u' ' + Texts::tr("(reached %n times)", nullptr, s.times);
    return text;
}

QList<JobSheetData::ListingLine> listing(const dryrun::Program& program) {
    QList<JobSheetData::ListingLine> out;
    const auto& lines = program.lines;
    const auto add = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            out << JobSheetData::ListingLine{lines[i].number, lines[i].text, 0};
    };
    for (std::size_t i = 0; i < lines.size();) {
        std::size_t end = i;
        while (end < lines.size() && lines[end].region == lines[i].region)
            ++end;
        const std::size_t run = end - i;
        if (lines[i].region != dryrun::Region::Program && run > std::size_t(jobsheet::KeptRunLimit)) {
            add(i, i + jobsheet::KeptHead);
            out << JobSheetData::ListingLine{0, {}, int(run) - jobsheet::KeptHead - jobsheet::KeptTail};
            add(end - jobsheet::KeptTail, end);
        } else {
            add(i, end);
        }
        i = end;
    }
    return out;
}

} // namespace

namespace jobsheet {

JobSheetData gather(const dryrun::Program& program, std::shared_ptr<const dryrun::Trace> trace,
                    const QList<checker::Finding>& findings, const QString& date) {
    JobSheetData d;
    const QString name = QFileInfo(program.name).fileName();
    d.fileName = name.isEmpty() ? program.name : name;
    d.date = date;

    headerinfo::Reader reader;
    for (const dryrun::SourceLine& l : program.lines)
        reader.add(l.text);
    d.header = reader.info();
    d.answers = answerRows(d.header);
    d.listing = listing(program);

    d.trace = std::move(trace);
    d.warnings = warnings(findings);
    if (!d.trace) return d;
    const dryrun::Trace& t = *d.trace;
    d.time = formatRunTime(t.totalTime);
    if (!t.extent.empty) {
        const dryrun::Unit unit = t.setup.unit;
        d.extent = {{QStringLiteral("X"), measuretext::range(t.extent.x, unit)},
                    {QStringLiteral("Y"), measuretext::range(t.extent.y, unit)},
                    {QStringLiteral("Z"), measuretext::range(t.extent.z, unit)}};
    }
    if (t.stepLimitReached)
        d.runNotes << Texts::tr("The run stopped at the step limit; the time covers only what ran before it.");
    d.assumptions = assumptions(t);
    d.stops = bounded(t.stops.size(), [&](qsizetype i) {
        return Row{where(t, t.stops[i].source), stopText(t.stops[i])};
    });
    d.notSimulated = bounded(t.notSimulated.size(), [&](qsizetype i) {
        const dryrun::Note& n = t.notSimulated[i];
        const QString text = lineText(program, n.source);
        return Row{where(t, n.source), text.isEmpty() ? n.text : text + u'\n' + n.text};
    });
    return d;
}

} // namespace jobsheet
