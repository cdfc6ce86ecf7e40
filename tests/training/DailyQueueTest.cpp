#include "training/DailyQueue.h"
#include "training/TrainingItems.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <random>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

QStringList ids(std::initializer_list<const char*> names)
{
    QStringList list;
    for (const char* name : names)
        list << QString::fromLatin1(name);
    return list;
}

class DailyQueueTest : public testing::Test
{
protected:
    // One recall second per digit: a block takes 100/60 minutes to review, a junction 5/60.
    static constexpr double BlockMinutes = 100.0 / 60.0;
    static constexpr double JunctionMinutes = 5.0 / 60.0;

    void addNumber(TrainingNumber number, bool withJunctions = true)
    {
        for (const TrainingItem& item : itemsOf(number)) {
            if (withJunctions || item.kind == ItemKind::Block)
                m_progress.push_back({item, std::nullopt});
        }
    }

    std::size_t indexOf(const QString& id) const
    {
        for (std::size_t index = 0; index < m_progress.size(); ++index) {
            if (m_progress[index].item.id() == id)
                return index;
        }
        ADD_FAILURE() << "no item " << id.toStdString();
        return 0;
    }

    void schedule(const QString& id, double stability, int lastReviewDay, int dueDay)
    {
        m_progress[indexOf(id)].schedule = ItemSchedule{{stability, 5.0}, lastReviewDay, dueDay, 1, 0};
    }

    DayQueue queue(int today) const { return buildDayQueue(m_progress, today, m_scheduler, m_settings, m_pace); }

    QStringList idsOf(const DayQueue& queue) const
    {
        QStringList ids;
        for (const QueueEntry& entry : queue.entries)
            ids << m_progress[entry.progressIndex].item.id();
        return ids;
    }

    std::vector<ItemProgress> m_progress;
    FsrsScheduler m_scheduler;
    QueueSettings m_settings;
    PaceEstimate m_pace{1.0, 4.0};
};

} // namespace

TEST_F(DailyQueueTest, dueItems_comeWeakestAndMostOverdueFirst)
{
    addNumber(TrainingNumber::E, false);
    m_settings.newBlocksPerDay = 0;
    schedule(QStringLiteral("e/block/1"), 10.0, 0, 10);  // 20 days since, S 10
    schedule(QStringLiteral("e/block/2"), 10.0, 5, 15);  // 15 days since, S 10: less overdue
    schedule(QStringLiteral("e/block/3"), 2.0, 8, 10);   // 12 days since, S 2: the weakest
    schedule(QStringLiteral("e/block/4"), 40.0, 0, 25);  // not due yet
    schedule(QStringLiteral("e/block/5"), 1.0, 20, 21);  // reviewed today
    schedule(QStringLiteral("e/block/6"), 10.0, 10, 20); // due today exactly
    schedule(QStringLiteral("e/block/7"), 2.0, 8, 9);    // as weak as block 3, due a day earlier
    const DayQueue today = queue(20);
    EXPECT_EQ(idsOf(today), ids({"e/block/7", "e/block/3", "e/block/1", "e/block/2", "e/block/6"}));
    for (const QueueEntry& entry : today.entries)
        EXPECT_EQ(entry.reason, QueueReason::Due);
    EXPECT_NEAR(today.minutes, 5 * BlockMinutes, 1e-9);
    EXPECT_EQ(today.waiting, 0);
}

TEST_F(DailyQueueTest, junction_joinsOnceBothItsBlocksAreLearned_beforeNewBlocks)
{
    addNumber(TrainingNumber::E);
    schedule(QStringLiteral("e/block/1"), 5.0, 0, 5);
    EXPECT_EQ(idsOf(queue(1)), ids({"e/block/2"}));
    schedule(QStringLiteral("e/block/2"), 3.0, 1, 4);
    const DayQueue second = queue(2);
    EXPECT_EQ(idsOf(second), ids({"e/junction/1", "e/block/3"}));
    EXPECT_EQ(second.entries[0].reason, QueueReason::FirstJunction);
    EXPECT_EQ(second.entries[1].reason, QueueReason::NewBlock);
    EXPECT_NEAR(second.minutes, JunctionMinutes + 100.0 * 5.0 / 60.0, 1e-9);
    // A due block comes before the junction.
    EXPECT_EQ(idsOf(queue(4)), ids({"e/block/2", "e/junction/1", "e/block/3"}));
}

