#include "start/CommandLine.h"

#include "start/ProgramIdentity.h"

#include <QCommandLineParser>

namespace {
// Options QGuiApplication and QApplication take out of argv themselves.
const QStringList QtValueOptions = {QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
                                    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
                                    QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
                                    QStringLiteral("qwindowtitle"),    QStringLiteral("style"),
                                    QStringLiteral("stylesheet"),      QStringLiteral("display")};
const QStringList QtFlagOptions = {QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("sync"),
                                   QStringLiteral("nograb"), QStringLiteral("dograb")};

void addHidden(QCommandLineParser& parser, const QString& name, bool takesValue)
{
    QCommandLineOption option(name);
    if (takesValue)
        option.setValueName(QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}

CommandLine refused(const QString& what)
{
    return {CommandLine::Action::Refuse,
            {},
            QStringLiteral("%1: %2 (see %1 --help)").arg(programName(), what),
            UsageExitCode};
}
} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    // -platform is one option, as Qt reads it, not the letters p, l, a, ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral("Memory-sports record attempts: recall the digits of the square "
                                                    "root of 2, pi or e."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("Keep the settings and the drafts of attempts in <folder> (made when missing)."),
        QStringLiteral("folder"));
    parser.addOption(dataDir);
    for (const QString& name : QtValueOptions)
        addHidden(parser, name, true);
    for (const QString& name : QtFlagOptions)
        addHidden(parser, name, false);

    if (!parser.parse(arguments))
        return refused(parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Without an application object Qt cannot know the program's name.
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), programName());
        return {CommandLine::Action::ShowHelp, {}, text, 0};
    }
    if (parser.isSet(version))
        return {CommandLine::Action::ShowVersion, {}, programName() + u' ' + programVersion() + u'\n', 0};
    if (!parser.positionalArguments().isEmpty())
        return refused(QStringLiteral("unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(dataDir) && parser.value(dataDir).isEmpty())
        return refused(QStringLiteral("--data-dir needs a folder."));
    return {CommandLine::Action::Run, parser.value(dataDir), {}, 0};
}
