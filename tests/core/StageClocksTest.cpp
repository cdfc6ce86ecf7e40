#include "stage/StageClocks.h"

#include <gtest/gtest.h>

namespace {

constexpr float Midnight = 86400.0f;
constexpr float Start = 1000.0f;

} // namespace

TEST(Concentration, startText_hasTwoDigits)
{
    const struct
    {
        int seconds;
        const char* text;
    } cases[] = {{3, "03"}, {5, "05"}, {10, "10"}, {60, "60"}};
    for (const auto& c : cases) {
        StageState state;
        state.concentrationSeconds = c.seconds;
        EXPECT_EQ(startConcentration(state, Start).toStdString(), c.text);
        EXPECT_FLOAT_EQ(state.stageStartTime, Start);
    }
}

TEST(Concentration, sixtySeconds_stepsDownAndEndsAtZero)
{
    const struct
    {
        float elapsed;
        const char* text;
        bool finished;
    } cases[] = {
        {0.0f, "60", false},
        {0.3f, "60", false},
        // 59.496 left: hundredths give 59.5, which rounds to 60.
        {0.504f, "60", false},
        {0.51f, "59", false},
        {1.0f, "59", false},
        {30.0f, "30", false},
        {59.49f, "01", false},
        {59.5f, "00", false},
        {59.99f, "00", false},
        {59.996f, "00", true},
        {60.0f, "00", true},
        {75.0f, "00", true},
    };
    for (const auto& c : cases) {
        StageState state;
        startConcentration(state, Start);
        const ConcentrationFrame frame = concentrationTick(state, Start + c.elapsed);
        EXPECT_EQ(frame.text.toStdString(), c.text) << c.elapsed;
        EXPECT_EQ(frame.finished, c.finished) << c.elapsed;
    }
}

TEST(Concentration, finishingTick_startsRecallClockThere)
{
    StageState state;
    state.concentrationSeconds = 3;
    startConcentration(state, Start);
    EXPECT_FLOAT_EQ(state.stageStartTime, Start);
    concentrationTick(state, Start + 2.0f);
    EXPECT_FLOAT_EQ(state.stageStartTime, Start);
    ASSERT_TRUE(concentrationTick(state, Start + 3.01f).finished);
    EXPECT_FLOAT_EQ(state.stageStartTime, Start + 3.01f);
}

TEST(Concentration, acrossMidnight_countsOn)
{
    StageState state;
    startConcentration(state, Midnight - 10.0f);
    EXPECT_EQ(concentrationTick(state, 10.0f).text.toStdString(), "40");
}

class StageTickTest : public ::testing::Test
{
protected:
    StageFrame tickAt(float used, bool boxOpen = false)
    {
        return stageTick(m_state, m_state.stageStartTime + used, boxOpen);
    }
    static std::string shown(const StageFrame& frame)
    {
        return frame.displayText ? frame.displayText->toStdString() : "-";
    }

    StageState m_state;
};

TEST_F(StageTickTest, countDown_showsRemainingTimeAndHoldsTheUsedTime)
{
    m_state.stageStartTime = Start;
    const struct
    {
        float used;
        const char* text;
        float stageSeconds;
    } cases[] = {
        {0.0f, "8:00:00", 0.0f},
        // The remaining text always differs from the next used text, so every tick redraws.
        {0.01f, "8:00:00", 0.01f},
        {0.5f, "8:00:00", 0.5f},
        {0.51f, "7:59:59", 0.51f},
        {1.0f, "7:59:59", 1.0f},
        {3600.0f, "7:00:00", 3600.0f},
    };
    for (const auto& c : cases) {
        const StageFrame frame = tickAt(c.used);
        EXPECT_EQ(shown(frame), c.text) << c.used;
        EXPECT_NEAR(m_state.stageSeconds, c.stageSeconds, 0.002f) << c.used;
        EXPECT_EQ(m_state.lastTimeText.toStdString(), c.text) << c.used;
        EXPECT_FALSE(frame.stopClock);
    }
}

