#pragma once

#include <QString>

// The data folder: the directory the program reads and writes its files in. The start sets it to the
// folder DataFolder.h chooses, tests to a temporary one; unset, it is the executable's directory.
QString programDirectory();
void setProgramDirectory(const QString& directory);

// A file in the program directory, joined with the platform's separator.
QString programFilePath(const QString& fileName);
