#include "SqliteTrainingStore.h"
#include "../core/CoreApplicationEnvironment.h"
#include "StoreTestSupport.h"
#include "TrainingSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>
#include <tuple>

#include <gtest/gtest.h>

namespace {
const auto* const coreApplication = ::testing::AddGlobalTestEnvironment(new CoreApplicationEnvironment);

class SqliteTrainingStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString databasePath() const { return m_dir.filePath(QStringLiteral("training.sqlite")); }

    // One session of each kind of row, written and closed.
    void writeOneOfEach()
    {
        SqliteTrainingStore store(m_dir.path());
        ASSERT_TRUE(store.open().opened);
        const qint64 session =
            store.startSession(TrainingMode::Review, TrainingNumber::E, 301, utc("2026-03-01T08:00:00.250Z"));
        store.addKeystroke({session, 1, 301, 7, 7, 800});
        store.addKeystroke({session, 2, 302, 2, 3, 1500});
        store.saveItemState({QStringLiteral("e-junction-3"), TrainingNumber::E, ItemKind::Junction, 296, 305, 2.5, 6.25,
                             utc("2026-03-05T08:00:00.000Z"), 4, 1});
        store.addReview({QStringLiteral("e-junction-3"), session, utc("2026-03-01T08:00:01.500Z"), 1});
        store.finishSession(session, 1.75);
    }

    QTemporaryDir m_dir;
};
} // namespace

TEST_F(SqliteTrainingStoreTest, newDatabase_isInTheDataFolderWithItsLogAheadAndTheCurrentSchema)
{
    SqliteTrainingStore store(m_dir.path());
    const StoreOpening opening = store.open();
    ASSERT_TRUE(opening.opened) << qPrintable(opening.message);
    EXPECT_TRUE(opening.message.isEmpty());
    EXPECT_TRUE(opening.setAsidePath.isEmpty());
    EXPECT_EQ(store.filePath(), databasePath());

    OtherConnection other(databasePath());
    EXPECT_EQ(other.value(QStringLiteral("PRAGMA journal_mode")), QStringLiteral("wal"));
    EXPECT_EQ(other.value(QStringLiteral("PRAGMA user_version")).toInt(), currentTrainingSchemaVersion());
}

TEST_F(SqliteTrainingStoreTest, views_haveTheDocumentedNamesAndColumns)
{
    SqliteTrainingStore store(m_dir.path());
    ASSERT_TRUE(store.open().opened);
    OtherConnection other(databasePath());
    for (const TrainingView view : AllTrainingViews) {
        SCOPED_TRACE(qPrintable(viewName(view)));
        QStringList columns;
        for (const QString& row : other.rows(QStringLiteral("PRAGMA table_info(%1)").arg(viewName(view))))
            columns << row.section(QLatin1Char('|'), 1, 1);
        EXPECT_EQ(columns, viewColumns(view));
    }
}

TEST_F(SqliteTrainingStoreTest, rows_readByAnotherProgramThroughTheViews)
{
    writeOneOfEach();
    OtherConnection other(databasePath());
    EXPECT_EQ(other.rows(QStringLiteral("SELECT * FROM session_summary")),
              QStringList{QStringLiteral("1|review|e|301|2026-03-01T08:00:00.250Z|1.75|2|1")});
    EXPECT_EQ(other.rows(QStringLiteral("SELECT * FROM keystroke_log ORDER BY seq")),
              (QStringList{QStringLiteral("1|1|301|7|7|800"), QStringLiteral("1|2|302|2|3|1500")}));
    EXPECT_EQ(other.rows(QStringLiteral("SELECT * FROM item_state")),
              QStringList{QStringLiteral("e-junction-3|e|junction|296|305|2.5|6.25|2026-03-05T08:00:00.000Z|4|1")});
    EXPECT_EQ(other.rows(QStringLiteral("SELECT * FROM review_log")),
              QStringList{QStringLiteral("e-junction-3|1|2026-03-01T08:00:01.500Z|1")});
}

TEST_F(SqliteTrainingStoreTest, reopened_keepsEverythingAndNumbersSessionsOn)
{
    writeOneOfEach();
    SqliteTrainingStore store(m_dir.path());
    ASSERT_TRUE(store.open().opened);
    EXPECT_EQ(store.sessionSummaries().size(), 1u);
    EXPECT_EQ(store.keystrokes(1).size(), 2u);
    EXPECT_EQ(store.itemStates().size(), 1u);
    EXPECT_EQ(store.reviews().size(), 1u);
    EXPECT_EQ(store.startSession(TrainingMode::Learn, TrainingNumber::Pi, 1, QDateTime::currentDateTimeUtc()), 2);
}

