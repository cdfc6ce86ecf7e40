#include "training/TrainingSummary.h"
#include "training/TrainingItems.h"

#include <gtest/gtest.h>

TEST(TrainingPace, sessions_giveThePaceEachKindHasDigitsFor)
{
    using enum TrainingActivity;
    const struct
    {
        const char* what;
        std::vector<SessionPace> sessions;
        double recall;
        double learn;
    } cases[] = {
        {"no history: the defaults", {}, 1.0, 4.0},
        {"a review: its pace", {{Review, 120.0, 100}}, 1.2, 4.0},
        {"recital and drill with it", {{Review, 120.0, 100}, {Recite, 30.0, 50}, {Drill, 0.0, 0}}, 1.0, 4.0},
        {"learning alone: less the default recall", {{Learn, 500.0, 100}}, 1.0, 4.0},
        {"learning less the measured recall", {{Learn, 700.0, 100}, {Review, 80.0, 100}}, 0.8, 6.2},
        {"learning faster than recall counts nothing extra", {{Learn, 50.0, 100}, {Review, 200.0, 100}}, 2.0, 0.0},
        {"a session without digits says nothing", {{Learn, 900.0, 0}, {Review, 60.0, 0}}, 1.0, 4.0},
        {"a rehearsal is not training's pace", {{Rehearse, 9000.0, 600}}, 1.0, 4.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PaceEstimate pace = paceFromSessions(c.sessions);
        EXPECT_DOUBLE_EQ(pace.recallSecondsPerDigit, c.recall);
        EXPECT_DOUBLE_EQ(pace.learnSecondsPerDigit, c.learn);
    }
}

TEST(TrainingSummary, eachNumber_countsItsLearnedAndDueBlocksAndTodaysMinutes)
{
    constexpr int Today = 2461100;
    const FsrsScheduler scheduler;
    std::vector<ItemProgress> progress;
    for (const TrainingItem& item : allTrainingItems())
        progress.push_back({item, std::nullopt});
    // pi's blocks 1 to 3 learned: one overdue, one due today, one due tomorrow.
    const int dueDays[] = {Today - 1, Today, Today + 1};
    for (ItemProgress& entry : progress) {
        if (entry.item.number == TrainingNumber::Pi && entry.item.kind == ItemKind::Block && entry.item.index <= 3)
            entry.schedule = ItemSchedule{{5.0, 5.0}, Today - 5, dueDays[entry.item.index - 1], 2, 0};
    }
    const PaceEstimate pace{1.2, 3.0};

    const std::vector<NumberSummary> lines = summarizeTraining(progress, Today, scheduler, QueueSettings{}, pace);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].number, TrainingNumber::Sqrt2);
    EXPECT_EQ(lines[1].number, TrainingNumber::Pi);
    EXPECT_EQ(lines[2].number, TrainingNumber::E);
    EXPECT_EQ(lines[1].blocks, 328);
    EXPECT_EQ(lines[1].blocksLearned, 3);
    EXPECT_EQ(lines[1].blocksDue, 2);
    // Two due blocks, the two junctions between learned blocks, and block 4 to learn.
    EXPECT_NEAR(lines[1].minutesToday, (2 * 100 * 1.2 + 2 * 5 * 1.2 + 100 * (1.2 + 3.0)) / 60.0, 1e-9);
    for (const NumberSummary& line : {lines[0], lines[2]}) {
        SCOPED_TRACE(qPrintable(numberName(line.number)));
        EXPECT_EQ(line.blocks, 100);
        EXPECT_EQ(line.blocksLearned, 0);
        EXPECT_EQ(line.blocksDue, 0);
        EXPECT_NEAR(line.minutesToday, 100 * (1.2 + 3.0) / 60.0, 1e-9);
    }
}
