// What every training store does, the SQLite one and the fake alike, so that tests written against the
// fake hold for the program.
#include "../core/CoreApplicationEnvironment.h"
#include "FakeTrainingStore.h"
#include "SqliteTrainingStore.h"
#include "StoreTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {
const auto* const coreApplication = ::testing::AddGlobalTestEnvironment(new CoreApplicationEnvironment);

template <class Store> std::unique_ptr<TrainingStore> makeStore(const QString& folder);

template <> std::unique_ptr<TrainingStore> makeStore<SqliteTrainingStore>(const QString& folder)
{
    auto store = std::make_unique<SqliteTrainingStore>(folder);
    const StoreOpening opening = store->open();
    EXPECT_TRUE(opening.opened) << qPrintable(opening.message);
    return store;
}

template <> std::unique_ptr<TrainingStore> makeStore<FakeTrainingStore>(const QString&)
{
    return std::make_unique<FakeTrainingStore>();
}

StoredItemState blockState()
{
    return {QStringLiteral("pi-block-2"),
            TrainingNumber::Pi,
            ItemKind::Block,
            101,
            200,
            3.1730,
            5.28205,
            utc("2026-03-04T07:00:00.000Z"),
            1,
            0};
}

StoredItemState junctionState()
{
    // Doubles that print long, so that a rounding on the way shows.
    return {QStringLiteral("e-junction-7"),
            TrainingNumber::E,
            ItemKind::Junction,
            696,
            705,
            0.1 + 0.2,
            1.0 / 3.0,
            utc("2026-03-10T23:59:59.999Z"),
            12,
            3};
}

template <class Store> class TrainingStoreContract : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_store = makeStore<Store>(m_dir.path());
        m_failures = std::make_unique<FailureLog>(*m_store);
    }

    // A recital of pi from digit 1: 1, 4, 1, 5, 9 expected; the third and fifth typed wrong.
    qint64 reciteFiveDigits()
    {
        const qint64 session =
            m_store->startSession(TrainingMode::Recite, TrainingNumber::Pi, 1, utc("2026-03-01T08:00:00.250Z"));
        for (const StoredKeystroke& keystroke : fiveKeystrokes(session))
            m_store->addKeystroke(keystroke);
        return session;
    }

    static std::vector<StoredKeystroke> fiveKeystrokes(qint64 session)
    {
        return {{session, 1, 1, 1, 1, 900},
                {session, 2, 2, 4, 4, 1350},
                {session, 3, 3, 1, 7, 2100},
                {session, 4, 4, 5, 5, 2480},
                {session, 5, 5, 9, 0, 3075}};
    }

    QStringList failures() { return m_failures->take(*m_store); }

    QTemporaryDir m_dir;
    std::unique_ptr<TrainingStore> m_store;
    std::unique_ptr<FailureLog> m_failures;
};

using Stores = ::testing::Types<SqliteTrainingStore, FakeTrainingStore>;
class StoreNames
{
public:
    template <class Store> static std::string GetName(int)
    {
        return std::is_same_v<Store, FakeTrainingStore> ? "Fake" : "Sqlite";
    }
};
TYPED_TEST_SUITE(TrainingStoreContract, Stores, StoreNames);
} // namespace

TYPED_TEST(TrainingStoreContract, sessionsAreNumberedFromOne)
{
    EXPECT_EQ(
        this->m_store->startSession(TrainingMode::Learn, TrainingNumber::Sqrt2, 1, QDateTime::currentDateTimeUtc()), 1);
    EXPECT_EQ(
        this->m_store->startSession(TrainingMode::Drill, TrainingNumber::E, 4001, QDateTime::currentDateTimeUtc()), 2);
    EXPECT_TRUE(this->failures().isEmpty());
}

TYPED_TEST(TrainingStoreContract, keystrokes_comeBackInOrderAndCountIntoTheirSessionOnly)
{
    const qint64 recital = this->reciteFiveDigits();
    const qint64 other =
        this->m_store->startSession(TrainingMode::Review, TrainingNumber::Pi, 101, utc("2026-03-01T09:00:00.000Z"));
    this->m_store->addKeystroke({other, 1, 101, 8, 8, 600});

    EXPECT_EQ(this->m_store->keystrokes(recital), this->fiveKeystrokes(recital));
    const std::vector<StoredSession> sessions = this->m_store->sessionSummaries();
    ASSERT_EQ(sessions.size(), 2u);
    // Until its end comes, a session lasts until its last keystroke.
    EXPECT_EQ(sessions[0], (StoredSession{recital, TrainingMode::Recite, TrainingNumber::Pi, 1,
                                          utc("2026-03-01T08:00:00.250Z"), 3.075, 5, 3}));
    EXPECT_EQ(sessions[1], (StoredSession{other, TrainingMode::Review, TrainingNumber::Pi, 101,
                                          utc("2026-03-01T09:00:00.000Z"), 0.6, 1, 1}));
    EXPECT_TRUE(this->failures().isEmpty());
}

