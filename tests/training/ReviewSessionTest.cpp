#include "training/ReviewSession.h"
#include "RecorderLog.h"
#include "training/TrainingClock.h"
#include "training/TrainingDays.h"
#include "training/TrainingItems.h"

#include <gtest/gtest.h>

namespace {

const QDateTime Noon(QDate(2026, 3, 2), QTime(12, 0), Qt::UTC);

ItemSchedule scheduleDueOn(int dueDay)
{
    return ItemSchedule{{5.0, 5.0}, dueDay - 5, dueDay, 3, 0};
}

void expectSameSchedule(const ItemSchedule& actual, const ItemSchedule& expected)
{
    EXPECT_EQ(actual.memory.stability, expected.memory.stability);
    EXPECT_EQ(actual.memory.difficulty, expected.memory.difficulty);
    EXPECT_EQ(actual.lastReviewDay, expected.lastReviewDay);
    EXPECT_EQ(actual.dueDay, expected.dueDay);
    EXPECT_EQ(actual.reps, expected.reps);
    EXPECT_EQ(actual.lapses, expected.lapses);
}

class ReviewSessionTest : public testing::Test
{
protected:
    ReviewSession& start(std::vector<ReviewTask> tasks)
    {
        m_session.emplace(std::move(tasks), m_clock, m_log);
        return *m_session;
    }

    // The item's digits `msPerDigit` apart, the `wrongAt`-th one (from 1) wrong, or a hint instead of the
    // `hintAt`-th.
    void recall(int count, qint64 msPerDigit, int wrongAt = 0, int hintAt = 0)
    {
        for (int i = 1; i <= count; ++i) {
            m_clock.advanceMs(msPerDigit);
            if (i == hintAt) {
                ASSERT_TRUE(m_session->hint());
                return;
            }
            const std::optional<GridCell> cell = m_session->nextCell();
            ASSERT_TRUE(cell.has_value());
            QChar digit = numberDigits(m_session->task()->item.number)[m_session->run()->nextPosition() - 1];
            if (i == wrongAt)
                digit = QChar(u'0' + (digit.digitValue() + 1) % 10);
            m_session->enterText(cell->row, cell->column, QString(digit));
            if (i == wrongAt)
                return;
        }
    }

    FakeTrainingClock m_clock{Noon};
    const int m_today = trainingDay(Noon);
    RecorderLog m_log;
    std::optional<ReviewSession> m_session;
};

} // namespace

TEST(ReviewTasksTest, medianPace_isTakenOverEachItemsCorrectRecallsOnly)
{
    const std::vector<PastRecall> recalls = {
        {QStringLiteral("pi/block/1"), Rating::Good, 900.0},   {QStringLiteral("pi/block/1"), Rating::Again, 90.0},
        {QStringLiteral("pi/block/1"), Rating::Hard, 1500.0},  {QStringLiteral("pi/block/1"), Rating::Good, 1000.0},
        {QStringLiteral("e/junction/2"), Rating::Good, 700.0}, {QStringLiteral("e/junction/2"), Rating::Good, 500.0},
        {QStringLiteral("e/block/9"), Rating::Again, 400.0},
    };
    const std::map<QString, double> medians = medianPacesByItem(recalls);
    EXPECT_EQ(medians, (std::map<QString, double>{{QStringLiteral("e/junction/2"), 600.0},
                                                  {QStringLiteral("pi/block/1"), 1000.0}}));
}

