#pragma once

#include "SchemaStep.h"

#include <QSqlDatabase>
#include <QString>

struct Migration
{
    bool ok = false;
    int fromVersion = 0; // as the database was found
    int toVersion = 0;   // as it is now: the last step that went through
    QString error;       // why a step failed; empty when ok
};

// The database's PRAGMA user_version; -1 when it cannot be read.
int schemaVersion(QSqlDatabase& database);

// Brings `database` from its version to the last step's by running each later step in a transaction of
// its own, with the version it reaches; a step that fails is rolled back whole and ends the migration.
// A database newer than the last step is left alone, and not ok.
Migration migrateSchema(QSqlDatabase& database, const SchemaSteps& steps);
