#pragma once

#include <QString>

// What the program calls itself: the name its per-user data folder is named after, the version the
// build was made from, and the reverse-DNS id of its desktop entry, icon and metainfo.
QString programName();
QString programVersion();
QString programDesktopId();

// The installed layout's desktop entry, relative to the folder the executable runs from.
QString installedDesktopEntryFromProgramFolder();

// Gives the application object the name and version above; QStandardPaths names folders after them.
void identifyProgram();
