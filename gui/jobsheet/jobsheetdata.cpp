#include "gui/jobsheet/jobsheetdata.h"

#include "gui/toolpath/toolpathpanels.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(JobSheet)
};

using Row = JobSheetData::Row;

QString where(const dryrun::Trace& trace, dryrun::LineRef line) {
    if (line.file == 0) return Texts::tr("Line %1").arg(line.line);
    const QString file = trace.files.value(line.file);
    const QString name = QFileInfo(file).fileName();
    return Texts::tr("%1, line %2").arg(name.isEmpty() ? file : name).arg(line.line);
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

JobSheetData gather(const dryrun::Program& program, std::shared_ptr<const dryrun::Trace> trace, const QString& date) {
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
    if (!d.trace) return d;
    const dryrun::Trace& t = *d.trace;
    d.time = formatRunTime(t.totalTime);
    if (!t.extent.empty) {
        const auto range = [](const dryrun::Range& r) {
            return Texts::tr("%1 to %2").arg(QString::number(r.min, 'f', 3), QString::number(r.max, 'f', 3));
        };
        d.extent = {{QStringLiteral("X"), range(t.extent.x)},
                    {QStringLiteral("Y"), range(t.extent.y)},
                    {QStringLiteral("Z"), range(t.extent.z)}};
    }
    if (t.stepLimitReached)
        d.runNotes << Texts::tr("The run stopped at the step limit; the time covers only what ran before it.");
    for (const dryrun::Stop& s : t.stops)
        d.stops << Row{where(t, s.source), stopText(s)};
    for (const dryrun::Note& n : t.notSimulated) {
        const QString text = lineText(program, n.source);
        d.notSimulated << Row{where(t, n.source), text.isEmpty() ? n.text : text + u'\n' + n.text};
    }
    return d;
}

} // namespace jobsheet
