#include "../core/CoreApplicationEnvironment.h"
#include "SqliteTrainingStore.h"
#include "StoreTestSupport.h"
#include "TrainingSchema.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {
const auto* const coreApplication = ::testing::AddGlobalTestEnvironment(new CoreApplicationEnvironment);

const QDateTime LocalNow(QDate(2026, 3, 14), QTime(15, 9, 26));
const QString AsideName = QStringLiteral("training.sqlite.damaged-20260314-150926");
const QString Endings[] = {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")};

using Files = std::map<QString, QByteArray>; // by ending: "" for the database itself, "-wal", "-shm"

Files filesOf(const QString& path)
{
    Files files;
    for (const QString& ending : Endings) {
        if (QFileInfo::exists(path + ending))
            files[ending] = fileBytes(path + ending);
    }
    return files;
}

void writeNewerSchema(const QString& path)
{
    OtherConnection other(path, false);
    QSqlQuery query(other.database());
    query.exec(QStringLiteral("CREATE TABLE sessions (session_id INTEGER PRIMARY KEY, planet TEXT)"));
    query.exec(QStringLiteral("INSERT INTO sessions VALUES (1, 'mars')"));
    query.exec(QStringLiteral("PRAGMA user_version = %1").arg(currentTrainingSchemaVersion() + 1));
}

// Damage the quick look at an opening does not see: the header and the schema are whole.
void writeWithDamagedPage(const QString& path)
{
    {
        SqliteTrainingStore store(QFileInfo(path).path());
        ASSERT_TRUE(store.open().opened);
        const qint64 session = store.startSession(TrainingMode::Recite, TrainingNumber::Pi, 1, LocalNow.toUTC());
        for (int seq = 1; seq <= 50; ++seq)
            store.addKeystroke({session, seq, seq, seq % 10, seq % 10, seq * 100});
    }
    // The page after the header page, a table's, gets a page type that does not exist.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(4096));
    ASSERT_EQ(file.write(QByteArray(8, '\xff')), 8);
}

// A newer program's database killed before its log was folded in: the schema version lies in the
// log, and the log must be kept with it.
void writeNewerSchemaWithPendingLog(const QString& path)
{
    QTemporaryDir elsewhere;
    const QString source = elsewhere.filePath(QStringLiteral("training.sqlite"));
    OtherConnection other(source, false);
    QSqlQuery query(other.database());
    query.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    query.exec(QStringLiteral("CREATE TABLE sessions (session_id INTEGER PRIMARY KEY)"));
    query.exec(QStringLiteral("PRAGMA user_version = %1").arg(currentTrainingSchemaVersion() + 1));
    ASSERT_GT(QFileInfo(source + QStringLiteral("-wal")).size(), 0);
    QFile::copy(source, path);
    QFile::copy(source + QStringLiteral("-wal"), path + QStringLiteral("-wal"));
}

struct DamageCase
{
    const char* name;
    std::function<void(const QString& path)> make;
    const char* reason; // a part of what the competitor is told
};

void PrintTo(const DamageCase& damage, std::ostream* out)
{
    *out << damage.name;
}

class DamagedTrainingDatabase : public ::testing::TestWithParam<DamageCase>
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name = QStringLiteral("training.sqlite")) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

const DamageCase DamageCases[] = {
    {"notADatabase",
     [](const QString& path) {
         writeBytes(path, QByteArray("Blocks 1 to 12 learned; the junction 7/8 keeps failing.\n").repeated(80));
         writeBytes(path + QStringLiteral("-wal"), QByteArray("a log of something else").repeated(10));
     },
     "not a database"},
    {"newerSchema", writeNewerSchema, "newer KORVALIN"},
    {"newerSchemaWithPendingLog", writeNewerSchemaWithPendingLog, "newer KORVALIN"},
};
} // namespace

