// The readiness forecast, the planner and the calibration of the predictions, on histories whose
// recall probabilities are known.
#include "training/TrainingItems.h"
#include "training/progress/Calibration.h"
#include "training/progress/ReadinessForecast.h"
#include "training/progress/ReadinessPlanner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

constexpr int Today = 2461100;
constexpr double Stability = 10.0;

std::vector<ItemProgress> unlearned(TrainingNumber number)
{
    std::vector<ItemProgress> progress;
    for (const TrainingItem& item : itemsOf(number))
        progress.push_back({item, std::nullopt});
    return progress;
}

// Items reviewed `daysAgo` days before Today with stability 10: 0 days gives a probability of recall of
// 1, 10 days one of 0.9, by the definition of stability.
void learn(std::vector<ItemProgress>& progress, ItemKind kind, int index, int daysAgo, int dueIn = 5)
{
    for (ItemProgress& entry : progress) {
        if (entry.item.kind == kind && entry.item.index == index)
            entry.schedule = ItemSchedule{{Stability, 5.0}, Today - daysAgo, Today + dueIn, 1, 0};
    }
}

} // namespace

TEST(ReadinessForecast, eachReach_isTheProductOfItsBlocksAndJunctions)
{
    using enum ItemKind;
    struct Learned
    {
        ItemKind kind;
        int index;
        int daysAgo;
    };
    const struct
    {
        const char* what;
        std::vector<Learned> learned;
        std::vector<std::pair<int, double>> probabilities;
        int reach90;
        int reach50;
    } cases[] = {
        {"nothing learned", {}, {{0, 1.0}, {1, 0.0}, {100, 0.0}}, 0, 0},
        {"three blocks and their junctions, just reviewed",
         {{Block, 1, 0}, {Block, 2, 0}, {Block, 3, 0}, {Junction, 1, 0}, {Junction, 2, 0}},
         {{1, 1.0}, {100, 1.0}, {300, 1.0}, {301, 0.0}},
         300,
         300},
        {"each at 90 %: one factor per item on the way",
         {{Block, 1, 10}, {Block, 2, 10}, {Block, 3, 10}, {Junction, 1, 10}, {Junction, 2, 10}},
         {{50, 0.9}, {100, 0.9}, {101, 0.9 * 0.9 * 0.9}, {300, std::pow(0.9, 5)}, {301, 0.0}},
         100,
         300},
        {"a junction never reviewed stops the way at its block's end",
         {{Block, 1, 0}, {Block, 2, 0}, {Junction, 2, 0}},
         {{100, 1.0}, {101, 0.0}},
         100,
         100},
        {"one weak block late in the way",
         {{Block, 1, 0}, {Block, 2, 0}, {Junction, 1, 0}, {Block, 3, 1000}, {Junction, 2, 0}},
         {{200, 1.0}, {201, -1.0}},
         200,
         200},
    };
    const FsrsScheduler scheduler;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<ItemProgress> progress = unlearned(TrainingNumber::Pi);
        for (const Learned& item : c.learned)
            learn(progress, item.kind, item.index, item.daysAgo);
        const ReadinessForecast forecast = forecastReadiness(progress, TrainingNumber::Pi, Today, scheduler);
        ASSERT_EQ(forecast.steps.size(), 328u);
        EXPECT_EQ(forecast.steps.back().lastPosition, 32767);
        for (const auto& [digits, probability] : c.probabilities) {
            SCOPED_TRACE(digits);
            if (probability >= 0.0) {
                EXPECT_NEAR(forecast.probabilityOf(digits), probability, 1e-12);
            } else {
                EXPECT_LT(forecast.probabilityOf(digits), 0.5);
            }
        }
        EXPECT_EQ(forecast.reachAt90, c.reach90);
        EXPECT_EQ(forecast.reachAt50, c.reach50);
    }
}