TEST_F(StageTickTest, countUp_redrawsOncePerSecondAndHoldsUsedTime)
{
    m_state.stageStartTime = Start;
    m_state.countDown = false;
    EXPECT_EQ(shown(tickAt(0.0f)), "0:00:00");
    EXPECT_EQ(shown(tickAt(0.4f)), "-");
    EXPECT_EQ(shown(tickAt(1.0f)), "0:00:01");
    EXPECT_FLOAT_EQ(m_state.stageSeconds, 1.0f);
    EXPECT_EQ(shown(tickAt(1.2f)), "-");
    EXPECT_FLOAT_EQ(m_state.stageSeconds, 1.2f);
}

TEST_F(StageTickTest, displayOff_drawsNothingAndHoldsUsedTime)
{
    m_state.stageStartTime = Start;
    m_state.showStageTimer = false;
    EXPECT_EQ(shown(tickAt(5.0f)), "-");
    EXPECT_FLOAT_EQ(m_state.stageSeconds, 5.0f);
    EXPECT_TRUE(m_state.lastTimeText.isEmpty());
}

TEST_F(StageTickTest, acrossMidnight_addsADay)
{
    m_state.countDown = false;
    m_state.stageStartTime = Midnight - 10.0f;
    EXPECT_EQ(shown(stageTick(m_state, 10.0f, false)), "0:00:20");
    EXPECT_FLOAT_EQ(m_state.stageSeconds, 20.0f);
    m_state.stageStartTime = Midnight - 0.5f;
    stageTick(m_state, 0.25f, false);
    EXPECT_FLOAT_EQ(m_state.stageSeconds, 0.75f);
}

TEST_F(StageTickTest, maximumReached_clampsStopsAndFinishes)
{
    const struct
    {
        bool display;
        bool countDown;
        const char* text;
        float stageSeconds;
    } cases[] = {
        {true, true, "0:00:00", 28800.0f},
        {true, false, "8:00:00", 28800.0f},
        {false, true, "-", 28800.0f},
    };
    for (const auto& c : cases) {
        m_state = StageState();
        m_state.showStageTimer = c.display;
        m_state.countDown = c.countDown;
        EXPECT_FALSE(tickAt(28799.2f).stopClock);
        const StageFrame frame = tickAt(28800.37f);
        EXPECT_TRUE(frame.stopClock);
        EXPECT_TRUE(frame.finish);
        EXPECT_EQ(shown(frame), c.text);
        EXPECT_FLOAT_EQ(m_state.stageSeconds, c.stageSeconds);
    }
}

TEST_F(StageTickTest, maximumWithBoxOpen_stopsWithoutFinishing)
{
    const StageFrame frame = tickAt(28800.0f, true);
    EXPECT_TRUE(frame.stopClock);
    EXPECT_FALSE(frame.finish);
}

TEST_F(StageTickTest, tickingLikeATimer_finishesExactlyOnce)
{
    for (const bool display : {true, false}) {
        m_state = StageState();
        m_state.showStageTimer = display;
        int finishes = 0;
        bool running = true;
        for (float used = 28799.0f; used < 28802.0f; used += 0.01f) {
            if (!running)
                continue;
            const StageFrame frame = tickAt(used);
            running = !frame.stopClock;
            finishes += frame.finish ? 1 : 0;
        }
        EXPECT_EQ(finishes, 1) << display;
        EXPECT_FALSE(running);
    }
}

TEST(TimeDisplayResize, showsMaximumOnlyWhenDisplayUsed)
{
    StageState state;
    EXPECT_EQ(timeDisplayResizeText(state).toStdString(), "8:00:00");
    state.showStageTimer = false;
    EXPECT_TRUE(timeDisplayResizeText(state).isEmpty());
}

