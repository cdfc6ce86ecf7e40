#pragma once

#include "files/PosixWrite.h"

#include <QByteArray>
#include <QString>

struct WriteResult
{
    bool ok = true;
    QString error; // why the write failed, for the user; empty on success
};

// Replaces the file at `path` with `bytes` so that a crash or a full disk at any moment leaves either
// the old complete file or the new one: a temporary file in the same directory is written in full
// (every write checked for its whole length), flushed to disk, renamed over the old file, and the
// directory is synced. The temporary file is named "." + the file's name + "." + the writing process's
// id + ".tmp-" + six random characters, so that one a killed process left behind can be told apart.
WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes);

// The same, with the system call that writes bytes replaced, so tests can simulate short writes and
// full disks.
WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes, const WriteCall& writeCall);

// Removes the temporary files of writeFileAtomically in `directory` whose writing process no longer
// exists: a process killed between creating and renaming one leaves it behind for good. A file of a
// live process, possibly another instance still writing it, and every file not named that way stay.
// Returns the number of files removed.
int removeAbandonedTemporaryFiles(const QString& directory);