TEST(ReadinessForecast, aKnownHistory_fadesWithTheDaysAfterItsLastReview)
{
    // Block 1 of e learned with Good: its stability is w2 (2.3065 days); FSRS-6's power curve with
    // decay w20 gives its recall probability on each later day.
    const FsrsScheduler scheduler;
    std::vector<ItemProgress> progress = unlearned(TrainingNumber::E);
    progress[0].schedule = scheduler.review(std::nullopt, Today, Rating::Good).schedule;
    const double decay = DefaultFsrsWeights[20];
    const double factor = std::pow(0.9, -1.0 / decay) - 1.0;
    const double stability = DefaultFsrsWeights[2];
    for (const int days : {0, 1, 2, 7, 30, 365}) {
        SCOPED_TRACE(days);
        const double expected = std::pow(1.0 + factor * days / stability, -decay);
        const ReadinessForecast forecast = forecastReadiness(progress, TrainingNumber::E, Today + days, scheduler);
        EXPECT_NEAR(forecast.probabilityOf(100), expected, 1e-12);
        EXPECT_EQ(forecast.probabilityOf(101), 0.0);
        EXPECT_EQ(forecast.reachAt90, expected >= 0.9 ? 100 : 0);
    }
    // A day before the review counts as the review's own day.
    EXPECT_DOUBLE_EQ(forecastReadiness(progress, TrainingNumber::E, Today - 3, scheduler).probabilityOf(100), 1.0);
}

TEST(ReadinessPlanner, newBlocksAndLearningMinutes_spreadWhatIsLeftOverTheDays)
{
    const struct
    {
        const char* what;
        int learnedBlocks;
        int target;
        int days;
        bool possible;
        int blocksToLearn;
        int perDay;
    } cases[] = {
        {"ten blocks in five days", 0, 1000, 5, true, 10, 2},
        {"a part of a block needs the whole block", 0, 150, 3, true, 2, 1},
        {"an uneven share rounds up", 0, 1000, 3, true, 10, 4},
        {"learned blocks are not learned again", 3, 500, 2, true, 2, 1},
        {"everything learned: nothing new", 5, 500, 7, true, 0, 0},
        {"the date is today: no day left", 0, 500, 0, false, 5, 0},
        {"a date gone by", 0, 500, -4, false, 5, 0},
        {"past the number's end: the whole number", 0, 50000, 100, true, 100, 1},
    };
    const FsrsScheduler scheduler;
    const PaceEstimate pace{1.5, 6.0};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<ItemProgress> progress = unlearned(TrainingNumber::Sqrt2);
        for (int block = 1; block <= c.learnedBlocks; ++block)
            learn(progress, ItemKind::Block, block, 0, 10000);
        const ReadinessPlan plan =
            planReadiness(progress, TrainingNumber::Sqrt2, c.target, Today, Today + c.days, pace, scheduler);
        EXPECT_EQ(plan.possible, c.possible);
        EXPECT_EQ(plan.blocksToLearn, c.blocksToLearn);
        EXPECT_EQ(plan.newBlocksPerDay, c.perDay);
        EXPECT_NEAR(plan.learnMinutesPerDay, c.perDay * 100 * 6.0 / 60.0, 1e-9);
        EXPECT_EQ(plan.targetDigits, std::min(c.target, 10000));
    }
}

TEST(ReadinessPlanner, reviewMinutes_countTheDigitsTheScheduleBringsBackAtTheCompetitorsPace)
{
    const struct
    {
        const char* what;
        int learnedBlocks;
        int dueIn;
        int target;
        int days;
        double perDay;
        double peak;
    } cases[] = {
        // Stability 10 and Good: the next interval is longer than what is left of the ten days.
        {"one block due on the fourth day, reviewed once", 1, 3, 100, 10, 100 * 1.5 / 60.0 / 10, 100 * 1.5 / 60.0},
        {"due after the date: no review", 1, 30, 100, 10, 0.0, 0.0},
        {"two learned blocks bring their junction's first review", 2, 30, 200, 2, 5 * 1.5 / 60.0 / 2, 5 * 1.5 / 60.0},
        {"overdue blocks all come back on the first day", 2, -3, 200, 2, (200 + 5) * 1.5 / 60.0 / 2,
         (200 + 5) * 1.5 / 60.0},
        // Learned with Good on the first day, the block is due two days later (its stability is w2, 2.3 days).
        {"a block learned on the first day comes back on the third", 0, 0, 100, 3, 100 * 1.5 / 60.0 / 3,
         100 * 1.5 / 60.0},
        {"learning alone is no review", 0, 0, 100, 2, 0.0, 0.0},
    };
    const FsrsScheduler scheduler;
    const PaceEstimate pace{1.5, 6.0};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<ItemProgress> progress = unlearned(TrainingNumber::E);
        for (int block = 1; block <= c.learnedBlocks; ++block)
            learn(progress, ItemKind::Block, block, 0, c.dueIn);
        const ReadinessPlan plan =
            planReadiness(progress, TrainingNumber::E, c.target, Today, Today + c.days, pace, scheduler);
        EXPECT_NEAR(plan.reviewMinutesPerDay, c.perDay, 1e-9);
        EXPECT_NEAR(plan.peakReviewMinutes, c.peak, 1e-9);
    }
}