TEST(ReviewTasksTest, queue_givesItsDueItemsAndFirstJunctionsInOrderButNoNewBlock)
{
    const int today = 2460000;
    std::vector<ItemProgress> progress;
    for (const TrainingItem& item : itemsOf(TrainingNumber::E))
        progress.push_back({item, std::nullopt});
    // Blocks 1 and 2 learned, block 1 overdue; their junction not reviewed yet.
    progress[0].schedule = scheduleDueOn(today - 3);
    progress[1].schedule = scheduleDueOn(today + 4);
    const DayQueue queue = buildDayQueue(progress, today, FsrsScheduler(), QueueSettings{});
    const std::map<QString, QString> notes = {{QStringLiteral("e/junction/1"), QStringLiteral("a ship in the harbour")},
                                              {QStringLiteral("e/block/2"), QStringLiteral("two sevens, Tolstoy")}};
    const std::vector<ReviewTask> tasks = reviewTasks(progress, queue, {{QStringLiteral("e/block/1"), 850.0}}, notes);
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[0].item.id(), QStringLiteral("e/block/1"));
    EXPECT_EQ(tasks[0].schedule->dueDay, today - 3);
    EXPECT_EQ(tasks[0].medianPaceMs, 850.0);
    EXPECT_EQ(tasks[1].item.id(), QStringLiteral("e/junction/1"));
    EXPECT_FALSE(tasks[1].schedule.has_value());
    EXPECT_EQ(tasks[1].medianPaceMs, std::nullopt);
    EXPECT_EQ(tasks[1].note, QStringLiteral("a ship in the harbour"));

    // Without a note of its own, a junction shows the note of the block it asks the start of.
    const std::vector<ReviewTask> withoutJunctionNote =
        reviewTasks(progress, queue, {},
                    {{QStringLiteral("e/block/1"), QStringLiteral("the block before")},
                     {QStringLiteral("e/block/2"), QStringLiteral("two sevens, Tolstoy")}});
    EXPECT_EQ(withoutJunctionNote[0].note, QStringLiteral("the block before"));
    EXPECT_EQ(withoutJunctionNote[1].note, QStringLiteral("two sevens, Tolstoy"));
}

