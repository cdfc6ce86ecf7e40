#include "training/TrainingSettings.h"
#include "training/TrainingItems.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

std::vector<ItemProgress> unlearned(std::initializer_list<TrainingNumber> numbers)
{
    std::vector<ItemProgress> progress;
    for (const TrainingNumber number : numbers) {
        for (const TrainingItem& item : itemsOf(number))
            progress.push_back({item, std::nullopt});
    }
    return progress;
}

int entriesOf(const DayQueue& queue, QueueReason reason)
{
    return int(std::count_if(queue.entries.begin(), queue.entries.end(),
                             [reason](const QueueEntry& entry) { return entry.reason == reason; }));
}

} // namespace

TEST(TrainingSettingsTest, typedSettings_areReadWithinTheirRangesAndAValueOutsideSaysWhich)
{
    struct Case
    {
        const char* retention;
        const char* newBlocks;
        const char* cap;
        std::optional<TrainingSettings> read;
        const char* problemStart;
    };
    const Case cases[] = {
        {"0.9", "1", "", TrainingSettings{0.9, 1, std::nullopt}, ""},
        {" 0.70 ", "0", "5", TrainingSettings{0.7, 0, 5.0}, ""},
        {"0.97", "20", "600", TrainingSettings{0.97, 20, 600.0}, ""},
        {"0,85", "3", " 45 ", TrainingSettings{0.85, 3, 45.0}, ""},
        {"0.69", "1", "", std::nullopt, "Desired retention"},
        {"0.98", "1", "", std::nullopt, "Desired retention"},
        {"90", "1", "", std::nullopt, "Desired retention"},
        {"", "1", "", std::nullopt, "Desired retention"},
        {"high", "1", "", std::nullopt, "Desired retention"},
        {"0.9", "-1", "", std::nullopt, "New blocks per day"},
        {"0.9", "21", "", std::nullopt, "New blocks per day"},
        {"0.9", "1.5", "", std::nullopt, "New blocks per day"},
        {"0.9", "", "", std::nullopt, "New blocks per day"},
        {"0.9", "1", "4", std::nullopt, "The daily minutes cap"},
        {"0.9", "1", "601", std::nullopt, "The daily minutes cap"},
        {"0.9", "1", "30.5", std::nullopt, "The daily minutes cap"},
        {"0.9", "1", "none", std::nullopt, "The daily minutes cap"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.retention) + " / " + c.newBlocks + " / " + c.cap);
        const SettingsEntry entry = readSettingsEntry(QString::fromLatin1(c.retention),
                                                      QString::fromLatin1(c.newBlocks), QString::fromLatin1(c.cap));
        EXPECT_EQ(entry.settings, c.read);
        EXPECT_EQ(entry.problem.left(qsizetype(std::strlen(c.problemStart))), QLatin1String(c.problemStart))
            << entry.problem.toStdString();
        EXPECT_EQ(entry.problem.isEmpty(), c.read.has_value());
        if (c.read) {
            EXPECT_TRUE(settingsProblem(*c.read).isEmpty());
        }
    }
}

TEST(TrainingSettingsTest, shownSettings_readBackAsTheSameValues)
{
    for (const TrainingSettings& settings :
         {TrainingSettings{}, TrainingSettings{0.855, 0, 5.0}, TrainingSettings{0.7, 20, 600.0}}) {
        const SettingsEntry entry =
            readSettingsEntry(retentionText(settings.desiredRetention), QString::number(settings.newBlocksPerDay),
                              minutesCapText(settings.dailyMinutesCap));
        EXPECT_EQ(entry.settings, settings) << entry.problem.toStdString();
    }
}