TEST_F(DailyQueueTest, newBlocks_areTheNextUnlearnedOfEachNumberUpToTheDailyLimit)
{
    addNumber(TrainingNumber::Pi);
    addNumber(TrainingNumber::E);
    for (const char* id : {"e/block/1", "e/block/2", "e/block/3", "e/junction/1", "e/junction/2"})
        schedule(QString::fromLatin1(id), 30.0, 0, 30);
    const struct
    {
        int limit;
        QStringList ids;
    } cases[] = {
        {0, {}},
        {1, ids({"pi/block/1", "e/block/4"})},
        {3, ids({"pi/block/1", "pi/block/2", "pi/block/3", "e/block/4", "e/block/5", "e/block/6"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit);
        m_settings.newBlocksPerDay = c.limit;
        QStringList queued = idsOf(queue(1));
        queued.sort();
        QStringList expected = c.ids;
        expected.sort();
        EXPECT_EQ(queued, expected);
    }
    // A gap left by hand is filled before the blocks after it.
    schedule(QStringLiteral("e/block/5"), 30.0, 0, 30);
    m_settings.newBlocksPerDay = 2;
    EXPECT_TRUE(idsOf(queue(1)).contains(QStringLiteral("e/block/6")));
    EXPECT_FALSE(idsOf(queue(1)).contains(QStringLiteral("e/block/7")));
}

TEST_F(DailyQueueTest, underACap_itemsWaitAndNoNewBlockJoins)
{
    addNumber(TrainingNumber::E);
    for (const char* id : {"e/block/1", "e/block/2", "e/block/3", "e/block/4"})
        schedule(QString::fromLatin1(id), 10.0, 0, 10);
    schedule(QStringLiteral("e/block/2"), 4.0, 0, 4);
    schedule(QStringLiteral("e/junction/1"), 3.0, 0, 3);
    schedule(QStringLiteral("e/junction/2"), 30.0, 0, 30);
    schedule(QStringLiteral("e/junction/3"), 30.0, 0, 30);

    m_settings.dailyMinutesCap = 2 * BlockMinutes + 0.5;
    const DayQueue capped = queue(12);
    // The junction and block 2 are the weakest; one more block fits, the two others wait.
    EXPECT_EQ(idsOf(capped), ids({"e/junction/1", "e/block/2", "e/block/1"}));
    EXPECT_LE(capped.minutes, *m_settings.dailyMinutesCap);
    EXPECT_EQ(capped.waiting, 2);

    // A small item still fits after a block that does not.
    schedule(QStringLiteral("e/junction/1"), 30.0, 0, 12);
    m_settings.dailyMinutesCap = BlockMinutes + 0.1;
    EXPECT_EQ(idsOf(queue(12)), ids({"e/block/2", "e/junction/1"}));

    m_settings.dailyMinutesCap.reset();
    const DayQueue open = queue(12);
    EXPECT_EQ(open.entries.size(), 5u + 1u);
    EXPECT_EQ(open.waiting, 0);
    EXPECT_EQ(open.entries.back().reason, QueueReason::NewBlock);
}

TEST_F(DailyQueueTest, aNewBlockThatDoesNotFit_isNotReplacedByALaterOne)
{
    addNumber(TrainingNumber::Pi);
    m_settings.newBlocksPerDay = 2;
    m_settings.dailyMinutesCap = 5.0;
    EXPECT_TRUE(queue(0).entries.empty());
    m_settings.dailyMinutesCap = 9.0;
    EXPECT_EQ(idsOf(queue(0)), ids({"pi/block/1"}));
}

TEST(DailyQueueEstimate, minutesFollowTheCompetitorsPace)
{
    const PaceEstimate pace{0.6, 3.0};
    const std::vector<TrainingItem> pi = itemsOf(TrainingNumber::Pi);
    EXPECT_DOUBLE_EQ(estimatedMinutes(pi[0], QueueReason::Due, pace), 1.0);
    EXPECT_DOUBLE_EQ(estimatedMinutes(pi[0], QueueReason::NewBlock, pace), 6.0);
    // The last block has 67 digits, a junction 5.
    EXPECT_DOUBLE_EQ(estimatedMinutes(pi[327], QueueReason::Due, pace), 67 * 0.6 / 60);
    EXPECT_DOUBLE_EQ(estimatedMinutes(pi[328], QueueReason::FirstJunction, pace), 0.05);
}

// Half a year of daily training on pi, then 14 days away: the backlog is spread under the cap and gone
// within a week. Each recall succeeds with the probability the scheduler gives it, from a fixed seed.
TEST_F(DailyQueueTest, backlogAfterAFourteenDayBreak_staysUnderTheCapAndClearsWithinAWeek)
{
    addNumber(TrainingNumber::Pi);
    std::mt19937 random(16);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    const auto train = [&](int day) {
        const DayQueue today = queue(day);
        for (const QueueEntry& entry : today.entries) {
            std::optional<ItemSchedule>& schedule = m_progress[entry.progressIndex].schedule;
            const double recall = schedule ? m_scheduler.retrievabilityOn(*schedule, day) : 0.9;
            // A new block enters the schedule only once it is recalled without error.
            const bool recalled = entry.reason == QueueReason::NewBlock || chance(random) < recall;
            schedule = m_scheduler.review(schedule, day, recalled ? Rating::Good : Rating::Again).schedule;
        }
        return today;
    };
    constexpr int BreakStart = 180;
    constexpr int BreakDays = 14;
    for (int day = 0; day < BreakStart; ++day)
        train(day);

    m_settings.dailyMinutesCap = 30.0;
    std::vector<DayQueue> after;
    for (int day = BreakStart + BreakDays; day < BreakStart + BreakDays + 10; ++day)
        after.push_back(train(day));

    EXPECT_GT(after.front().waiting, 0) << "the cap should hold some of the backlog back";
    for (std::size_t k = 0; k < after.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_LE(after[k].minutes, *m_settings.dailyMinutesCap);
    }
    int clearedOn = -1;
    for (std::size_t k = 0; k < after.size() && clearedOn < 0; ++k) {
        if (after[k].waiting == 0)
            clearedOn = int(k);
    }
    EXPECT_GE(clearedOn, 1);
    EXPECT_LE(clearedOn, 6);
    for (std::size_t k = std::size_t(std::max(clearedOn, 0)); k < after.size(); ++k)
        EXPECT_EQ(after[k].waiting, 0) << k;
}
