#include "gui/batchmodes.h"

#include "core/checker/checker.h"
#include "core/language/statement.h"
#include "core/partfile/partfilereader.h"
#include "core/usersettings.h"
#include "gui/jobsheet/jobsheetpages.h"
#include "gui/toolpath/measuretext.h"
#include "gui/toolpath/toolpathexport.h"
#include "gui/toolpath/toolpathpanels.h"
#include "platform/regularfile.h"

#include <QCoreApplication>
#include <QDate>
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
    return s == checker::Severity::Error ? QStringLiteral("error") : QStringLiteral("warning");
}

// NAME=VALUE with NAME an INPUT line's variable, with or without its "&".
bool parseAnswers(const QStringList& given, dryrun::Answers& answers, QTextStream& err) {
    for (const QString& a : given) {
        const qsizetype eq = a.indexOf(u'=');
        QString name = eq < 0 ? QString() : a.left(eq).trimmed();
        while (name.startsWith(u'&'))
            name.remove(0, 1);
        bool ok = false;
        const double value = eq < 0 ? 0 : QLocale::c().toDouble(a.mid(eq + 1).trimmed(), &ok);
        if (name.isEmpty() || !ok) {
            err << Texts::tr("--answer %1: give NAME=VALUE, the value a number.").arg(a) << Qt::endl;
            return false;
        }
        answers.byVariable.insert(statement::nameKey(name), value);
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

void printJson(const dryrun::Trace& trace, QTextStream& out) {
    const QJsonObject extent{{QStringLiteral("x"), range(trace, trace.extent.x)},
                             {QStringLiteral("y"), range(trace, trace.extent.y)},
                             {QStringLiteral("z"), range(trace, trace.extent.z)}};
    const QJsonObject o{{QStringLiteral("time_s"), trace.totalTime},
                        {QStringLiteral("extent"), extent},
                        {QStringLiteral("segments"), qint64(trace.segments.size())},
                        {QStringLiteral("warnings"), notes(trace, trace.warnings)},
                        {QStringLiteral("not_simulated"), notes(trace, trace.notSimulated)},
                        {QStringLiteral("stops"), trace.stopCount()}};
    out << QJsonDocument(o).toJson(QJsonDocument::Indented);
}

void printSummary(const dryrun::Trace& trace, QTextStream& out) {
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

// The checker's findings for the part file at path, its lines counted as they stand in the file;
// nothing, with why, when the file cannot be read onto the panel.
std::optional<QList<checker::Finding>> checkFile(const QString& path, QString* why) {
    const partfilereader::ReadResult read = partfilereader::readFile(path);
    ProgramModel model([](const QString& s) { return int(s.size()); });
    if (!read.ok || !model.load(read.lines)) {
        *why = read.ok ? path : read.error;
        return std::nullopt;
    }
    // Lines counted in the file as it stands: its header and opening lines (if any) come first.
    const int firstLine = int(read.kept.headLines() + read.kept.opening().size()) + 1;
    return checker::check(model, QFileInfo(path).absolutePath(), {}, firstLine);
}

} // namespace

int runCheck(const CommandLine& command, QTextStream& out, QTextStream& err) {
    QString why;
    const std::optional<QList<checker::Finding>> findings = checkFile(command.file, &why);
    if (!findings) {
        err << why << Qt::endl;
        return 2;
    }
    for (const checker::Finding& f : *findings)
        out << QStringLiteral("%1:%2: %3: %4").arg(command.file).arg(f.line).arg(severityWord(f.severity), f.message)
            << '\n';
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
    const dryrun::Trace trace =
        dryrun::run(run->program, UserSettings().dryRunSettings(), run->answers, dryrun::fileLoader());
    if (command.json)
        printJson(trace, out);
    else
        printSummary(trace, out);
    out.flush();
    if (command.toolpathImage.isEmpty()) return 0;
    // A picture named like the part file (or a link to it) would put itself in the program's place.
    if (regularfile::sameFile(command.toolpathImage, command.file)) {
        err << Texts::tr("The picture would replace the part file \"%1\"; name another file.")
                   .arg(command.toolpathImage)
            << Qt::endl;
        return 2;
    }
    QString why;
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
        dryrun::run(run->program, UserSettings().dryRunSettings(), run->answers, dryrun::fileLoader()));
    // A file the panel cannot take is still run and printed; the checker's part is then left out.
    QString unchecked;
    const std::optional<QList<checker::Finding>> findings = checkFile(command.file, &unchecked);
    JobSheetData sheet = jobsheet::gather(run->program, trace, findings.value_or(QList<checker::Finding>()),
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
