#include "start/CommandLine.h"

#include "start/ProgramIdentity.h"

#include <QCommandLineParser>

#include <algorithm>
#include <variant>

namespace {
// Options QGuiApplication and QApplication take out of argv themselves.
const QStringList QtValueOptions = {QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
                                    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
                                    QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
                                    QStringLiteral("qwindowtitle"),    QStringLiteral("style"),
                                    QStringLiteral("stylesheet"),      QStringLiteral("display")};
const QStringList QtFlagOptions = {QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("sync"),
                                   QStringLiteral("nograb"), QStringLiteral("dograb")};
const QString TrainOption = QStringLiteral("train");

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
            UsageExitCode,
            {}};
}

QString numberNames()
{
    QStringList names;
    for (const TrainingNumber number : AllTrainingNumbers)
        names << numberName(number);
    return names.join(QStringLiteral(", "));
}

// --train takes its mode as the next word; --train=MODE is the same.
QStringList withTrainModeApart(QStringList arguments)
{
    const QString glued = QStringLiteral("--train=");
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--"))
            break;
        if (arguments[i].startsWith(glued)) {
            const QString mode = arguments[i].mid(glued.size());
            arguments[i] = QStringLiteral("--train");
            arguments.insert(i + 1, mode);
        }
    }
    return arguments;
}

int longestNumber()
{
    int longest = 0;
    for (const TrainingNumber number : AllTrainingNumbers)
        longest = std::max(longest, int(numberDigits(number).size()));
    return longest;
}

struct TrainingOptions
{
    QCommandLineOption train{TrainOption,
                             QStringLiteral("Open the training window instead of the settings window; MODE (%1) "
                                            "opens that view at once.")
                                 .arg(activityNames().join(QStringLiteral(", ")))};
    QCommandLineOption number{QStringLiteral("number"),
                              QStringLiteral("With --train: the number to train (%1).").arg(numberNames()),
                              QStringLiteral("number")};
    QCommandLineOption from{QStringLiteral("from"), QStringLiteral("With --train: start at digit <N> after the point."),
                            QStringLiteral("N")};
};

// What --train and its options ask for, or the mistake in them as a refused command line.
std::variant<TrainingStart, CommandLine> readTraining(const QCommandLineParser& parser, const TrainingOptions& options)
{
    TrainingStart start;
    const QStringList words = parser.positionalArguments();
    if (words.size() > 1)
        return refused(QStringLiteral("--train takes one mode, not '%1'.").arg(words.join(u' ')));
    if (!words.isEmpty()) {
        start.activity = activityFromName(words.constFirst());
        if (!start.activity)
            return refused(QStringLiteral("unknown training mode '%1'; the modes are %2.")
                               .arg(words.constFirst(), activityNames().join(QStringLiteral(", "))));
    }
    if (parser.isSet(options.number)) {
        start.number = numberFromName(parser.value(options.number));
        if (!start.number)
            return refused(QStringLiteral("unknown number '%1'; the numbers are %2.")
                               .arg(parser.value(options.number), numberNames()));
    }
    if (parser.isSet(options.from)) {
        bool isNumber = false;
        const int position = parser.value(options.from).toInt(&isNumber);
        const int last = start.number ? int(numberDigits(*start.number).size()) : longestNumber();
        if (!isNumber || position < 1 || position > last)
            return refused(QStringLiteral("--from needs a digit from 1 to %1, not '%2'.")
                               .arg(last)
                               .arg(parser.value(options.from)));
        start.fromPosition = position;
    }
    return start;
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
        QStringLiteral("Keep the settings, the drafts of attempts and the training history in <folder> (made when "
                       "missing)."),
        QStringLiteral("folder"));
    parser.addOption(dataDir);
    const TrainingOptions training;
    parser.addOptions({training.train, training.number, training.from});
    parser.addPositionalArgument(QStringLiteral("MODE"), QStringLiteral("With --train: the view to open."),
                                 QStringLiteral("[MODE]"));
    for (const QString& name : QtValueOptions)
        addHidden(parser, name, true);
    for (const QString& name : QtFlagOptions)
        addHidden(parser, name, false);

    if (!parser.parse(withTrainModeApart(arguments)))
        return refused(parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Without an application object Qt cannot know the program's name.
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), programName());
        return {CommandLine::Action::ShowHelp, {}, text, 0, {}};
    }
    if (parser.isSet(version))
        return {CommandLine::Action::ShowVersion, {}, programName() + u' ' + programVersion() + u'\n', 0, {}};
    if (parser.isSet(dataDir) && parser.value(dataDir).isEmpty())
        return refused(QStringLiteral("--data-dir needs a folder."));
    if (!parser.isSet(training.train)) {
        if (!parser.positionalArguments().isEmpty())
            return refused(QStringLiteral("unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));
        for (const QCommandLineOption& option : {training.number, training.from}) {
            if (parser.isSet(option))
                return refused(
                    QStringLiteral("--%1 is for training: give it with --train.").arg(option.names().constFirst()));
        }
        return {CommandLine::Action::Run, parser.value(dataDir), {}, 0, {}};
    }
    const auto start = readTraining(parser, training);
    if (const auto* mistake = std::get_if<CommandLine>(&start))
        return *mistake;
    return {CommandLine::Action::Run, parser.value(dataDir), {}, 0, std::get<TrainingStart>(start)};
}