TEST_F(ReviewSessionTest, recall_isGradedFromItsKeystrokesAndScheduled)
{
    const TrainingItem junction = *itemForId(u"pi/junction/3");
    const struct
    {
        const char* what;
        std::optional<double> medianPaceMs;
        qint64 msPerDigit;
        int wrongAt;
        int hintAt;
        Rating rating;
        int typed;
    } cases[] = {
        {"steady", 1000.0, 1000, 0, 0, Rating::Good, 5},
        {"at 1.5 times the median", 1000.0, 1500, 0, 0, Rating::Good, 5},
        {"slower than 1.5 times the median", 1000.0, 1600, 0, 0, Rating::Hard, 5},
        {"slow, but no earlier recall", std::nullopt, 9000, 0, 0, Rating::Good, 5},
        {"a wrong digit", 1000.0, 500, 3, 0, Rating::Again, 3},
        {"a wrong last digit", 1000.0, 500, 5, 0, Rating::Again, 5},
        {"the hint", 1000.0, 500, 0, 2, Rating::Again, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_log = RecorderLog();
        const ItemSchedule before = scheduleDueOn(m_today);
        ReviewSession& session = start({{junction, before, c.medianPaceMs, QString()}});
        recall(5, c.msPerDigit, c.wrongAt, c.hintAt);
        EXPECT_EQ(session.phase(),
                  c.rating == Rating::Again ? ReviewSession::Phase::Failed : ReviewSession::Phase::Passed);
        ASSERT_EQ(m_log.reviews.size(), 1u);
        const ItemReview& review = m_log.reviews[0];
        EXPECT_EQ(review.item, junction);
        EXPECT_EQ(review.rating, c.rating);
        EXPECT_EQ(review.sessionId, 41);
        expectSameSchedule(review.schedule, FsrsScheduler().review(before, m_today, c.rating).schedule);
        EXPECT_EQ(review.schedule.lapses, c.rating == Rating::Again ? 1 : 0);
        EXPECT_EQ(session.outcome()->rating, c.rating);
        ASSERT_EQ(int(m_log.digits.size()), c.typed);
        EXPECT_EQ(m_log.digits.front().position, junction.firstPosition);
        // The recall's own session, timed from the moment its cue was shown: its length over its digits
        // is its pace.
        ASSERT_EQ(m_log.sessions.size(), 1u);
        EXPECT_EQ(m_log.sessions[0].activity, TrainingActivity::Review);
        EXPECT_EQ(m_log.sessions[0].firstPosition, junction.firstPosition);
        ASSERT_EQ(m_log.finished.size(), 1u);
        EXPECT_DOUBLE_EQ(m_log.finished[0].second, double(c.msPerDigit * (c.hintAt ? c.hintAt : c.typed)) / 1000.0);
    }
}

TEST_F(ReviewSessionTest, junction_showsItsCueBeforeTheDigitsItAsks)
{
    const TrainingItem junction = *itemForId(u"sqrt2/junction/7");
    ReviewSession& session = start({{junction, scheduleDueOn(m_today), std::nullopt, QString()}});
    const QString& digits = numberDigits(TrainingNumber::Sqrt2);
    ASSERT_EQ(session.sheet().rowCount(), 1);
    for (int column = 1; column <= 5; ++column)
        EXPECT_EQ(session.sheet().cellText(1, column), QString(digits[695 + column - 1])) << column;
    EXPECT_EQ(session.sheet().cellText(1, 6), QString());
    EXPECT_EQ(session.nextCell(), (GridCell{1, 6}));
    EXPECT_FALSE(session.mayOpen(1, 5));
}

TEST_F(ReviewSessionTest, itemsComeInTurn_eachInASessionOfItsOwn)
{
    const TrainingItem block = *itemForId(u"e/block/2");
    const TrainingItem junction = *itemForId(u"e/junction/1");
    ReviewSession& session = start({{block, scheduleDueOn(m_today - 2), std::nullopt, QString()},
                                    {junction, std::nullopt, std::nullopt, QString()}});
    EXPECT_EQ(session.sheet().rowCount(), 10);
    EXPECT_EQ(session.nextCell(), (GridCell{1, 1}));
    EXPECT_FALSE(session.next()) << "an item is recalled before the next comes";
    recall(100, 600);
    EXPECT_EQ(session.phase(), ReviewSession::Phase::Passed);

    m_clock.advanceMs(30'000);
    ASSERT_TRUE(session.next());
    EXPECT_EQ(session.task()->item, junction);
    recall(5, 700);
    ASSERT_TRUE(session.next());
    EXPECT_EQ(session.phase(), ReviewSession::Phase::Done);
    EXPECT_EQ(session.reviewed(), 2);
    EXPECT_EQ(session.failed(), 0);

    ASSERT_EQ(m_log.sessions.size(), 2u);
    EXPECT_EQ(m_log.sessions[1].firstPosition, 101);
    EXPECT_EQ(m_log.sessions[1].startedUtc, Noon.addMSecs(100 * 600 + 30'000));
    ASSERT_EQ(m_log.digits.size(), 105u);
    EXPECT_EQ(m_log.digits[100], (TypedDigit{42, 1, 101, numberDigits(TrainingNumber::E)[100].digitValue(),
                                             numberDigits(TrainingNumber::E)[100].digitValue(), 700}));
    ASSERT_EQ(m_log.reviews.size(), 2u);
    // A junction's first review starts its schedule.
    EXPECT_EQ(m_log.reviews[1].schedule.reps, 1);
    EXPECT_EQ(m_log.reviews[1].schedule.lastReviewDay, m_today);
}

TEST_F(ReviewSessionTest, itemReviewedEarlierToday_takesTheSameDayReview)
{
    const TrainingItem block = *itemForId(u"pi/block/4");
    ItemSchedule earlierToday = scheduleDueOn(m_today);
    earlierToday.lastReviewDay = m_today;
    ReviewSession& session = start({{block, earlierToday, std::nullopt, QString()}});
    recall(100, 500);
    ASSERT_EQ(m_log.reviews.size(), 1u);
    const ReviewOutcome sameDay = FsrsScheduler().review(earlierToday, m_today, Rating::Good);
    expectSameSchedule(m_log.reviews[0].schedule, sameDay.schedule);
    // A long-term review after five days would have made the memory much more stable.
    ItemSchedule fiveDaysAgo = earlierToday;
    fiveDaysAgo.lastReviewDay = m_today - 5;
    EXPECT_LT(m_log.reviews[0].schedule.memory.stability,
              FsrsScheduler().review(fiveDaysAgo, m_today, Rating::Good).schedule.memory.stability);
    EXPECT_EQ(session.phase(), ReviewSession::Phase::Passed);
}

TEST_F(ReviewSessionTest, itemLeftDuringItsRecall_isNotGradedAndItsSessionIsClosed)
{
    const TrainingItem block = *itemForId(u"pi/block/4");
    ReviewSession& session = start({{block, scheduleDueOn(m_today), std::nullopt, QString()}});
    recall(30, 400);
    m_clock.advanceMs(5000);
    session.finish();
    session.finish();
    EXPECT_EQ(session.phase(), ReviewSession::Phase::Done);
    EXPECT_TRUE(m_log.reviews.empty());
    ASSERT_EQ(m_log.finished.size(), 1u);
    EXPECT_DOUBLE_EQ(m_log.finished[0].second, 17.0);
    EXPECT_EQ(session.nextCell(), std::nullopt);
}