TEST_F(SqliteTrainingStoreTest, beforeItOpens_theStoreKeepsNothing)
{
    SqliteTrainingStore store(m_dir.path());
    store.startSession(TrainingMode::Learn, TrainingNumber::Pi, 1, QDateTime::currentDateTimeUtc());
    EXPECT_TRUE(store.sessionSummaries().empty());
    EXPECT_FALSE(QFile::exists(databasePath()));
}

TEST_F(SqliteTrainingStoreTest, unopenablePlaces_areReportedAndLeftAsTheyAre)
{
    // Neither is damage: nothing may be renamed.
    const QString fileAsFolder = m_dir.filePath(QStringLiteral("a-file"));
    ASSERT_TRUE(writeBytes(fileAsFolder, "not a folder"));
    SqliteTrainingStore inAFile(fileAsFolder);
    const StoreOpening fromFile = inAFile.open();
    EXPECT_FALSE(fromFile.opened);
    EXPECT_TRUE(fromFile.message.contains(fileAsFolder)) << qPrintable(fromFile.message);

    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("training.sqlite")));
    SqliteTrainingStore onAFolder(m_dir.path());
    const StoreOpening fromFolder = onAFolder.open();
    EXPECT_FALSE(fromFolder.opened);
    EXPECT_TRUE(fromFolder.setAsidePath.isEmpty());
    EXPECT_TRUE(fromFolder.message.contains(databasePath())) << qPrintable(fromFolder.message);
    EXPECT_TRUE(QFileInfo(databasePath()).isDir());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
}

TEST_F(SqliteTrainingStoreTest, secondStoreOnTheSameFile_isRefusedUntilTheFirstCloses)
{
    auto first = std::make_unique<SqliteTrainingStore>(m_dir.path());
    ASSERT_TRUE(first->open().opened);
    SqliteTrainingStore second(m_dir.path());
    const StoreOpening refused = second.open();
    EXPECT_FALSE(refused.opened);
    EXPECT_TRUE(refused.message.contains(QLatin1String("in use by another KORVALIN"))) << qPrintable(refused.message);
    EXPECT_TRUE(refused.setAsidePath.isEmpty());

    first.reset();
    EXPECT_TRUE(second.open().opened);
}

namespace {
using KeystrokeRow = std::tuple<qint32, qint32, int, int, int>;

std::vector<KeystrokeRow> rowsOf(const std::vector<HistoryKeystroke>& keystrokes)
{
    std::vector<KeystrokeRow> rows;
    for (const HistoryKeystroke& k : keystrokes)
        rows.emplace_back(k.sessionId, k.ms, k.position, k.expected, k.typed);
    return rows;
}

// Types `count` digits into `session` from `firstSeq` on.
void typeInto(TrainingStore& store, qint64 session, int firstSeq, int count)
{
    for (int seq = firstSeq; seq < firstSeq + count; ++seq)
        store.addKeystroke({session, seq, seq, seq % 10, (seq * 7) % 10, seq * 250});
}
} // namespace

