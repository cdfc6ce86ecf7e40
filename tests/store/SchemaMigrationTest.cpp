#include "SchemaMigration.h"
#include "../core/CoreApplicationEnvironment.h"
#include "SqliteTrainingStore.h"
#include "StoreTestSupport.h"
#include "TrainingSchema.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const auto* const coreApplication = ::testing::AddGlobalTestEnvironment(new CoreApplicationEnvironment);

// A schema of three steps, each of which fails when run a second time.
const SchemaSteps ThreeSteps = {
    {1, {QStringLiteral("CREATE TABLE notes (block INTEGER PRIMARY KEY)")}},
    {2, {QStringLiteral("ALTER TABLE notes ADD COLUMN text TEXT NOT NULL DEFAULT ''")}},
    {3, {QStringLiteral("CREATE INDEX notes_by_text ON notes (text)")}},
};

SchemaSteps firstSteps(const SchemaSteps& steps, int version)
{
    SchemaSteps first;
    for (const SchemaStep& step : steps) {
        if (step.version <= version)
            first.push_back(step);
    }
    return first;
}

class SchemaMigrationTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path() const { return m_dir.filePath(QStringLiteral("training.sqlite")); }

    QTemporaryDir m_dir;
};
} // namespace

TEST_F(SchemaMigrationTest, trainingDatabaseOfEveryEarlierVersion_opensAtTheCurrentOne)
{
    for (int version = 0; version < currentTrainingSchemaVersion(); ++version) {
        SCOPED_TRACE(version);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("training.sqlite"));
        {
            OtherConnection earlier(file, false);
            QSqlDatabase database = earlier.database();
            ASSERT_TRUE(migrateSchema(database, firstSteps(trainingSchemaSteps(), version)).ok);
        }
        SqliteTrainingStore store(dir.path());
        const StoreOpening opening = store.open();
        ASSERT_TRUE(opening.opened) << qPrintable(opening.message);
        EXPECT_TRUE(opening.setAsidePath.isEmpty());
        const qint64 session =
            store.startSession(TrainingMode::Drill, TrainingNumber::Sqrt2, 5001, utc("2026-03-01T08:00:00.000Z"));
        store.addKeystroke({session, 1, 5001, 3, 3, 700});
        EXPECT_EQ(store.keystrokes(session).size(), 1u);
        EXPECT_EQ(store.settings(), TrainingSettings());
        store.saveSettings({0.8, 0, 20.0});
        EXPECT_EQ(store.settings(), (TrainingSettings{0.8, 0, 20.0}));
        OtherConnection after(file);
        EXPECT_EQ(after.value(QStringLiteral("PRAGMA user_version")).toInt(), currentTrainingSchemaVersion());
    }
}

TEST_F(SchemaMigrationTest, versionOneHistory_isKeptAndGainsNotes)
{
    {
        OtherConnection earlier(path(), false);
        QSqlDatabase database = earlier.database();
        ASSERT_TRUE(migrateSchema(database, firstSteps(trainingSchemaSteps(), 1)).ok);
        QSqlQuery insert(database);
        ASSERT_TRUE(
            insert.exec(QStringLiteral("INSERT INTO sessions (session_id, mode, number, first_position, "
                                       "started_utc) VALUES (7, 'learn', 'e', 101, '2026-03-01T08:00:00.000Z')")));
        ASSERT_TRUE(insert.exec(QStringLiteral("INSERT INTO keystrokes VALUES (7, 1, 101, 7, 7, 900)")));
    }
    SqliteTrainingStore store(m_dir.path());
    ASSERT_TRUE(store.open().opened);
    EXPECT_EQ(store.keystrokes(7), (std::vector<StoredKeystroke>{{7, 1, 101, 7, 7, 900}}));
    EXPECT_EQ(store.startSession(TrainingMode::Learn, TrainingNumber::E, 201, utc("2026-03-02T08:00:00.000Z")), 8);
    store.saveNote({QStringLiteral("e/block/2"), QStringLiteral("a swan")});
    EXPECT_EQ(store.notes(), (std::vector<StoredNote>{{QStringLiteral("e/block/2"), QStringLiteral("a swan")}}));
}