TEST(DigitTick, barCell_isTheCellAfterTheFurthestDigit)
{
    const struct
    {
        int digitIndex, digitsPerRow, row, column;
    } cases[] = {{1, 30, 1, 1},
                 {2, 30, 1, 2},
                 {30, 30, 1, 30},
                 {31, 30, 2, 1},
                 {60, 30, 2, 30},
                 {77, 36, 3, 5},
                 // After the last cell of a 3-row grid: a row that does not exist, so no bar is drawn.
                 {91, 30, 4, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(cellOfDigit(c.digitIndex, c.digitsPerRow), (GridCell{c.row, c.column})) << c.digitIndex;
}

TEST(DigitTick, bar_fillsOverFifteenSecondsAlsoAcrossMidnight)
{
    StageState state;
    state.nextDigitIndex = 31;
    state.digitStartTime = Midnight - 5.0f;
    const DigitFrame frame = digitTick(state, 5.0f);
    ASSERT_TRUE(frame.barCell.has_value());
    EXPECT_EQ(*frame.barCell, (GridCell{2, 1}));
    EXPECT_NEAR(frame.barPercent, 10.0f / 15.0f * 100.0f, 1e-3f);
    EXPECT_FALSE(frame.finish);

    state.cellTimerOn = false;
    EXPECT_FALSE(digitTick(state, 5.0f).barCell.has_value());
}

TEST(DigitTick, fifteenSeconds_endsStageOnceWithOrWithoutBar)
{
    for (const bool bar : {true, false}) {
        StageState state;
        state.cellTimerOn = bar;
        state.nextDigitIndex = 91; // the furthest digit is the grid's last cell; its bar is not drawn
        state.digitStartTime = Start;
        int finishes = 0;
        bool running = true;
        float stoppedAt = 0.0f;
        for (float d = 14.9f; d < 16.0f; d += 0.01f) {
            if (!running)
                continue;
            const DigitFrame frame = digitTick(state, Start + d);
            if (frame.finish) {
                running = false;
                stoppedAt = d;
                ++finishes;
            }
        }
        EXPECT_EQ(finishes, 1) << bar;
        EXPECT_NEAR(stoppedAt, 15.0f, 0.011f) << bar;
        EXPECT_TRUE(state.endedByRule);
        EXPECT_EQ(state.endMessage, DigitTimeExceededMessage);
    }
}

TEST(AnswerDelay, remainingTimeRounded_atMostFive)
{
    const struct
    {
        bool display;
        bool countDown;
        float stageSeconds;
        int delay;
    } cases[] = {
        // stageSeconds holds the used time in every display mode.
        {true, true, 28800.0f - 2.6f, 3}, {true, true, 28800.0f - 3.4f, 3}, {true, true, 28800.0f - 2.5f, 2},
        {true, true, 28800.0f - 0.4f, 0}, {true, true, 28800.0f - 5.5f, 5}, {true, true, 800.0f, 5},
        {true, false, 28797.4f, 3},       {true, false, 100.0f, 5},         {false, true, 28797.4f, 3},
        {false, true, 100.0f, 5},         {false, false, 28797.4f, 3},      {false, true, 28800.0f, 0},
    };
    for (const auto& c : cases) {
        StageState state;
        state.showStageTimer = c.display;
        state.countDown = c.countDown;
        state.stageSeconds = c.stageSeconds;
        state.lastTimeText = QStringLiteral("7:59:59");
        EXPECT_EQ(answerDelaySeconds(state), c.delay) << c.display << c.countDown << " " << c.stageSeconds;
    }
}

TEST(AnswerDelay, beforeTheFirstRemainingTimeIsShown_waitsOnlyWithTheDisplayCountingDown)
{
    const struct
    {
        bool display;
        bool countDown;
        int delay;
    } cases[] = {{true, true, 0}, {true, false, 5}, {false, true, 5}, {false, false, 5}};
    for (const auto& c : cases) {
        StageState state;
        state.showStageTimer = c.display;
        state.countDown = c.countDown;
        EXPECT_EQ(answerDelaySeconds(state), c.delay) << c.display << c.countDown;
    }
}

TEST(AnswerDelay, followsStageClock_inEveryDisplayMode)
{
    for (const bool display : {true, false}) {
        for (const bool countDown : {true, false}) {
            StageState state;
            state.showStageTimer = display;
            state.countDown = countDown;
            state.stageStartTime = Start;
            stageTick(state, Start + 28797.4f, false);
            EXPECT_EQ(answerDelaySeconds(state), 3) << display << countDown;
            stageTick(state, Start + 100.0f, false);
            EXPECT_EQ(answerDelaySeconds(state), 5) << display << countDown;
        }
    }
}
