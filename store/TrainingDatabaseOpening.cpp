// Opening the training database: finding it sound, damaged or unreadable, setting a damaged one aside,
// and bringing a sound one to the current schema.
#include "DamagedDatabase.h"
#include "DatabaseCheck.h"
#include "SchemaMigration.h"
#include "TrainingDatabase.h"
#include "TrainingSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace {
const QString DriverName = QStringLiteral("QSQLITE");

QString missingDriverMessage()
{
    return QStringLiteral("Training keeps its history in an SQLite database, but Qt's SQLite driver is not "
                          "installed. Install the package libqt6sql6-sqlite (sudo apt install libqt6sql6-sqlite) "
                          "and start KORVALIN again.");
}

QString findingOfAnEarlierCheck(const QString& path)
{
    QFile file(damageFindingPath(path));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
} // namespace

StoreOpening TrainingDatabase::open(const QString& folder, const QDateTime& localNow)
{
    disconnect();
    if (!QSqlDatabase::isDriverAvailable(DriverName))
        return {false, missingDriverMessage(), {}};
    if (!QDir().mkpath(folder))
        return {false, QStringLiteral("The folder %1 for the training database cannot be made.").arg(folder), {}};
    const QString path = QDir(folder).filePath(QString::fromLatin1(FileName));
    if (const QString error = lock(path); !error.isEmpty())
        return {false, error, {}};
    StoreOpening opening = openLocked(path, localNow);
    if (!opening.opened)
        m_lock.reset();
    return opening;
}

StoreOpening TrainingDatabase::openLocked(const QString& path, const QDateTime& localNow)
{
    const Inspection inspection = inspect(path);
    if (inspection.health == Health::Unreadable)
        return {
            false, QStringLiteral("The training database %1 cannot be opened: %2").arg(path, inspection.reason), {}};
    if (inspection.health == Health::Sound)
        return openSound(path);

    const SetAside aside = setDamagedDatabaseAside(path, localNow);
    if (!aside.ok) {
        return {false,
                QStringLiteral("The training database %1 is damaged (%2), and it cannot be kept aside to start a new "
                               "one: %3")
                    .arg(path, inspection.reason, aside.error),
                {}};
    }
    StoreOpening opening = openSound(path);
    const QString kept = QStringLiteral("The training database was damaged (%1). It is kept as %2")
                             .arg(inspection.reason, QDir::toNativeSeparators(aside.path));
    if (opening.opened)
        opening.message = kept + QStringLiteral(", and a new one was started.");
    else
        opening.message = kept + QStringLiteral(". ") + opening.message;
    opening.setAsidePath = aside.path;
    return opening;
}

QString TrainingDatabase::lock(const QString& path)
{
    // A lock whose program is gone (killed, crashed) is taken over at once.
    m_lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock())
        return {};
    QString error;
    qint64 pid = 0;
    QString host;
    QString program;
    if (m_lock->error() == QLockFile::LockFailedError && m_lock->getLockInfo(&pid, &host, &program))
        error = QStringLiteral("The training database %1 is in use by another KORVALIN (process %2 on %3); training "
                               "goes on there.")
                    .arg(QDir::toNativeSeparators(path))
                    .arg(pid)
                    .arg(host);
    else
        error = QStringLiteral("The training database %1 cannot be locked for writing (%2).")
                    .arg(QDir::toNativeSeparators(path), m_lock->error() == QLockFile::PermissionError
                                                             ? QStringLiteral("no permission to make a file there")
                                                             : QStringLiteral("a lock file cannot be made"));
    m_lock.reset();
    return error;
}

bool TrainingDatabase::connect(const QString& path, bool readOnly)
{
    m_database = QSqlDatabase::addDatabase(DriverName, m_connectionName);
    m_database.setDatabaseName(path);
    // Waits for another instance's transaction instead of failing at once.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000");
    if (readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    m_database.setConnectOptions(options);
    return m_database.open();
}

void TrainingDatabase::disconnect()
{
    m_open = false;
    m_keystrokeStatements.reset();
    if (m_database.isValid()) {
        m_database.close();
        m_database = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

// Only what is quick: the header, the schema version and the schema. The whole check of every page
// would take a second with a long history; it runs beside the store once it is open (DatabaseCheck.h),
// and what it finds is set aside here at the next opening. Read only, so that looking at a damaged file
// changes none of its bytes: a writing connection would fold a pending -wal into it when it closes.
TrainingDatabase::Inspection TrainingDatabase::inspect(const QString& path)
{
    if (!QFileInfo::exists(path))
        return {};
    if (QFileInfo::exists(damageFindingPath(path)))
        return {Health::Damaged, QStringLiteral("its check found: ") + findingOfAnEarlierCheck(path)};
    if (!connect(path, true)) {
        const QSqlError error = m_database.lastError();
        disconnect();
        return {Health::Unreadable, error.text()};
    }
    Inspection inspection;
    {
        QSqlQuery query(m_database);
        const auto failed = [&query] {
            return Inspection{showsDamage(query.lastError()) ? Health::Damaged : Health::Unreadable,
                              query.lastError().databaseText()};
        };
        if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
            inspection = failed();
        } else if (const int version = query.value(0).toInt(); version > currentTrainingSchemaVersion()) {
            inspection = {Health::Damaged,
                          QStringLiteral("it was written by a newer KORVALIN, schema version %1; this one knows up "
                                         "to %2")
                              .arg(version)
                              .arg(currentTrainingSchemaVersion())};
        } else if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_schema")) || !query.next()) {
            inspection = failed();
        }
    }
    disconnect();
    return inspection;
}

StoreOpening TrainingDatabase::openSound(const QString& path)
{
    QString error;
    if (!connect(path, false))
        error = m_database.lastError().text();
    else
        error = prepare();
    if (!error.isEmpty()) {
        disconnect();
        return {false, QStringLiteral("The training database %1 cannot be opened: %2").arg(path, error), {}};
    }
    m_open = true;
    m_keystrokeCachePath = path + QStringLiteral(".keystrokes");
    return {true, {}, {}};
}

QString TrainingDatabase::prepare()
{
    QSqlQuery query(m_database);
    // The log is fsynced at every commit, so a committed keystroke outlives a power cut as well as a
    // killed program; NORMAL would lose the last commits since a checkpoint on a power cut.
    const QString settings[] = {QStringLiteral("PRAGMA synchronous = FULL"),
                                QStringLiteral("PRAGMA foreign_keys = ON")};
    if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !query.next())
        return query.lastError().text();
    if (const QString mode = query.value(0).toString(); mode != QLatin1String("wal"))
        return QStringLiteral("the file system does not allow its write-ahead log (journal mode %1)").arg(mode);
    query.finish();
    for (const QString& setting : settings) {
        if (!query.exec(setting))
            return query.lastError().text();
    }
    const Migration migration = migrateSchema(m_database, trainingSchemaSteps());
    if (!migration.ok)
        return QStringLiteral("its schema cannot be brought to version %1: %2")
            .arg(currentTrainingSchemaVersion())
            .arg(migration.error);
    return prepareStatements();
}
