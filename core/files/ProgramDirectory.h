#pragma once

#include <QString>

// The directory the program reads and writes its files in: the executable's directory unless a test
// points it elsewhere.
QString programDirectory();
void setProgramDirectory(const QString& directory);

// A file in the program directory, joined with the platform's separator.
QString programFilePath(const QString& fileName);