TYPED_TEST(TrainingStoreContract, finishedSession_lastsAsItsEndSaysToTheMillisecond)
{
    const qint64 session = this->reciteFiveDigits();
    this->m_store->finishSession(session, 12.3456);
    const std::vector<StoredSession> sessions = this->m_store->sessionSummaries();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_DOUBLE_EQ(sessions[0].seconds, 12.346);
    EXPECT_EQ(sessions[0].typed, 5);
}

TYPED_TEST(TrainingStoreContract, itemStates_comeBackWholeAndASecondSaveReplacesTheFirst)
{
    this->m_store->saveItemState(junctionState());
    this->m_store->saveItemState(blockState());
    EXPECT_EQ(this->m_store->itemStates(), (std::vector{junctionState(), blockState()}));

    StoredItemState reviewed = blockState();
    reviewed.stability = 11.5;
    reviewed.difficulty = 4.75;
    reviewed.dueUtc = utc("2026-03-15T07:00:00.000Z");
    reviewed.reps = 2;
    this->m_store->saveItemState(reviewed);
    EXPECT_EQ(this->m_store->itemStates(), (std::vector{junctionState(), reviewed}));
    EXPECT_TRUE(this->failures().isEmpty());
}

TYPED_TEST(TrainingStoreContract, reviews_comeBackInTheOrderTheyWereMade)
{
    const qint64 session =
        this->m_store->startSession(TrainingMode::Review, TrainingNumber::Pi, 101, utc("2026-03-04T07:00:00.000Z"));
    this->m_store->saveItemState(blockState());
    this->m_store->saveItemState(junctionState());
    const StoredReview later{QStringLiteral("pi-block-2"), session, utc("2026-03-04T07:05:00.000Z"), 1};
    const StoredReview earlier{QStringLiteral("e-junction-7"), session, utc("2026-03-04T07:01:30.500Z"), 4};
    const StoredReview sameTime{QStringLiteral("pi-block-2"), session, utc("2026-03-04T07:01:30.500Z"), 2};
    this->m_store->addReview(later);
    this->m_store->addReview(earlier);
    this->m_store->addReview(sameTime);
    EXPECT_EQ(this->m_store->reviews(), (std::vector{earlier, sameTime, later}));
    EXPECT_TRUE(this->failures().isEmpty());
}

TYPED_TEST(TrainingStoreContract, notes_comeBackByItemAndASecondSaveReplacesOrRemovesTheFirst)
{
    // A note may come before its item's first review: no item state is saved here.
    const StoredNote lighthouse{QStringLiteral("pi/block/2"), QStringLiteral("a lighthouse, \"27\", on the stairs")};
    const StoredNote locus{QStringLiteral("e/block/1"), QStringLiteral("front door\nthen the hall")};
    this->m_store->saveNote(lighthouse);
    this->m_store->saveNote(locus);
    EXPECT_EQ(this->m_store->notes(), (std::vector{locus, lighthouse}));

    const StoredNote rewritten{QStringLiteral("pi/block/2"), QStringLiteral("a swan")};
    this->m_store->saveNote(rewritten);
    this->m_store->saveNote({QStringLiteral("e/block/1"), QString()});
    EXPECT_EQ(this->m_store->notes(), std::vector{rewritten});
    // Removing a note that is not there is no fault.
    this->m_store->saveNote({QStringLiteral("sqrt2/block/9"), QString()});
    EXPECT_EQ(this->m_store->notes(), std::vector{rewritten});
    EXPECT_TRUE(this->failures().isEmpty());
}

TYPED_TEST(TrainingStoreContract, settings_areTheDefaultsUntilSavedAndASecondSaveReplacesTheFirst)
{
    EXPECT_EQ(this->m_store->settings(), TrainingSettings());

    const TrainingSettings capped{0.85, 3, 45.0};
    this->m_store->saveSettings(capped);
    EXPECT_EQ(this->m_store->settings(), capped);

    // No cap and no new blocks are values of their own, not the defaults.
    const TrainingSettings uncapped{0.97, 0, std::nullopt};
    this->m_store->saveSettings(uncapped);
    EXPECT_EQ(this->m_store->settings(), uncapped);
    EXPECT_TRUE(this->failures().isEmpty());
}

