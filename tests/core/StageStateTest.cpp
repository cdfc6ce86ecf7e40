#include "stage/StageState.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

TEST(StageState, newStage_hasFixedLimitsAndNothingCommitted)
{
    const StageState state;
    EXPECT_EQ(state.maxStageSeconds, 28800);
    EXPECT_FLOAT_EQ(state.lockAfterSeconds, 600.0f);
    EXPECT_EQ(state.maxDigitSeconds, 15);
    EXPECT_TRUE(state.countDown);
    EXPECT_EQ(state.nextDigitIndex, -1);
    EXPECT_FALSE(state.endedByRule);
    EXPECT_FLOAT_EQ(state.stageSeconds, 0.0f);
    EXPECT_TRUE(state.lastTimeText.isEmpty());
    EXPECT_TRUE(state.endMessage.isEmpty());
}

TEST(StageState, endByRule_keepsMessageAndMarksRuleEnding)
{
    StageState state;
    state.endByRule(DigitTimeExceededMessage);
    EXPECT_TRUE(state.endedByRule);
    EXPECT_EQ(state.endMessage.toStdString(), "The maximum answer time has been exceeded for one digit.");
    EXPECT_EQ(WrongLockedDigitMessage.toStdString(),
              "Since one of the digits that has been locked is wrong, the record attempt has been finished.");
}

namespace {

// Hands out the given random values in order, then repeats the last one.
struct ScriptedRandom
{
    std::vector<double> values;
    std::size_t next = 0;
    double operator()()
    {
        const double value = values[std::min(next, values.size() - 1)];
        ++next;
        return value;
    }
};

} // namespace

TEST(ChooseDraftNumber, freeNumber_isFloorOfThirtyThousandTimesR)
{
    const struct
    {
        double r;
        int number;
    } cases[] = {{0.0, 0}, {0.5, 15000}, {0.157033, 4710}, {0.99999999, 29999}};
    for (const auto& c : cases) {
        ScriptedRandom random{{c.r}};
        EXPECT_EQ(chooseDraftNumber(std::ref(random), [](int) { return false; }), c.number) << c.r;
    }
}

TEST(ChooseDraftNumber, existingDraft_drawsAgainInsteadOfOverwriting)
{
    const std::set<int> existing = {15000, 3000};
    ScriptedRandom random{{0.5, 0.1, 0.2}};
    const int number = chooseDraftNumber(std::ref(random), [&](int n) { return existing.count(n) > 0; });
    EXPECT_EQ(number, 6000);
    EXPECT_EQ(random.next, 3u);
}

TEST(ChooseDraftNumber, generatorKeepsHittingTakenNumbers_findsAFreeOneAnyway)
{
    // A generator stuck on one value must not loop forever; every number but 7 is taken.
    ScriptedRandom random{{0.5}};
    EXPECT_EQ(chooseDraftNumber(std::ref(random), [](int n) { return n != 7; }), 7);
}

TEST(ChooseDraftNumber, everyNumberTaken_returnsFirstPick)
{
    ScriptedRandom random{{0.25, 0.75}};
    EXPECT_EQ(chooseDraftNumber(std::ref(random), [](int) { return true; }), 7500);
}
