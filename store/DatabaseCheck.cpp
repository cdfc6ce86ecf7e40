#include "DatabaseCheck.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

namespace {
// SQLite's result codes SQLITE_CORRUPT and SQLITE_NOTADB.
const QString SqliteCorrupt = QStringLiteral("11");
const QString SqliteNotADatabase = QStringLiteral("26");

IntegrityCheck check(QSqlDatabase& database)
{
    if (!database.open())
        return {showsDamage(database.lastError()), database.lastError().text()};
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("PRAGMA integrity_check")))
        return {showsDamage(query.lastError()), query.lastError().databaseText()};
    QStringList problems;
    while (query.next())
        problems << query.value(0).toString();
    if (problems == QStringList{QStringLiteral("ok")})
        return {};
    // The check lists up to a hundred problems; the first few tell enough.
    return {true, problems.mid(0, 3).join(QStringLiteral("; "))};
}
} // namespace

bool showsDamage(const QSqlError& error)
{
    return error.nativeErrorCode() == SqliteCorrupt || error.nativeErrorCode() == SqliteNotADatabase;
}

IntegrityCheck checkDatabaseIntegrity(const QString& path, const QString& connectionName)
{
    IntegrityCheck result;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        database.setDatabaseName(path);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
        result = check(database);
    }
    QSqlDatabase::removeDatabase(connectionName);
    return result;
}

QString damageFindingPath(const QString& databasePath)
{
    return databasePath + QStringLiteral("-damage");
}