TYPED_TEST(TrainingStoreContract, refusedWrites_areReportedAndKeepNothing)
{
    struct Case
    {
        const char* what;
        std::function<void(TrainingStore&, qint64 session)> write;
    };
    const Case cases[] = {
        {"a keystroke of a session never started",
         [](TrainingStore& store, qint64 session) {
             store.addKeystroke({session + 1, 1, 1, 1, 1, 10});
         }},
        {"a second keystroke with the same number",
         [](TrainingStore& store, qint64 session) {
             store.addKeystroke({session, 1, 2, 4, 4, 20});
         }},
        {"a digit that is not one",
         [](TrainingStore& store, qint64 session) {
             store.addKeystroke({session, 2, 2, 4, 10, 20});
         }},
        {"a review of an item never saved",
         [](TrainingStore& store, qint64 session) {
             store.addReview({QStringLiteral("pi-block-9"), session, utc("2026-03-04T07:00:00.000Z"), 3});
         }},
        {"a rating beyond Easy",
         [](TrainingStore& store, qint64 session) {
             store.addReview({QStringLiteral("pi-block-2"), session, utc("2026-03-04T07:00:00.000Z"), 5});
         }},
        {"a note without its item",
         [](TrainingStore& store, qint64) {
             store.saveNote({QString(), QStringLiteral("a swan")});
         }},
        {"an item that ends before it starts",
         [](TrainingStore& store, qint64) {
             StoredItemState backwards = blockState();
             backwards.lastPosition = 100;
             store.saveItemState(backwards);
         }},
    };
    const qint64 session =
        this->m_store->startSession(TrainingMode::Recite, TrainingNumber::Pi, 1, utc("2026-03-01T08:00:00.000Z"));
    this->m_store->addKeystroke({session, 1, 1, 1, 1, 10});
    this->m_store->saveItemState(blockState());
    ASSERT_TRUE(this->failures().isEmpty());

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.write(*this->m_store, session);
        EXPECT_EQ(this->failures().size(), 1);
        EXPECT_EQ(this->m_store->keystrokes(session), (std::vector<StoredKeystroke>{{session, 1, 1, 1, 1, 10}}));
        EXPECT_EQ(this->m_store->sessionSummaries().at(0).typed, 1);
        EXPECT_TRUE(this->m_store->reviews().empty());
        EXPECT_EQ(this->m_store->itemStates(), std::vector{blockState()});
        EXPECT_TRUE(this->m_store->notes().empty());
    }
}

TYPED_TEST(TrainingStoreContract, readsWithoutWaiting_replyLaterAndNeverToAReceiverThatIsGone)
{
    const qint64 session = this->reciteFiveDigits();
    QObject receiver;
    std::vector<StoredSession> sessions;
    std::vector<StoredKeystroke> keystrokes;
    bool repliedToGone = false;
    this->m_store->readSessionSummaries(&receiver, [&](std::vector<StoredSession> rows) { sessions = rows; });
    this->m_store->readKeystrokes(session, &receiver, [&](std::vector<StoredKeystroke> rows) { keystrokes = rows; });
    {
        QObject gone;
        this->m_store->readSessionSummaries(&gone, [&](std::vector<StoredSession>) { repliedToGone = true; });
    }
    EXPECT_TRUE(sessions.empty()) << "replied inside the call";

    this->m_store->waitForIdle();
    QCoreApplication::processEvents();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(sessions[0].typed, 5);
    EXPECT_EQ(keystrokes, this->fiveKeystrokes(session));
    EXPECT_FALSE(repliedToGone);
}