TEST(TrainingSettingsTest, withinRanges_replacesEachValueOutsideItsRangeByItsDefaultAlone)
{
    struct Case
    {
        TrainingSettings kept;
        TrainingSettings used;
    };
    const Case cases[] = {
        {{0.8, 2, 30.0}, {0.8, 2, 30.0}},        {{std::numeric_limits<double>::quiet_NaN(), 2, 30.0}, {0.9, 2, 30.0}},
        {{0.99, 2, 30.0}, {0.9, 2, 30.0}},       {{0.8, 21, 30.0}, {0.8, 1, 30.0}},
        {{0.8, 2, 4.9}, {0.8, 2, std::nullopt}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(withinRanges(c.kept), c.used);
        EXPECT_TRUE(settingsProblem(withinRanges(c.kept)).isEmpty());
        EXPECT_EQ(settingsProblem(c.kept).isEmpty(), c.kept == c.used);
    }
}

// An item reviewed Good on each of its due days: the higher the retention, the sooner each review comes, and
// on its due day the item is recalled with about the chance the competitor chose.
TEST(TrainingSettingsTest, scheduler_plansEachReviewForTheDesiredRetention)
{
    const double retentions[] = {0.70, 0.80, 0.90, 0.95, 0.97};
    int longerInterval = std::numeric_limits<int>::max();
    for (const double retention : retentions) {
        SCOPED_TRACE(retention);
        const FsrsScheduler scheduler = TrainingSettings{retention, 1, std::nullopt}.scheduler();
        std::optional<ItemSchedule> schedule;
        ReviewOutcome outcome;
        for (int review = 0, day = 0; review < 4; ++review, day = schedule->dueDay) {
            outcome = scheduler.review(schedule, day, Rating::Good);
            schedule = outcome.schedule;
        }
        EXPECT_LT(outcome.intervalDays, longerInterval);
        longerInterval = outcome.intervalDays;
        // Whole days round the interval: the due day's chance is near the retention, not on it.
        EXPECT_NEAR(scheduler.retrievabilityOn(*schedule, schedule->dueDay), retention, 0.01);
    }
}

TEST(TrainingSettingsTest, queue_takesTheSettingsNewBlocksAndCap)
{
    // At the default pace a new block takes 100 digits at 1 + 4 s: 8 1/3 minutes.
    struct Case
    {
        int newBlocks;
        std::optional<double> cap;
        int newEntries;
    };
    const Case cases[] = {
        {0, std::nullopt, 0}, {1, std::nullopt, 3}, {3, std::nullopt, 9}, {3, 20.0, 2}, {3, 55.0, 6},
    };
    const std::vector<ItemProgress> progress =
        unlearned({TrainingNumber::Sqrt2, TrainingNumber::Pi, TrainingNumber::E});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.newBlocks);
        const TrainingSettings settings{0.9, c.newBlocks, c.cap};
        const DayQueue queue = buildDayQueue(progress, 100, settings.scheduler(), settings.queue());
        EXPECT_EQ(entriesOf(queue, QueueReason::NewBlock), c.newEntries);
        EXPECT_EQ(int(queue.entries.size()), c.newEntries);
        if (c.cap) {
            EXPECT_LE(queue.minutes, *c.cap);
        }
    }
}

TEST(TrainingSettingsTest, queueOfNumber_isThatNumbersPartOfTheDaysPlanUnderOneCap)
{
    std::vector<ItemProgress> progress = unlearned({TrainingNumber::Pi, TrainingNumber::E});
    // Ten blocks of each number, all due today: twenty reviews of 100/60 minutes each.
    int dueBlocks = 0;
    for (ItemProgress& entry : progress) {
        if (entry.item.kind == ItemKind::Block && entry.item.index <= 10) {
            entry.schedule = ItemSchedule{{5.0 + entry.item.index, 5.0}, 90, 100, 2, 0};
            ++dueBlocks;
        }
    }
    ASSERT_EQ(dueBlocks, 20);
    const TrainingSettings settings{0.9, 1, 15.0};
    const DayQueue day = buildDayQueue(progress, 100, settings.scheduler(), settings.queue());
    ASSERT_GT(day.waiting, 0);

    const DayQueue pi = queueOfNumber(day, progress, TrainingNumber::Pi);
    const DayQueue e = queueOfNumber(day, progress, TrainingNumber::E);
    EXPECT_EQ(pi.entries.size() + e.entries.size(), day.entries.size());
    EXPECT_LE(pi.minutes + e.minutes, 15.0);
    EXPECT_NEAR(pi.minutes + e.minutes, day.minutes, 1e-9);
    for (const auto& [number, part] : {std::pair{TrainingNumber::Pi, pi}, std::pair{TrainingNumber::E, e}}) {
        EXPECT_FALSE(part.entries.empty());
        EXPECT_EQ(part.waiting, day.waiting);
        for (const QueueEntry& entry : part.entries)
            EXPECT_EQ(progress[entry.progressIndex].item.number, number);
    }
}
