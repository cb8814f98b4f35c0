#include "gui/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};
} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(Texts::tr("Assembles Corvane part files from command lines."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), Texts::tr("The part file to open."), QStringLiteral("[file]"));

    CommandLine result;
    if (!parser.parse(arguments)) return {CommandLine::Mode::Error, {}, parser.errorText()};
    if (parser.isSet(help)) return {CommandLine::Mode::Help, {}, parser.helpText()};
    if (parser.isSet(version))
        return {CommandLine::Mode::Version,
                {},
                QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n'};
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return {CommandLine::Mode::Error, {}, Texts::tr("Only one part file can be opened at a time.")};
    if (!files.isEmpty()) result.file = files.first();
    return result;
}
