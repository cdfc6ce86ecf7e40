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
