#pragma once

#include "training/TrainingActivity.h"
#include "training/TrainingNumber.h"

#include <QString>
#include <QStringList>

#include <optional>

// What --train asks the training window to show first.
struct TrainingStart
{
    std::optional<TrainingActivity> activity; // MODE; none: the summary of every number
    std::optional<TrainingNumber> number;     // --number
    std::optional<int> fromPosition;          // --from, a digit after the point counted from 1

    bool operator==(const TrainingStart&) const = default;
};

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
    // --train: the training window instead of the settings window. Without it nothing of training is made.
    std::optional<TrainingStart> training;
};

// Exit code of a command line the program does not understand.
inline constexpr int UsageExitCode = 2;

// `arguments` as in argv, the program's path first. Qt's own window-system options (-platform, -style,
// ...) are let through for QApplication.
CommandLine parseCommandLine(const QStringList& arguments);
