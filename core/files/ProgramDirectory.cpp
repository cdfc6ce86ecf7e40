#include "files/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& overriddenDirectory()
{
    static QString directory;
    return directory;
}
} // namespace

QString programDirectory()
{
    if (!overriddenDirectory().isEmpty())
        return overriddenDirectory();
    return QCoreApplication::applicationDirPath();
}

void setProgramDirectory(const QString& directory)
{
    overriddenDirectory() = directory;
}

QString programFilePath(const QString& fileName)
{
    return QDir::toNativeSeparators(QDir(programDirectory()).filePath(fileName));
}
