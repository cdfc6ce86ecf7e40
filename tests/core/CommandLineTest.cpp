#include "start/CommandLine.h"
#include "start/ProgramIdentity.h"

#include <gtest/gtest.h>

namespace {
using Action = CommandLine::Action;

struct Case
{
    const char* what;
    QStringList arguments; // after the program's path
    Action action;
    QString dataDirectory;
};

CommandLine parsed(const QStringList& arguments)
{
    return parseCommandLine(QStringList{QStringLiteral("/opt/k/bin/korvalin")} + arguments);
}
} // namespace

TEST(CommandLine, eachCommandLine_asksForItsAction)
{
    const Case cases[] = {
        {"nothing", {}, Action::Run, {}},
        {"--data-dir DIR",
         {QStringLiteral("--data-dir"), QStringLiteral("/media/stick")},
         Action::Run,
         QStringLiteral("/media/stick")},
        {"--data-dir=DIR", {QStringLiteral("--data-dir=rel/dir")}, Action::Run, QStringLiteral("rel/dir")},
        {"Qt's -platform", {QStringLiteral("-platform"), QStringLiteral("offscreen")}, Action::Run, {}},
        {"Qt's -reverse", {QStringLiteral("-reverse")}, Action::Run, {}},
        {"--help", {QStringLiteral("--help")}, Action::ShowHelp, {}},
        {"-h", {QStringLiteral("-h")}, Action::ShowHelp, {}},
        {"--help-all", {QStringLiteral("--help-all")}, Action::ShowHelp, {}},
        {"--version", {QStringLiteral("--version")}, Action::ShowVersion, {}},
        {"-v", {QStringLiteral("-v")}, Action::ShowVersion, {}},
        {"unknown option", {QStringLiteral("--frobnicate")}, Action::Refuse, {}},
        {"unknown short option", {QStringLiteral("-x")}, Action::Refuse, {}},
        {"stray argument", {QStringLiteral("draft_record.xml")}, Action::Refuse, {}},
        {"--data-dir without a folder", {QStringLiteral("--data-dir")}, Action::Refuse, {}},
        {"--data-dir with an empty folder", {QStringLiteral("--data-dir=")}, Action::Refuse, {}},
    };
    for (const Case& c : cases) {
        const CommandLine command = parsed(c.arguments);
        EXPECT_EQ(command.action, c.action) << c.what;
        EXPECT_EQ(command.dataDirectory, c.dataDirectory) << c.what;
        EXPECT_EQ(command.exitCode, c.action == Action::Refuse ? UsageExitCode : 0) << c.what;
    }
}

TEST(CommandLine, mistake_isOneLineNamingItAndExitsWithTwo)
{
    const CommandLine command = parsed({QStringLiteral("--frobnicate")});
    EXPECT_EQ(UsageExitCode, 2);
    EXPECT_FALSE(command.message.contains(u'\n'));
    EXPECT_TRUE(command.message.startsWith(QStringLiteral("korvalin: "))) << command.message.toStdString();
    EXPECT_TRUE(command.message.contains(QStringLiteral("frobnicate"))) << command.message.toStdString();
}

TEST(CommandLine, version_isTheProjectVersion)
{
    EXPECT_EQ(programVersion(), QStringLiteral(PROJECT_VERSION));
    EXPECT_EQ(parsed({QStringLiteral("--version")}).message, QStringLiteral("korvalin " PROJECT_VERSION "\n"));
}

