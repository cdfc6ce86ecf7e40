#pragma once

#include <QDateTime>
#include <QString>

struct SetAside
{
    bool ok = false;
    QString path;  // where the database is now
    QString error; // why it could not be moved; empty when ok
};

// Moves a damaged database at `path` out of the way, keeping every byte: it becomes
// `path`.damaged-YYYYMMDD-HHMMSS at the local time `localNow`, and its -wal, -shm, -journal and -damage files,
// where they exist, follow it under the same name with their ending. When a name is taken, -2, -3, ...
// follows the time. The companions go first, so that a new database never meets a stale log of the
// old; if one cannot be moved, those already moved are put back.
SetAside setDamagedDatabaseAside(const QString& path, const QDateTime& localNow);