TEST_F(SchemaMigrationTest, versionTwoHistory_isKeptAndGainsSettings)
{
    {
        OtherConnection earlier(path(), false);
        QSqlDatabase database = earlier.database();
        ASSERT_TRUE(migrateSchema(database, firstSteps(trainingSchemaSteps(), 2)).ok);
        QSqlQuery insert(database);
        ASSERT_TRUE(
            insert.exec(QStringLiteral("INSERT INTO sessions (session_id, mode, number, first_position, "
                                       "started_utc) VALUES (3, 'review', 'pi', 201, '2026-03-01T08:00:00.000Z')")));
        ASSERT_TRUE(insert.exec(QStringLiteral("INSERT INTO item_notes VALUES ('pi/block/3', 'a kettle')")));
    }
    SqliteTrainingStore store(m_dir.path());
    ASSERT_TRUE(store.open().opened);
    EXPECT_EQ(store.sessionSummaries().size(), 1u);
    EXPECT_EQ(store.notes(), (std::vector<StoredNote>{{QStringLiteral("pi/block/3"), QStringLiteral("a kettle")}}));
    EXPECT_EQ(store.settings(), TrainingSettings());
    store.saveSettings({0.95, 2, std::nullopt});
    EXPECT_EQ(store.settings(), (TrainingSettings{0.95, 2, std::nullopt}));
}

TEST_F(SchemaMigrationTest, emptyFile_isANewDatabase)
{
    ASSERT_TRUE(writeBytes(path(), {}));
    SqliteTrainingStore store(m_dir.path());
    const StoreOpening opening = store.open();
    EXPECT_TRUE(opening.opened) << qPrintable(opening.message);
    EXPECT_TRUE(opening.setAsidePath.isEmpty());
}

TEST_F(SchemaMigrationTest, fromEachEarlierVersion_runsEachLaterStepOnce)
{
    for (int version = 0; version < 3; ++version) {
        SCOPED_TRACE(version);
        QTemporaryDir dir;
        OtherConnection connection(dir.filePath(QStringLiteral("t.sqlite")), false);
        QSqlDatabase database = connection.database();
        ASSERT_TRUE(migrateSchema(database, firstSteps(ThreeSteps, version)).ok);

        const Migration migration = migrateSchema(database, ThreeSteps);
        EXPECT_TRUE(migration.ok) << qPrintable(migration.error);
        EXPECT_EQ(migration.fromVersion, version);
        EXPECT_EQ(migration.toVersion, 3);
        EXPECT_EQ(schemaVersion(database), 3);
        EXPECT_EQ(connection.value(QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'index'")),
                  QStringLiteral("notes_by_text"));
        // Run again, nothing is left to do.
        EXPECT_TRUE(migrateSchema(database, ThreeSteps).ok);
    }
}

TEST_F(SchemaMigrationTest, failingStep_isRolledBackWholeAndTheVersionStaysAtTheLastGoodOne)
{
    SchemaSteps steps = firstSteps(ThreeSteps, 1);
    steps.push_back({2,
                     {QStringLiteral("CREATE TABLE loci (number INTEGER)"),
                      QStringLiteral("ALTER TABLE notes ADD COLUMN block INTEGER")}});
    OtherConnection connection(path(), false);
    QSqlDatabase database = connection.database();

    const Migration migration = migrateSchema(database, steps);
    EXPECT_FALSE(migration.ok);
    EXPECT_EQ(migration.toVersion, 1);
    EXPECT_TRUE(migration.error.contains(QLatin1String("ALTER TABLE notes"))) << qPrintable(migration.error);
    EXPECT_EQ(schemaVersion(database), 1);
    EXPECT_EQ(connection.value(QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE name = 'loci'")),
              QStringLiteral("0"));
}

TEST_F(SchemaMigrationTest, newerDatabase_isLeftAlone)
{
    OtherConnection connection(path(), false);
    QSqlDatabase database = connection.database();
    QSqlQuery(database).exec(QStringLiteral("PRAGMA user_version = 9"));

    const Migration migration = migrateSchema(database, ThreeSteps);
    EXPECT_FALSE(migration.ok);
    EXPECT_EQ(migration.fromVersion, 9);
    EXPECT_EQ(schemaVersion(database), 9);
    EXPECT_EQ(connection.value(QStringLiteral("SELECT count(*) FROM sqlite_schema")), QStringLiteral("0"));
}
