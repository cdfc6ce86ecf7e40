#pragma once

#include <QString>

// The program's name: the title of its windows, message boxes and prompts.
inline const QString ProgramTitle = QStringLiteral("KORVALIN");
