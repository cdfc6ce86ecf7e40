#pragma once

#include <QString>

struct FolderAccess
{
    bool writable = true;
    QString reason; // why files cannot be made there, for the user; empty when they can
};

// Whether new files can be made in `folder`, found by making one and removing it again; permission bits
// alone would not show a read-only file system or a full quota. A missing folder is made first.
FolderAccess checkFolderWritable(const QString& folder);
