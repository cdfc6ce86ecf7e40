#pragma once

#include <QSqlError>
#include <QString>

// True when SQLite's error says the file is not a database or its pages do not hold together; any
// other failure (a missing permission, a locked file) says nothing about the file's contents.
bool showsDamage(const QSqlError& error);

struct IntegrityCheck
{
    bool damaged = false;
    QString finding; // what the check found; or why it could not run, when not damaged
};

// The whole check of an SQLite database (PRAGMA integrity_check: every page, row and index) on a
// read-only connection of its own, beside any writer. It reads the whole file: about a second and a
// half for three million keystrokes.
IntegrityCheck checkDatabaseIntegrity(const QString& path, const QString& connectionName);

// Where a check that found damage leaves its finding beside the database, so that the next opening
// sets the file aside even when the damage would not show there; it goes aside with the file.
QString damageFindingPath(const QString& databasePath);
