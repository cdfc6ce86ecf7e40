#pragma once

#include <QString>

// The program's name: the title of its windows, message boxes and prompts.
inline const QString ProgramTitle = QStringLiteral("KORVALIN");

// The title on the frame of the recall stage and of the results, named after the number's caption.
inline QString stageTitle(const QString& caption)
{
    return QStringLiteral("SPECIAL NUMBERS (") + caption + QLatin1Char(')');
}
