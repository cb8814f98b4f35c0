#include "gui/batchmodes.h"

#include "core/carve/carve.h"
#include "core/checker/problems.h"
#include "core/language/statement.h"
#include "core/numberbox.h"
#include "core/partfile/partfilereader.h"
#include "core/usersettings.h"
#include "gui/carve/carverelief.h"
#include "gui/jobsheet/jobsheetpages.h"
#include "gui/toolpath/measuretext.h"
#include "gui/toolpath/toolpathexport.h"
#include "gui/toolpath/toolpathpanels.h"
#include "platform/regularfile.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTextStream>

#include <optional>

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(BatchModes)
};

QString severityWord(checker::Severity s) {
    // Fixed words, as compilers print them, so that scripts and editors can read the lines.
    return s == checker::Severity::Error     ? QStringLiteral("error")
           : s == checker::Severity::Warning ? QStringLiteral("warning")
                                             : QStringLiteral("note");
}

// NAME=VALUE with NAME an INPUT line's variable, with or without its "&".
bool parseAnswers(const QStringList& given, dryrun::Answers& answers, QTextStream& err) {
    for (const QString& a : given) {
        const qsizetype eq = a.indexOf(u'=');
        QString name = eq < 0 ? QString() : a.left(eq).trimmed();
        while (name.startsWith(u'&'))
            name.remove(0, 1);
        // The value as a number box takes it, so that "0,25" means the same here as in the window.
        const std::optional<double> value = eq < 0 ? std::nullopt : numberbox::read(QStringView(a).sliced(eq + 1));
        if (name.isEmpty() || !value) {
            err << Texts::tr("--answer %1: give NAME=VALUE, the value a number.").arg(a) << Qt::endl;
            return false;
        }
        answers.byVariable.insert(statement::nameKey(name), *value);
    }
    return true;
}

QJsonArray notes(const dryrun::Trace& trace, const QList<dryrun::Note>& list) {
    QJsonArray out;
    for (const dryrun::Note& n : list)
        out.append(QJsonObject{{QStringLiteral("file"), trace.files.value(n.source.file)},
                               {QStringLiteral("line"), n.source.line},
                               {QStringLiteral("text"), n.text}});
    return out;
}

QJsonValue range(const dryrun::Trace& trace, const dryrun::Range& r) {
    if (trace.extent.empty) return QJsonValue::Null;
    return QJsonArray{r.min, r.max};
}

// The carved blank as --dry-run reports it: the whole field, what it took out and how deep it went.
struct Carved {
    std::shared_ptr<const carve::Job> job;
    std::optional<carve::Field> field;
    carve::Summary summary;
};

QString shapeWord(dryrun::Tool::Shape shape) {
    // Fixed words, as in the settings file, so that scripts can read them.
    switch (shape) {
    case dryrun::Tool::Shape::Flat:
        return QStringLiteral("flat");
    case dryrun::Tool::Shape::V:
        return QStringLiteral("v");
    case dryrun::Tool::Shape::Ball:
        return QStringLiteral("ball");
    }
    return {};
}

QJsonValue carveJson(const std::optional<Carved>& carved) {
    if (!carved) return QJsonValue::Null;
    const carve::Job& job = *carved->job;
    const dryrun::Tool& tool = job.tool();
    const std::optional<dryrun::Position>& deepest = carved->summary.deepest;
    return QJsonObject{
        {QStringLiteral("unit"), dryrun::unitSymbol(job.unit())},
        {QStringLiteral("tool"),
         QJsonObject{{QStringLiteral("shape"), shapeWord(tool.shape)},
                     {QStringLiteral("diameter"), tool.diameter},
                     {QStringLiteral("angle"),
                      tool.shape == dryrun::Tool::Shape::V ? QJsonValue(tool.angle) : QJsonValue(QJsonValue::Null)}}},
        {QStringLiteral("cell"), carved->summary.cell},
        {QStringLiteral("removed_volume"), carved->summary.removedVolume},
        {QStringLiteral("deepest"), deepest ? QJsonValue(QJsonObject{{QStringLiteral("x"), deepest->x},
                                                                     {QStringLiteral("y"), deepest->y},
                                                                     {QStringLiteral("z"), deepest->z}})
                                            : QJsonValue(QJsonValue::Null)}};
}

