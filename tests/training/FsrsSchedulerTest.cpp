#include "training/FsrsScheduler.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr Rating AllRatings[] = {Rating::Again, Rating::Hard, Rating::Good, Rating::Easy};

FsrsModel modelWith(double retention, double decay = DefaultFsrsWeights[20])
{
    FsrsParameters parameters;
    parameters.desiredRetention = retention;
    parameters.w[20] = decay;
    return FsrsModel(parameters);
}

} // namespace

TEST(FsrsModel, retrievability_isNinetyPercentAfterStabilityDays_forAnyDecay)
{
    for (const double decay : {0.1, 0.1542, 0.5, 0.8}) {
        const FsrsModel model = modelWith(0.9, decay);
        for (const double stability : {0.2, 3.0, 100.0, 5000.0}) {
            SCOPED_TRACE(testing::Message() << "decay " << decay << ", stability " << stability);
            EXPECT_DOUBLE_EQ(model.retrievability(0, stability), 1.0);
            EXPECT_NEAR(model.retrievability(stability, stability), 0.9, 1e-12);
            EXPECT_GT(model.retrievability(stability / 2, stability), 0.9);
            EXPECT_LT(model.retrievability(stability * 2, stability), 0.9);
            EXPECT_EQ(model.intervalDays(stability), std::max(1, int(std::lround(stability))));
        }
    }
    // A smaller decay is a flatter curve: more is still known long after the stability has passed.
    EXPECT_GT(modelWith(0.9, 0.1).retrievability(1000, 10), modelWith(0.9, 0.5).retrievability(1000, 10));
}

TEST(FsrsModel, interval_bringsRecallDownToTheDesiredRetention)
{
    for (const double retention : {0.7, 0.8, 0.9, 0.95, 0.97}) {
        const FsrsModel model = modelWith(retention);
        for (const double stability : {4.0, 37.5, 900.0}) {
            SCOPED_TRACE(testing::Message() << "retention " << retention << ", stability " << stability);
            const int days = model.intervalDays(stability);
            EXPECT_GE(model.retrievability(days - 0.5, stability), retention);
            EXPECT_LE(model.retrievability(days + 0.5, stability), retention);
        }
    }
    const FsrsModel model;
    EXPECT_EQ(model.intervalDays(0.01), 1);
    EXPECT_EQ(model.intervalDays(1e9), 36500);
    EXPECT_GT(modelWith(0.8).intervalDays(50), modelWith(0.95).intervalDays(50));
}

TEST(FsrsModel, firstReview_takesTheInitialStabilityAndDifficultyOfItsRating)
{
    const FsrsModel model;
    const auto& w = DefaultFsrsWeights;
    const struct
    {
        Rating rating;
        double stability;
        double difficulty;
    } cases[] = {
        {Rating::Again, w[0], w[4]},
        {Rating::Hard, w[1], w[4] - std::exp(w[5]) + 1},
        {Rating::Good, w[2], w[4] - std::exp(2 * w[5]) + 1},
        // Easy's formula falls below 1 with the defaults.
        {Rating::Easy, w[3], 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ratingValue(c.rating));
        const MemoryState memory = model.nextMemory(std::nullopt, 0, c.rating);
        EXPECT_DOUBLE_EQ(memory.stability, c.stability);
        EXPECT_DOUBLE_EQ(memory.difficulty, c.difficulty);
    }
}

TEST(FsrsModel, difficulty_risesOnFailureFallsOnEaseAndStaysBetweenOneAndTen)
{
    const FsrsModel model;
    for (const double d : {1.0, 3.0, 5.5, 9.0, 10.0}) {
        SCOPED_TRACE(d);
        for (const Rating rating : AllRatings) {
            const double next = model.nextDifficulty(d, rating);
            EXPECT_GE(next, 1.0);
            EXPECT_LE(next, 10.0);
        }
        if (d < 10.0) {
            EXPECT_GT(model.nextDifficulty(d, Rating::Again), model.nextDifficulty(d, Rating::Hard));
            EXPECT_GT(model.nextDifficulty(d, Rating::Hard), d);
        }
        if (d > 1.0) {
            EXPECT_LT(model.nextDifficulty(d, Rating::Easy), d);
        }
    }
    // Linear damping: the same grade moves a difficulty near 10 less than one in the middle.
    EXPECT_LT(model.nextDifficulty(9.0, Rating::Again) - 9.0, model.nextDifficulty(5.0, Rating::Again) - 5.0);
    EXPECT_NEAR(model.nextDifficulty(10.0, Rating::Again), 10.0, 0.02);
}

TEST(FsrsModel, stabilityAfterRecall_growsMoreForBetterGradesAndLowerRetrievability)
{
    const FsrsModel model;
    for (const double stability : {0.5, 10.0, 300.0}) {
        SCOPED_TRACE(stability);
        const double hard = model.stabilityAfterRecall(5.0, stability, 0.85, Rating::Hard);
        const double good = model.stabilityAfterRecall(5.0, stability, 0.85, Rating::Good);
        const double easy = model.stabilityAfterRecall(5.0, stability, 0.85, Rating::Easy);
        EXPECT_GT(hard, stability);
        EXPECT_LT(hard, good);
        EXPECT_LT(good, easy);
        EXPECT_GT(model.stabilityAfterRecall(5.0, stability, 0.6, Rating::Good), good);
        EXPECT_GT(model.stabilityAfterRecall(2.0, stability, 0.85, Rating::Good), good);
    }
}