namespace {

// Items reviewed at random days after their last review; each recall succeeds with `truth(predicted)`,
// where `predicted` is the scheduler's own probability of recall that day.
template <class Truth> std::vector<HistoryReview> syntheticReviews(int items, int reviewsEach, Truth truth)
{
    const FsrsScheduler scheduler;
    std::mt19937 random(17);
    std::vector<HistoryReview> reviews;
    for (int item = 0; item < items; ++item) {
        const QString id = QStringLiteral("pi/block/%1").arg(item + 1);
        int day = Today;
        std::optional<ItemSchedule> schedule;
        for (int n = 0; n < reviewsEach; ++n) {
            Rating rating = Rating::Good;
            if (schedule) {
                const int interval = std::max(1, schedule->dueDay - schedule->lastReviewDay);
                day = schedule->lastReviewDay + std::uniform_int_distribution<int>(1, 3 * interval)(random);
                const double p = truth(scheduler.retrievabilityOn(*schedule, day));
                rating = std::bernoulli_distribution(p)(random) ? Rating::Good : Rating::Again;
            }
            schedule = scheduler.review(schedule, day, rating).schedule;
            reviews.push_back({id, day, int(rating)});
        }
    }
    return reviews;
}

} // namespace

TEST(Calibration, predictionsThatAreTheTruth_lieOnTheDiagonal)
{
    const std::vector<HistoryReview> reviews = syntheticReviews(300, 60, [](double p) { return p; });
    const Calibration calibration = calibrate(reviews, FsrsScheduler());
    // Every review but each item's first.
    EXPECT_EQ(calibration.reviews, 300 * 59);
    EXPECT_TRUE(calibration.enough());
    EXPECT_LT(calibration.rmse, 0.02);
    int binned = 0;
    for (const CalibrationBin& bin : calibration.bins) {
        binned += bin.reviews;
        if (bin.reviews >= 500) {
            EXPECT_NEAR(bin.observed, bin.meanPredicted, 0.05);
        }
    }
    EXPECT_EQ(binned, calibration.reviews);
}

TEST(Calibration, aCompetitorWhoRecallsLessThanPredicted_showsTheGap)
{
    const std::vector<HistoryReview> reviews = syntheticReviews(300, 60, [](double p) { return 0.7 * p; });
    const Calibration calibration = calibrate(reviews, FsrsScheduler());
    EXPECT_GT(calibration.rmse, 0.15);
    for (const CalibrationBin& bin : calibration.bins) {
        if (bin.reviews >= 500) {
            EXPECT_NEAR(bin.observed, 0.7 * bin.meanPredicted, 0.05);
        }
    }
}

TEST(Calibration, firstAndSameDayReviews_predictNothing)
{
    const std::vector<HistoryReview> reviews = {
        {QStringLiteral("e/block/1"), Today, 3},     {QStringLiteral("e/block/1"), Today, 1},
        {QStringLiteral("e/block/1"), Today + 2, 3}, {QStringLiteral("e/block/2"), Today + 2, 1},
        {QStringLiteral("e/block/2"), Today + 9, 1},
    };
    const Calibration calibration = calibrate(reviews, FsrsScheduler());
    EXPECT_EQ(calibration.reviews, 2);
    EXPECT_FALSE(calibration.enough());
    int recalled = 0;
    for (const CalibrationBin& bin : calibration.bins)
        recalled += int(std::lround(bin.observed * bin.reviews));
    EXPECT_EQ(recalled, 1);
}
