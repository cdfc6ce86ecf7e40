#include "SchemaMigration.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {
QString failure(const QSqlQuery& query, const QString& statement)
{
    return query.lastError().text() + QStringLiteral(" (in: ") + statement.simplified() + QLatin1Char(')');
}

QString runStep(QSqlDatabase& database, const SchemaStep& step)
{
    QSqlQuery query(database);
    for (const QString& statement : step.statements) {
        if (!query.exec(statement))
            return failure(query, statement);
    }
    // Written in the step's transaction: a step that does not commit leaves the version as it was.
    const QString setVersion = QStringLiteral("PRAGMA user_version = %1").arg(step.version);
    if (!query.exec(setVersion))
        return failure(query, setVersion);
    return {};
}
} // namespace

int schemaVersion(QSqlDatabase& database)
{
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

Migration migrateSchema(QSqlDatabase& database, const SchemaSteps& steps)
{
    Migration migration;
    migration.fromVersion = schemaVersion(database);
    migration.toVersion = migration.fromVersion;
    if (migration.fromVersion < 0) {
        migration.error = database.lastError().text();
        return migration;
    }
    const int lastVersion = steps.empty() ? 0 : steps.back().version;
    if (migration.fromVersion > lastVersion) {
        migration.error = QStringLiteral("the database has schema version %1; this program knows up to %2")
                              .arg(migration.fromVersion)
                              .arg(lastVersion);
        return migration;
    }
    for (const SchemaStep& step : steps) {
        if (step.version <= migration.toVersion)
            continue;
        if (!database.transaction()) {
            migration.error = database.lastError().text();
            return migration;
        }
        const QString error = runStep(database, step);
        if (!error.isEmpty() || !database.commit()) {
            migration.error = error.isEmpty() ? database.lastError().text() : error;
            database.rollback();
            return migration;
        }
        migration.toVersion = step.version;
    }
    migration.ok = true;
    return migration;
}