TEST(FsrsModel, lapse_neverLeavesTheMemoryAboveItsPostLapseCeiling)
{
    const FsrsModel model;
    const double shrink = std::exp(DefaultFsrsWeights[17] * DefaultFsrsWeights[18]);
    for (const double stability : {0.3, 2.0, 40.0, 2000.0}) {
        for (const double r : {0.05, 0.5, 0.95}) {
            SCOPED_TRACE(testing::Message() << stability << " " << r);
            const double after = model.stabilityAfterLapse(4.0, stability, r);
            EXPECT_LE(after, stability / shrink + 1e-12);
            EXPECT_GE(after, FsrsModel::MinimumStability);
        }
    }
    // A weak memory forgotten late: the lapse formula alone would make it stronger than before.
    EXPECT_DOUBLE_EQ(model.stabilityAfterLapse(1.0, 0.5, 0.1), 0.5 / shrink);
    EXPECT_LT(model.stabilityAfterLapse(5.0, 300.0, 0.9), 300.0 / 10);
}

// Same-day reviews are on (ts-fsrs's enable_short_term, without learning steps): a second recall on one day
// takes the short-term formula, never the long-term one with zero days elapsed.
TEST(FsrsScheduler, secondRecallOnADay_takesTheSameDayFormula)
{
    const FsrsScheduler scheduler;
    const FsrsModel& model = scheduler.model();
    const ItemSchedule first = scheduler.review(std::nullopt, 50, Rating::Good).schedule;
    for (const Rating rating : AllRatings) {
        SCOPED_TRACE(ratingValue(rating));
        const ReviewOutcome again = scheduler.review(first, 50, rating);
        EXPECT_DOUBLE_EQ(again.schedule.memory.stability, model.sameDayStability(first.memory.stability, rating));
        EXPECT_DOUBLE_EQ(*again.retrievability, 1.0);
        if (rating == Rating::Again) {
            EXPECT_LT(again.schedule.memory.stability, first.memory.stability);
        } else {
            EXPECT_GE(again.schedule.memory.stability, first.memory.stability);
        }
    }
    // The long-term formulas would leave a recalled memory as it was and treat a failure as a lapse.
    EXPECT_DOUBLE_EQ(model.stabilityAfterRecall(first.memory.difficulty, first.memory.stability, 1.0, Rating::Easy),
                     first.memory.stability);
    EXPECT_GT(scheduler.review(first, 50, Rating::Easy).schedule.memory.stability, first.memory.stability * 1.5);
}

TEST(FsrsScheduler, betterGrades_neverBringTheNextReviewCloser)
{
    const FsrsScheduler scheduler;
    for (const double stability : {0.1, 0.4, 2.0, 15.0, 400.0, 30000.0}) {
        for (const double difficulty : {1.0, 5.0, 9.5}) {
            for (const int elapsed : {0, 1, 7, 90}) {
                SCOPED_TRACE(testing::Message() << stability << " " << difficulty << " " << elapsed);
                const ItemSchedule before{{stability, difficulty}, 100, 100, 3, 0};
                const int hard = scheduler.review(before, 100 + elapsed, Rating::Hard).intervalDays;
                const int good = scheduler.review(before, 100 + elapsed, Rating::Good).intervalDays;
                const int easy = scheduler.review(before, 100 + elapsed, Rating::Easy).intervalDays;
                EXPECT_GE(hard, 1);
                EXPECT_GE(good, hard + 1);
                EXPECT_GE(easy, good + 1);
            }
        }
    }
    // A weak memory seen again the same day: Hard and Good both keep it under a day; Good is still a day
    // later than Hard.
    const ItemSchedule weak{{0.3, 8.0}, 10, 11, 2, 1};
    const ReviewOutcome good = scheduler.review(weak, 10, Rating::Good);
    EXPECT_EQ(scheduler.model().intervalDays(good.schedule.memory.stability), 1);
    EXPECT_EQ(scheduler.review(weak, 10, Rating::Hard).intervalDays, 1);
    EXPECT_EQ(good.intervalDays, 2);
}

TEST(FsrsScheduler, reviews_countRepsAndLapsesAndSetTheDueDay)
{
    const FsrsScheduler scheduler;
    const ReviewOutcome first = scheduler.review(std::nullopt, 1000, Rating::Again);
    EXPECT_EQ(first.schedule.reps, 1);
    EXPECT_EQ(first.schedule.lapses, 0);
    EXPECT_EQ(first.retrievability, std::nullopt);
    EXPECT_EQ(first.schedule.lastReviewDay, 1000);
    EXPECT_EQ(first.schedule.dueDay, 1000 + first.intervalDays);

    const ReviewOutcome good = scheduler.review(first.schedule, 1001, Rating::Good);
    const ReviewOutcome lapse = scheduler.review(good.schedule, 1010, Rating::Again);
    EXPECT_EQ(lapse.schedule.reps, 3);
    EXPECT_EQ(lapse.schedule.lapses, 1);
    EXPECT_DOUBLE_EQ(*lapse.retrievability, scheduler.retrievabilityOn(good.schedule, 1010));
    EXPECT_EQ(lapse.schedule.dueDay, 1010 + lapse.intervalDays);
}
