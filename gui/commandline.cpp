#include "gui/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>

#include <cmath>

namespace {
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

CommandLine refused(const QString& why) {
    CommandLine c;
    c.mode = CommandLine::Mode::Error;
    c.message = why;
    return c;
}
} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(Texts::tr("Assembles Corvane part files from command lines."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption check(QStringLiteral("check"),
                                   Texts::tr("Checks the part file and prints one finding a line, as FILE:LINE: "
                                             "error: TEXT or FILE:LINE: warning: TEXT."));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"),
                                    Texts::tr("Runs the part file without a machine and prints the estimated time, "
                                              "the unit, the extent, the stops, the warnings and the lines not "
                                              "simulated."));
    const QCommandLineOption answer(
        QStringLiteral("answer"),
        Texts::tr("The value an INPUT line's variable takes in the dry run or the job sheet."),
        QStringLiteral("NAME=VALUE"));
    const QCommandLineOption json(QStringLiteral("json"), Texts::tr("Prints the dry run as one JSON object."));
    const QCommandLineOption image(
        QStringLiteral("toolpath-image"),
        Texts::tr("Draws the dry run's toolpath, seen from the top, into a PNG or SVG file."),
        QStringLiteral("OUT.png|OUT.svg"));
    const QCommandLineOption cutImage(
        QStringLiteral("cut-image"),
        Texts::tr("Draws the carved blank, seen from the top as a shaded relief, into a PNG file, one pixel a cell."),
        QStringLiteral("OUT.png"));
    const QCommandLineOption cell(
        QStringLiteral("cell"),
        Texts::tr(
            "The carved blank's cell, in the file's unit, instead of the smallest that the memory budget allows."),
        QStringLiteral("SIZE"));
    const QCommandLineOption jobSheet(
        QStringLiteral("job-sheet"),
        Texts::tr("Writes the part file's job sheet into a PDF file: the warnings, the header's answers, the toolpath "
                  "from the top, the estimated time, the extent and what they assume, the stops, the lines not "
                  "simulated and the numbered lines."),
        QStringLiteral("OUT.pdf"));
    parser.addOptions({check, dryRun, jobSheet, answer, json, image, cutImage, cell});
    parser.addPositionalArgument(QStringLiteral("file"), Texts::tr("The part file to open."), QStringLiteral("[file]"));

    if (!parser.parse(arguments)) return refused(parser.errorText());
    CommandLine result;
    if (parser.isSet(help)) {
        result.mode = CommandLine::Mode::Help;
        result.message = parser.helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.mode = CommandLine::Mode::Version;
        result.message = QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n';
        return result;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) return refused(Texts::tr("Only one part file can be named."));
    if (!files.isEmpty()) result.file = files.first();
    if (int(parser.isSet(check)) + int(parser.isSet(dryRun)) + int(parser.isSet(jobSheet)) > 1)
        return refused(Texts::tr("--check, --dry-run and --job-sheet exclude each other."));
    if ((parser.isSet(json) || parser.isSet(image) || parser.isSet(cutImage) || parser.isSet(cell)) &&
        !parser.isSet(dryRun))
        return refused(Texts::tr("--json, --toolpath-image, --cut-image and --cell go with --dry-run."));
    if (parser.isSet(cell)) {
        bool ok = false;
        result.cell = QLocale::c().toDouble(parser.value(cell), &ok);
        if (!ok || !(result.cell > 0) || !std::isfinite(result.cell))
            return refused(Texts::tr("--cell %1: give the cell as a number above 0.").arg(parser.value(cell)));
    }
    if (parser.isSet(answer) && !parser.isSet(dryRun) && !parser.isSet(jobSheet))
        return refused(Texts::tr("--answer goes with --dry-run or --job-sheet."));
    if (parser.isSet(check) || parser.isSet(dryRun) || parser.isSet(jobSheet)) {
        if (result.file.isEmpty()) return refused(Texts::tr("Name the part file to check or run."));
        result.mode = parser.isSet(check)    ? CommandLine::Mode::Check
                      : parser.isSet(dryRun) ? CommandLine::Mode::DryRun
                                             : CommandLine::Mode::JobSheet;
    }
    result.answers = parser.values(answer);
    result.json = parser.isSet(json);
    result.toolpathImage = parser.value(image);
    result.cutImage = parser.value(cutImage);
    result.jobSheet = parser.value(jobSheet);
    return result;
}
