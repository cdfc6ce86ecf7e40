#include "files/DataFolder.h"

#include "files/ProgramDirectory.h"
#include "start/ProgramIdentity.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

bool runsFromInstalledLayout(const QString& programFolder)
{
    return QFileInfo(QDir(programFolder).filePath(installedDesktopEntryFromProgramFolder())).isFile();
}

DataFolder chooseDataFolder(const QString& programFolder, const QString& chosenFolder, const QString& perUserFolder)
{
    if (!chosenFolder.isEmpty())
        return {QDir::cleanPath(QDir::current().absoluteFilePath(chosenFolder)), DataFolder::Kind::Chosen};
    if (!perUserFolder.isEmpty() && runsFromInstalledLayout(programFolder))
        return {QDir::cleanPath(perUserFolder), DataFolder::Kind::PerUser};
    return {QDir::cleanPath(programFolder), DataFolder::Kind::BesideProgram};
}

DataFolder chooseDataFolderOfThisProgram(const QString& chosenFolder)
{
    return chooseDataFolder(QCoreApplication::applicationDirPath(), chosenFolder,
                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

DataFolder useDataFolderOfThisProgram(const QString& chosenFolder)
{
    const DataFolder folder = chooseDataFolderOfThisProgram(chosenFolder);
    QDir().mkpath(folder.path);
    setProgramDirectory(folder.path);
    return folder;
}