TYPED_TEST(TrainingStoreContract, keystrokeHistory_holdsEveryKeystrokeBySessionAndSequence)
{
    const qint64 recital =
        this->m_store->startSession(TrainingMode::Recite, TrainingNumber::Pi, 1, utc("2026-03-01T08:00:00.250Z"));
    const qint64 drill =
        this->m_store->startSession(TrainingMode::Drill, TrainingNumber::E, 4001, utc("2026-03-01T08:05:00.000Z"));
    // Typed in turns, kept by session; the largest position and times of a day fit the compact rows.
    this->m_store->addKeystroke({drill, 1, 4001, 3, 3, 400});
    this->m_store->addKeystroke({recital, 1, 1, 1, 1, 900});
    this->m_store->addKeystroke({drill, 2, 32767, 7, 2, 86400000});
    this->m_store->addKeystroke({recital, 2, 2, 4, 9, 1350});
    this->m_store->addKeystroke({recital, 2, 2, 4, 4, 1400}); // refused: the same sequence again
    ASSERT_EQ(this->failures().size(), 1);

    const std::vector<HistoryKeystroke> expected = {
        {qint32(recital), 900, 1, 1, 1},
        {qint32(recital), 1350, 2, 4, 9},
        {qint32(drill), 400, 4001, 3, 3},
        {qint32(drill), 86400000, 32767, 7, 2},
    };
    const auto same = [](const std::vector<HistoryKeystroke>& rows, const std::vector<HistoryKeystroke>& want) {
        ASSERT_EQ(rows.size(), want.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(rows[i].sessionId, want[i].sessionId);
            EXPECT_EQ(rows[i].ms, want[i].ms);
            EXPECT_EQ(rows[i].position, want[i].position);
            EXPECT_EQ(rows[i].expected, want[i].expected);
            EXPECT_EQ(rows[i].typed, want[i].typed);
        }
    };
    same(this->m_store->keystrokeHistory(), expected);

    QObject receiver;
    std::vector<HistoryKeystroke> later;
    bool replied = false;
    this->m_store->readKeystrokeHistory(&receiver, [&](std::vector<HistoryKeystroke> rows) {
        later = std::move(rows);
        replied = true;
    });
    EXPECT_FALSE(replied) << "replied inside the call";
    this->m_store->waitForIdle();
    QCoreApplication::processEvents();
    ASSERT_TRUE(replied);
    same(later, expected);
}

TYPED_TEST(TrainingStoreContract, csvExport_writesEachViewWithItsHeaderAndQuotesWhereNeeded)
{
    const qint64 session = this->reciteFiveDigits();
    this->m_store->finishSession(session, 4.5);
    StoredItemState awkward = junctionState();
    awkward.itemId = QStringLiteral("e \"junction\", 7");
    this->m_store->saveItemState(awkward);
    this->m_store->addReview({awkward.itemId, session, utc("2026-03-01T08:00:05.000Z"), 3});

    const QByteArray expected[] = {
        "session_id,mode,number,first_position,started_utc,seconds,typed,correct\r\n"
        "1,recite,pi,1,2026-03-01T08:00:00.250Z,4.5,5,3\r\n",
        "session_id,seq,position,expected,typed,ms\r\n"
        "1,1,1,1,1,900\r\n1,2,2,4,4,1350\r\n1,3,3,1,7,2100\r\n1,4,4,5,5,2480\r\n1,5,5,9,0,3075\r\n",
        "item_id,number,kind,first_position,last_position,stability,difficulty,due_utc,reps,lapses\r\n"
        "\"e \"\"junction\"\", 7\",e,junction,696,705,0.30000000000000004,0.3333333333333333,"
        "2026-03-10T23:59:59.999Z,12,3\r\n",
        "item_id,session_id,reviewed_utc,rating\r\n"
        "\"e \"\"junction\"\", 7\",1,2026-03-01T08:00:05.000Z,3\r\n",
    };
    QObject receiver;
    for (std::size_t i = 0; i < std::size(AllTrainingViews); ++i) {
        const TrainingView view = AllTrainingViews[i];
        SCOPED_TRACE(qPrintable(viewName(view)));
        const QString path = this->m_dir.filePath(viewName(view) + QStringLiteral(".csv"));
        std::optional<WriteResult> result;
        this->m_store->exportCsv(view, path, &receiver, [&](WriteResult written) { result = written; });
        this->m_store->waitForIdle();
        QCoreApplication::processEvents();
        ASSERT_TRUE(result.has_value());
        EXPECT_TRUE(result->ok) << qPrintable(result->error);
        EXPECT_EQ(fileBytes(path), expected[i]);
    }
}

TYPED_TEST(TrainingStoreContract, csvExportToAFolderThatIsNotThere_saysWhy)
{
    QObject receiver;
    std::optional<WriteResult> result;
    this->m_store->exportCsv(TrainingView::SessionSummary, this->m_dir.filePath(QStringLiteral("missing/s.csv")),
                             &receiver, [&](WriteResult written) { result = written; });
    this->m_store->waitForIdle();
    QCoreApplication::processEvents();
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(result->ok);
    EXPECT_FALSE(result->error.isEmpty());
}