void printCarve(const dryrun::Trace& trace, const std::optional<Carved>& carved, QTextStream& out) {
    const auto number = [](double v) { return QString::number(v, 'g', 6); };
    const dryrun::Tool& tool = trace.setup.tool;
    const dryrun::Unit u = trace.setup.unit;
    const QString unit = dryrun::unitSymbol(u);
    const auto length = [u](double v) { return measuretext::length(v, u); };
    out << (tool.shape == dryrun::Tool::Shape::Flat ? Texts::tr("Bit: flat, %1").arg(length(tool.diameter))
            : tool.shape == dryrun::Tool::Shape::Ball
                ? Texts::tr("Bit: ball, %1").arg(length(tool.diameter))
                : Texts::tr("Bit: V, %1\u00b0, %2").arg(number(tool.angle), length(tool.diameter)))
        << '\n';
    if (!carved) {
        out << Texts::tr("Carved blank: none, as the header and the settings give no blank to carve") << '\n';
        return;
    }
    out << Texts::tr("Carved blank: cell %1, removed volume %2 %3\u00b3")
               .arg(number(carved->summary.cell) + u' ' + unit, number(carved->summary.removedVolume), unit)
        << '\n';
    if (const std::optional<dryrun::Position>& d = carved->summary.deepest)
        out << Texts::tr("Deepest cut: Z %1 at X %2, Y %3").arg(length(d->z), length(d->x), length(d->y)) << '\n';
    else
        out << Texts::tr("Deepest cut: none over the blank") << '\n';
}

void printJson(const dryrun::Trace& trace, const std::optional<Carved>& carved, QTextStream& out) {
    const QJsonObject extent{{QStringLiteral("x"), range(trace, trace.extent.x)},
                             {QStringLiteral("y"), range(trace, trace.extent.y)},
                             {QStringLiteral("z"), range(trace, trace.extent.z)}};
    const QJsonObject o{{QStringLiteral("time_s"), trace.totalTime},
                        {QStringLiteral("extent"), extent},
                        {QStringLiteral("segments"), qint64(trace.segments.size())},
                        {QStringLiteral("warnings"), notes(trace, trace.warnings)},
                        {QStringLiteral("not_simulated"), notes(trace, trace.notSimulated)},
                        {QStringLiteral("stops"), trace.stopCount()},
                        {QStringLiteral("carve"), carveJson(carved)}};
    out << QJsonDocument(o).toJson(QJsonDocument::Indented);
}

void printSummary(const dryrun::Trace& trace, const std::optional<Carved>& carved, QTextStream& out) {
    const dryrun::Unit unit = trace.setup.unit;
    out << Texts::tr("Estimated time: %1").arg(formatRunTime(trace.totalTime)) << '\n';
    out << Texts::tr("Unit: %1, %2")
               .arg(measuretext::unitName(unit),
                    trace.setup.unitFromHeader ? Texts::tr("from the header") : Texts::tr("from the settings"))
        << '\n';
    if (trace.extent.empty) {
        out << Texts::tr("Extent: no motion") << '\n';
    } else {
        const dryrun::Extent& e = trace.extent;
        out << Texts::tr("Extent: X %1, Y %2, Z %3")
                   .arg(measuretext::range(e.x, unit), measuretext::range(e.y, unit), measuretext::range(e.z, unit))
            << '\n';
    }
    out << Texts::tr("Segments: %1").arg(trace.segments.size()) << '\n';
    out << Texts::tr("Stops for the operator: %1").arg(trace.stopCount()) << '\n';
    printCarve(trace, carved, out);
    for (const dryrun::Note& n : trace.warnings)
        out << QStringLiteral("%1:%2: %3: %4")
                   .arg(trace.files.value(n.source.file))
                   .arg(n.source.line)
                   .arg(n.error ? QStringLiteral("error") : QStringLiteral("warning"), n.text)
            << '\n';
    for (const dryrun::Note& n : trace.notSimulated)
        out << QStringLiteral("%1:%2: %3: %4")
                   .arg(trace.files.value(n.source.file))
                   .arg(n.source.line)
                   .arg(QStringLiteral("not simulated"), n.text) // words scripts read, as "error" and "warning"
            << '\n';
}

} // namespace

