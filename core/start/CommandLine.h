#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. It is read before any window exists, so --help, --version and a
// mistake are answered without a display.
struct CommandLine
{
    enum class Action
    {
        Run,
        ShowHelp,
        ShowVersion,
        Refuse, // a mistake: `message` says which, in one line
    };

    Action action = Action::Run;
    QString dataDirectory; // --data-dir, empty when not given
    QString message;       // the help or version text, or the error line
    int exitCode = 0;      // for every action but Run
};

// Exit code of a command line the program does not understand.
inline constexpr int UsageExitCode = 2;

// `arguments` as in argv, the program's path first. Qt's own window-system options (-platform, -style,
// ...) are let through for QApplication.
CommandLine parseCommandLine(const QStringList& arguments);
