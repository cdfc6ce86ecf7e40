#pragma once

#include <QString>

// Where the program keeps its settings and drafts.
struct DataFolder
{
    enum class Kind
    {
        Chosen,        // --data-dir
        PerUser,       // an installed program: the user's own data folder
        BesideProgram, // anywhere else (a build tree, a copy on a stick): the executable's folder
    };

    QString path;
    Kind kind = Kind::BesideProgram;
};

// True when `programFolder` is the bin folder of an installation: the desktop entry this program installs
// lies where the installed layout puts it, relative to that folder.
bool runsFromInstalledLayout(const QString& programFolder);

// The decision, for an executable in `programFolder`. An installed program never writes into its own
// folder, even when it could (as root can into /usr/bin). `chosenFolder` (--data-dir, made absolute
// against the working folder) wins over both; an empty one is not a choice.
DataFolder chooseDataFolder(const QString& programFolder, const QString& chosenFolder, const QString& perUserFolder);

// The decision for the running program: its executable's folder and QStandardPaths::AppDataLocation.
DataFolder chooseDataFolderOfThisProgram(const QString& chosenFolder);

// ... made the program directory. The folder is made when it is missing; a failure to make it shows at
// the first write, with its reason.
DataFolder useDataFolderOfThisProgram(const QString& chosenFolder);