TEST(CommandLine, help_namesTheProgramAndItsOptionsButNotQts)
{
    const QString help = parsed({QStringLiteral("--help")}).message;
    EXPECT_TRUE(help.startsWith(QStringLiteral("Usage: korvalin [options]"))) << help.toStdString();
    for (const char* option : {"--data-dir <folder>", "--help", "--version"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    EXPECT_FALSE(help.contains(QStringLiteral("platform")));
}

namespace {
struct TrainingCase
{
    const char* what;
    QStringList arguments;
    Action action;
    std::optional<TrainingStart> training;
    // A word of the one-line message that names the mistake.
    const char* named = nullptr;
};

QStringList words(const char* text)
{
    return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
}
} // namespace

TEST(CommandLine, train_opensTheTrainingWindowOnTheViewAsked)
{
    using enum TrainingActivity;
    const TrainingCase cases[] = {
        {"without --train", {}, Action::Run, std::nullopt},
        {"--train alone", words("--train"), Action::Run, TrainingStart{}},
        {"--train learn", words("--train learn"), Action::Run, TrainingStart{Learn, {}, {}}},
        {"--train=review", words("--train=review"), Action::Run, TrainingStart{Review, {}, {}}},
        {"every option", words("--train recite --number e --from 10000 --data-dir /tmp/t"), Action::Run,
         TrainingStart{Recite, TrainingNumber::E, 10000}},
        {"options before the mode", words("--number=sqrt2 --train drill"), Action::Run,
         TrainingStart{Drill, TrainingNumber::Sqrt2, {}}},
        {"rehearse", words("--train rehearse --number pi"), Action::Run,
         TrainingStart{Rehearse, TrainingNumber::Pi, {}}},
        {"progress", words("--train progress"), Action::Run, TrainingStart{Progress, {}, {}}},
        {"the last digit of pi", words("--train recite --number pi --from 32767"), Action::Run,
         TrainingStart{Recite, TrainingNumber::Pi, 32767}},
        {"--from without a number, within the longest", words("--train --from 32767"), Action::Run,
         TrainingStart{{}, {}, 32767}},

        {"unknown mode", words("--train sing"), Action::Refuse, std::nullopt, "sing"},
        {"a mode in capitals", words("--train LEARN"), Action::Refuse, std::nullopt, "LEARN"},
        {"two modes", words("--train learn review"), Action::Refuse, std::nullopt, "review"},
        {"a mode without --train", words("learn"), Action::Refuse, std::nullopt, "learn"},
        {"unknown number", words("--train --number tau"), Action::Refuse, std::nullopt, "tau"},
        {"--number without --train", words("--number pi"), Action::Refuse, std::nullopt, "--train"},
        {"--from without --train", words("--from 5"), Action::Refuse, std::nullopt, "--train"},
        {"--number without a value", words("--train --number"), Action::Refuse, std::nullopt, "number"},
        {"--from zero", words("--train --from 0"), Action::Refuse, std::nullopt, "--from"},
        {"--from not a number", words("--train --from ten"), Action::Refuse, std::nullopt, "ten"},
        {"--from past the number's last digit", words("--train --number e --from 10001"), Action::Refuse, std::nullopt,
         "10000"},
        {"--from past every number", words("--train --from 32768"), Action::Refuse, std::nullopt, "32767"},
    };
    for (const TrainingCase& c : cases) {
        const CommandLine command = parsed(c.arguments);
        EXPECT_EQ(command.action, c.action) << c.what;
        EXPECT_EQ(command.training, c.training) << c.what;
        if (c.action == Action::Refuse) {
            EXPECT_EQ(command.exitCode, UsageExitCode) << c.what;
            EXPECT_FALSE(command.message.contains(u'\n')) << c.what;
            EXPECT_TRUE(command.message.contains(QLatin1String(c.named)))
                << c.what << ": " << qPrintable(command.message);
        }
    }
}

TEST(CommandLine, help_namesTheTrainingModesAndNumbers)
{
    const QString help = parsed({QStringLiteral("--help")}).message;
    for (const char* word : {"--train", "--number <number>", "--from <N>", "[MODE]", "learn", "review", "recite",
                             "drill", "rehearse", "progress", "sqrt2", "pi", "e"})
        EXPECT_TRUE(help.contains(QLatin1String(word))) << word;
}