TEST_P(DamagedTrainingDatabase, isKeptAsideByteForByteAndANewOneIsStarted)
{
    GetParam().make(path());
    const Files before = filesOf(path());
    ASSERT_FALSE(before.empty());

    SqliteTrainingStore store(m_dir.path());
    const StoreOpening opening = store.open(LocalNow);
    ASSERT_TRUE(opening.opened) << qPrintable(opening.message);
    EXPECT_EQ(opening.setAsidePath, path(AsideName));
    EXPECT_TRUE(opening.message.contains(path(AsideName))) << qPrintable(opening.message);
    EXPECT_TRUE(opening.message.contains(QLatin1String(GetParam().reason))) << qPrintable(opening.message);

    // Every byte that was there is kept. Looking at a database in WAL mode may have added an empty log
    // and the log's index (-shm, SQLite's to rewrite), nothing more.
    Files after = filesOf(path(AsideName));
    for (const auto& [ending, bytes] : before) {
        if (ending != QLatin1String("-shm")) {
            EXPECT_EQ(after[ending], bytes) << qPrintable(ending);
        }
    }
    if (before.count(QStringLiteral("-wal")) == 0 && after.count(QStringLiteral("-wal")) != 0) {
        EXPECT_TRUE(after[QStringLiteral("-wal")].isEmpty());
    }

    const qint64 session = store.startSession(TrainingMode::Learn, TrainingNumber::Pi, 1, LocalNow.toUTC());
    store.addKeystroke({session, 1, 1, 1, 1, 500});
    EXPECT_EQ(session, 1);
    EXPECT_EQ(store.sessionSummaries().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedTrainingDatabase, ::testing::ValuesIn(DamageCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DamagedTrainingDatabaseNames, aSecondDamageInTheSameSecond_isNumbered)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("training.sqlite"));
    for (const QString& expected :
         QStringList{AsideName, AsideName + QStringLiteral("-2"), AsideName + QStringLiteral("-3")}) {
        ASSERT_TRUE(writeBytes(path, QByteArray("no database").repeated(100)));
        SqliteTrainingStore store(dir.path());
        EXPECT_EQ(store.open(LocalNow).setAsidePath, dir.filePath(expected));
    }
}

TEST(DamagedTrainingDatabaseNames, aSoundDatabaseOfAnOlderOpening_isNotSetAside)
{
    QTemporaryDir dir;
    for (int opening = 0; opening < 2; ++opening) {
        SqliteTrainingStore store(dir.path());
        const StoreOpening result = store.open(LocalNow);
        EXPECT_TRUE(result.opened);
        EXPECT_TRUE(result.setAsidePath.isEmpty());
    }
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*damaged*")}, QDir::Files).size(), 0);
}

TEST(DamagedTrainingDatabaseCheck, damageFoundByTheCheckOfAnOpenStore_isToldAndSetAsideAtTheNextOpening)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("training.sqlite"));
    writeWithDamagedPage(path);
    {
        SqliteTrainingStore store(dir.path());
        FailureLog failures(store);
        const StoreOpening opening = store.open(LocalNow);
        ASSERT_TRUE(opening.opened) << qPrintable(opening.message);
        EXPECT_TRUE(opening.setAsidePath.isEmpty());
        store.waitForCheck();
        const QStringList told = failures.take(store);
        ASSERT_EQ(told.size(), 1);
        EXPECT_TRUE(told[0].contains(QLatin1String("damaged"))) << qPrintable(told[0]);
        EXPECT_TRUE(told[0].contains(QLatin1String("starts next"))) << qPrintable(told[0]);
    }
    const Files before = filesOf(path);
    const QByteArray finding = fileBytes(path + QStringLiteral("-damage"));

    SqliteTrainingStore store(dir.path());
    const StoreOpening opening = store.open(LocalNow);
    ASSERT_TRUE(opening.opened) << qPrintable(opening.message);
    EXPECT_EQ(opening.setAsidePath, dir.filePath(AsideName));
    EXPECT_TRUE(opening.message.contains(QString::fromUtf8(finding))) << qPrintable(opening.message);
    EXPECT_EQ(filesOf(dir.filePath(AsideName))[QString()], before.at(QString()));
    EXPECT_EQ(fileBytes(dir.filePath(AsideName) + QStringLiteral("-damage")), finding);
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral("-damage")));
    store.waitForCheck();
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral("-damage"))) << "the new database was found damaged";
}
