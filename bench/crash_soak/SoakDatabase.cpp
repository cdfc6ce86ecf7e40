#include "crash_soak/SoakDatabase.h"

#include "SqliteTrainingStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

SoakDatabase::Look SoakDatabase::look(qint64 afterSession) const
{
    Look look;
    look.fault = openingFault();
    if (look.fault.isEmpty())
        look.fault = readSessions(afterSession, look.sessions);
    return look;
}

QString SoakDatabase::openingFault() const
{
    QStringList faults;
    {
        SqliteTrainingStore store(m_folder);
        QObject::connect(&store, &TrainingStore::failed, [&faults](const QString& error) { faults << error; });
        const StoreOpening opening = store.open();
        if (!opening.opened)
            return QStringLiteral("the store does not open: ") + opening.message;
        if (!opening.setAsidePath.isEmpty())
            return QStringLiteral("the file was set aside as damaged: ") + opening.message;
        store.waitForCheck();
        // The check's finding is delivered in this thread.
        QCoreApplication::processEvents();
    }
    const QDir folder(m_folder);
    if (!folder
             .entryList({QStringLiteral("training.sqlite-damage"), QStringLiteral("training.sqlite.damaged-*")},
                        QDir::Files)
             .isEmpty())
        faults << QStringLiteral("a damaged file lies in %1").arg(m_folder);
    return faults.join(QStringLiteral("; "));
}

QString SoakDatabase::readSessions(qint64 afterSession, std::vector<Session>& sessions) const
{
    const QString connection = QStringLiteral("soak");
    QString fault;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(QDir(m_folder).filePath(QStringLiteral("training.sqlite")));
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery query(database);
        if (!database.open())
            fault = QStringLiteral("it does not open for reading: ") + database.lastError().text();
        else if (!query.exec(QStringLiteral("PRAGMA integrity_check")) || !query.next() ||
                 query.value(0).toString() != QStringLiteral("ok"))
            fault = QStringLiteral("its integrity check says: ") + query.value(0).toString();
        else if (!query.prepare(QStringLiteral("SELECT session_id, mode, number, first_position, typed, correct "
                                               "FROM session_summary WHERE session_id > ? ORDER BY session_id")))
            fault = query.lastError().text();
        if (fault.isEmpty()) {
            query.addBindValue(afterSession);
            if (!query.exec())
                fault = query.lastError().text();
            while (fault.isEmpty() && query.next())
                sessions.push_back({query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString(),
                                    query.value(3).toInt(), query.value(4).toInt(), query.value(5).toInt()});
        }
        QSqlQuery keys(database);
        for (Session& session : sessions) {
            if (!fault.isEmpty())
                break;
            keys.prepare(QStringLiteral("SELECT seq, position, expected, typed FROM keystroke_log "
                                        "WHERE session_id = ? ORDER BY seq"));
            keys.addBindValue(session.id);
            if (!keys.exec())
                fault = keys.lastError().text();
            while (keys.next())
                session.keystrokes.push_back(
                    {keys.value(0).toInt(), keys.value(1).toInt(), keys.value(2).toInt(), keys.value(3).toInt()});
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return fault;
}
