#pragma once

#include "TrainingStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <utility>
#include <vector>

// A second connection to a training database, as another program (a script, a spreadsheet) would
// open one; removed again when it goes.
class OtherConnection final
{
public:
    explicit OtherConnection(const QString& path, bool readOnly = true)
        : m_name(QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        database.setDatabaseName(path);
        if (readOnly)
            database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        database.open();
    }
    ~OtherConnection() { QSqlDatabase::removeDatabase(m_name); }
    OtherConnection(const OtherConnection&) = delete;
    OtherConnection& operator=(const OtherConnection&) = delete;

    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

    // Every row of `statement`, each as its values in text, joined by "|".
    QStringList rows(const QString& statement) const
    {
        QStringList rows;
        QSqlQuery query(database());
        if (!query.exec(statement))
            return {QStringLiteral("<failed: ") + statement + QLatin1Char('>')};
        while (query.next()) {
            QStringList values;
            for (int column = 0; column < query.record().count(); ++column)
                values << query.value(column).toString();
            rows << values.join(QLatin1Char('|'));
        }
        return rows;
    }

    QString value(const QString& statement) const
    {
        const QStringList all = rows(statement);
        return all.isEmpty() ? QString() : all.front();
    }

private:
    QString m_name;
};

// What a store reported through failed(), once the events that carry it have been delivered.
class FailureLog final
{
public:
    explicit FailureLog(TrainingStore& store)
    {
        QObject::connect(&store, &TrainingStore::failed, &store, [this](const QString& error) { m_errors << error; });
    }
    QStringList take(TrainingStore& store)
    {
        store.waitForIdle();
        QCoreApplication::processEvents();
        return std::exchange(m_errors, {});
    }

private:
    QStringList m_errors;
};

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QDateTime utc(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODateWithMs);
}