namespace {

// The dry run as the window runs it: the trace, with the warnings only the carved blank can give.
struct Ran {
    dryrun::Trace trace;
    std::shared_ptr<const carve::Job> job; // null without a blank
};
Ran runAsTheWindowDoes(const dryrun::Program& program, const dryrun::Settings& settings,
                       const dryrun::Answers& answers) {
    Ran ran{dryrun::run(program, settings, answers, dryrun::fileLoader()), nullptr};
    ran.job = carve::Job::fromTrace(ran.trace);
    if (ran.job) carve::checkRapids(*ran.job, ran.trace);
    return ran;
}

// What the window lists for the part file at path, with the dry run's trace: the checker's findings
// on every line (however many: the panel's hundred lines are the window's bound, not the router's)
// and the trace's warnings, in one list; nothing, with why, when the file cannot be read.
std::optional<QList<checker::Finding>> problemsOfFile(const QString& path, const dryrun::Trace& trace, QString* why) {
    const partfilereader::ReadResult read = partfilereader::readFile(path, partfilescan::Mode::AnyCount);
    if (!read.ok) {
        *why = read.error;
        return std::nullopt;
    }
    // Lines counted in the file as it stands: its header and opening lines (if any) come first.
    const int firstLine = int(read.kept.headLines() + read.kept.opening().size()) + 1;
    const QList<checker::Finding> checked =
        checker::check(checker::linesOf(read.lines), QFileInfo(path).absolutePath(), {}, firstLine);
    QList<checker::Finding> findings = checker::problems(checked, &trace, read.kept.file.get());
    const auto lines = qsizetype(read.lines.size());
    if (lines > ProgramModel::MaxLines) {
        checker::Finding f;
        f.rule = QStringLiteral("too-many-lines");
        f.severity = checker::Severity::Note;
        f.line = firstLine + ProgramModel::MaxLines;
        f.message = Texts::tr("The program has %1 lines, and every one is checked; the panel takes at most %2, so the "
                              "window cannot open this file.")
                        .arg(lines)
                        .arg(ProgramModel::MaxLines);
        findings << f;
    }
    return findings;
}

} // namespace

int runCheck(const CommandLine& command, QTextStream& out, QTextStream& err) {
    // The dry run as the window runs it for the file: the user's settings and the answers kept for it.
    const dryrun::Loaded program =
        partfilereader::readForDryRun(command.file, command.file, partfilescan::Mode::AnyCount);
    const UserSettings settings;
    const dryrun::Trace trace =
        program.ok
            ? runAsTheWindowDoes(program.program, settings.dryRunSettings(),
                                 settings.answers(QDir::toNativeSeparators(QFileInfo(command.file).absoluteFilePath())))
                  .trace
            : dryrun::Trace{};
    QString why;
    const std::optional<QList<checker::Finding>> findings = problemsOfFile(command.file, trace, &why);
    if (!findings) {
        err << why << Qt::endl;
        return 2;
    }
    for (const checker::Finding& f : *findings) {
        const QString file = f.file.isEmpty() ? command.file : f.file;
        const QString where = f.line > 0 ? QStringLiteral("%1:%2").arg(file).arg(f.line) : file;
        out << QStringLiteral("%1: %2: %3").arg(where, severityWord(f.severity), f.message) << '\n';
    }
    out.flush();
    return checker::count(*findings, checker::Severity::Error) > 0 ? 1 : 0;
}

namespace {

// The file named on the command line, read for the dry run, with the answers given for its INPUT
// lines; nothing, the reason told, when either cannot be had.
struct Run {
    dryrun::Program program;
    dryrun::Answers answers;
};
std::optional<Run> readRun(const CommandLine& command, QTextStream& err) {
    Run run;
    if (!parseAnswers(command.answers, run.answers, err)) return std::nullopt;
    dryrun::Loaded main = partfilereader::readForDryRun(command.file, command.file);
    if (!main.ok) {
        err << main.error << Qt::endl;
        return std::nullopt;
    }
    run.program = std::move(main.program);
    return run;
}

} // namespace