// The keystrokes of the progress views come partly from a copy beside the database; whatever became of
// that copy, they are the database's own.
TEST_F(SqliteTrainingStoreTest, keystrokeHistory_isTheDatabasesWhateverTheCopyBesideItHolds)
{
    const QString cachePath = databasePath() + QStringLiteral(".keystrokes");
    QTemporaryDir otherDir;
    {
        SqliteTrainingStore other(otherDir.path());
        ASSERT_TRUE(other.open().opened);
        typeInto(other, other.startSession(TrainingMode::Recite, TrainingNumber::E, 1, utc("2026-01-01T08:00:00Z")), 1,
                 40);
        ASSERT_EQ(other.keystrokeHistory().size(), 40u);
    }
    struct Case
    {
        const char* name;
        std::function<void()> damage;
        bool cachedSessionGrows = false;
    };
    const auto rewrite = [&cachePath](const std::function<void(QByteArray&)>& change) {
        QFile file(cachePath);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        change(bytes);
        ASSERT_TRUE(file.resize(0));
        ASSERT_TRUE(file.seek(0));
        file.write(bytes);
    };
    const Case cases[] = {
        {"left as it was written", [] {}},
        {"left as it was written, and a session it holds gains keystrokes", [] {}, true},
        {"removed", [&cachePath] { QFile::remove(cachePath); }},
        {"a keystroke's byte changed", [&] { rewrite([](QByteArray& bytes) { bytes[bytes.size() - 5] ^= 0x40; }); }},
        {"cut short", [&] { rewrite([](QByteArray& bytes) { bytes.chop(12); }); }},
        {"another database's",
         [&] {
             QFile::remove(cachePath);
             ASSERT_TRUE(
                 QFile::copy(QDir(otherDir.path()).filePath(QStringLiteral("training.sqlite.keystrokes")), cachePath));
         }},
        {"not a copy at all", [&] { rewrite([](QByteArray& bytes) { bytes = "hello"; }); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        qint64 first = 0;
        qint64 second = 0;
        {
            SqliteTrainingStore store(m_dir.path());
            ASSERT_TRUE(store.open().opened);
            first = store.startSession(TrainingMode::Recite, TrainingNumber::Pi, 1, utc("2026-03-01T08:00:00Z"));
            second = store.startSession(TrainingMode::Drill, TrainingNumber::Pi, 1, utc("2026-03-01T09:00:00Z"));
            typeInto(store, first, 1, 30);
            typeInto(store, second, 1, 20);
            ASSERT_EQ(store.keystrokeHistory().size(), 50u);
            ASSERT_TRUE(QFileInfo::exists(cachePath)) << "the first read keeps a copy";
        }
        c.damage();
        SqliteTrainingStore store(m_dir.path());
        ASSERT_TRUE(store.open().opened);
        // A new session comes after those the copy holds.
        if (c.cachedSessionGrows)
            typeInto(store, second, 21, 5);
        typeInto(store, store.startSession(TrainingMode::Recite, TrainingNumber::Pi, 1, utc("2026-03-02T08:00:00Z")), 1,
                 10);
        const std::vector<HistoryKeystroke> read = store.keystrokeHistory();
        const std::vector<HistoryKeystroke> again = store.keystrokeHistory();
        QFile::remove(cachePath);
        const std::vector<HistoryKeystroke> truth = store.keystrokeHistory();
        ASSERT_EQ(truth.size(), c.cachedSessionGrows ? 65u : 60u);
        EXPECT_EQ(rowsOf(read), rowsOf(truth));
        EXPECT_EQ(rowsOf(again), rowsOf(truth));
    }
}

TEST_F(SqliteTrainingStoreTest, settings_areKeptAcrossRunsInTheirTable)
{
    {
        SqliteTrainingStore store(m_dir.path());
        ASSERT_TRUE(store.open().opened);
        store.saveSettings({0.8, 2, 30.0});
    }
    OtherConnection other(databasePath());
    EXPECT_EQ(other.rows(QStringLiteral("SELECT * FROM settings")), QStringList{QStringLiteral("1|0.8|2|30")});

    SqliteTrainingStore store(m_dir.path());
    ASSERT_TRUE(store.open().opened);
    EXPECT_EQ(store.settings(), (TrainingSettings{0.8, 2, 30.0}));
}

TEST_F(SqliteTrainingStoreTest, settingsEditedOutOfTheirRangesByHand_readAsTheirDefaults)
{
    struct Case
    {
        const char* values;
        TrainingSettings read;
    };
    const Case cases[] = {
        {"0.5, 2, 30", {0.9, 2, 30.0}},           {"1.0, 2, 30", {0.9, 2, 30.0}},
        {"0.8, -1, 30", {0.8, 1, 30.0}},          {"0.8, 500, 30", {0.8, 1, 30.0}},
        {"0.8, 2, 1", {0.8, 2, std::nullopt}},    {"0.8, 2, 100000", {0.8, 2, std::nullopt}},
        {"0.8, 2, NULL", {0.8, 2, std::nullopt}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values);
        QTemporaryDir dir;
        {
            SqliteTrainingStore store(dir.path());
            ASSERT_TRUE(store.open().opened);
        }
        {
            OtherConnection writer(dir.filePath(QStringLiteral("training.sqlite")), false);
            ASSERT_TRUE(QSqlQuery(writer.database())
                            .exec(QStringLiteral("INSERT INTO settings VALUES (1, %1)").arg(QLatin1String(c.values))));
        }
        SqliteTrainingStore store(dir.path());
        ASSERT_TRUE(store.open().opened);
        EXPECT_EQ(store.settings(), c.read);
    }
}