int runDryRun(const CommandLine& command, QTextStream& out, QTextStream& err) {
    const std::optional<Run> run = readRun(command, err);
    if (!run) return 2;
    const dryrun::Settings settings = UserSettings().dryRunSettings();
    const Ran ran = runAsTheWindowDoes(run->program, settings, run->answers);
    const dryrun::Trace& trace = ran.trace;
    std::optional<Carved> carved;
    if (const std::shared_ptr<const carve::Job>& job = ran.job) {
        const std::size_t budget = carve::budgetBytes(settings);
        const carve::Grid grid = command.cell > 0 ? job->wholeGrid(command.cell) : job->wholeGrid(budget);
        // Any cell is fine as long as the field fits: that is what the budget promises.
        if (grid.cells() * carve::BytesPerCell > budget) {
            err << Texts::tr("--cell %1 would take %2 MiB for the whole blank, above the memory budget of %3 MiB; "
                             "give %4 or more.")
                       .arg(command.cell)
                       .arg(double(grid.cells() * carve::BytesPerCell) / (1 << 20), 0, 'f', 0)
                       .arg(double(budget) / (1 << 20), 0, 'f', 0)
                       .arg(job->wholeGrid(budget).cell)
                << Qt::endl;
            return 2;
        }
        carved = Carved{job, carve::carve(*job, grid), {}};
        carved->summary = *carve::summarize(*job, *carved->field);
    }
    if (command.json)
        printJson(trace, carved, out);
    else
        printSummary(trace, carved, out);
    out.flush();
    // A picture named like the part file (or a link to it) would put itself in the program's place.
    for (const QString& picture : {command.cutImage, command.toolpathImage})
        if (!picture.isEmpty() && regularfile::sameFile(picture, command.file)) {
            err << Texts::tr("The picture would replace the part file \"%1\"; name another file.").arg(picture)
                << Qt::endl;
            return 2;
        }
    QString why;
    if (!command.cutImage.isEmpty()) {
        if (!carved) {
            err << Texts::tr("No carved picture: the header and the settings give no blank to carve.") << Qt::endl;
            return 2;
        }
        if (!writeReliefPng(*carved->job, *carved->field, command.cutImage, &why)) {
            err << why << Qt::endl;
            return 2;
        }
    }
    if (command.toolpathImage.isEmpty()) return 0;
    const QSize size(1200, 900);
    const bool svg = command.toolpathImage.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
    const bool written = svg ? writeToolpathSvg(trace, ViewKind::Top, size, command.toolpathImage, &why)
                             : writeToolpathPng(trace, ViewKind::Top, size, command.toolpathImage, &why);
    if (written) return 0;
    err << why << Qt::endl;
    return 2;
}

int runJobSheet(const CommandLine& command, QTextStream& err) {
    const std::optional<Run> run = readRun(command, err);
    if (!run) return 2;
    // "--job-sheet job.cvp out.pdf" would otherwise put a PDF in the part file's place.
    if (regularfile::sameFile(command.jobSheet, command.file)) {
        err << Texts::tr("The job sheet would replace the part file \"%1\"; name another file.").arg(command.jobSheet)
            << Qt::endl;
        return 1;
    }
    auto trace = std::make_shared<const dryrun::Trace>(
        runAsTheWindowDoes(run->program, UserSettings().dryRunSettings(), run->answers).trace);
    QString unchecked;
    const std::optional<QList<checker::Finding>> findings = problemsOfFile(command.file, *trace, &unchecked);
    JobSheetData sheet =
        jobsheet::gather(run->program, trace, findings.value_or(checker::problems({}, trace.get(), nullptr)),
                         QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    if (!findings)
        sheet.runNotes << Texts::tr(
                              "The checker could not read the file, so only the dry run's warnings are listed: %1")
                              .arg(unchecked);
    QString why;
    if (jobsheet::writePdf(sheet, command.jobSheet, &why)) return 0;
    err << why << Qt::endl;
    return 1;
}
