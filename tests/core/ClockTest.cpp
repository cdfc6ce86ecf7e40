#include "base/Clock.h"
#include "FakeClock.h"
#include "base/ClockText.h"
#include "base/Rounding.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <cstdlib>

TEST(ElapsedSeconds, acrossMidnight_addsADay)
{
    EXPECT_FLOAT_EQ(elapsedSeconds(86390.0f, 10.0f), 20.0f);
    EXPECT_FLOAT_EQ(elapsedSeconds(100.0f, 160.5f), 60.5f);
    EXPECT_FLOAT_EQ(elapsedSeconds(100.0f, 100.0f), 0.0f);
}

TEST(SystemClock, readsFromItsOwnOrigin_neverBack_andTellsTheTimeOfDayApart)
{
    const SystemClock clock;
    float previous = clock.seconds();
    EXPECT_GE(previous, 0.0f);
    EXPECT_LT(previous, 5.0f) << "each clock counts from when it was made";
    for (int reading = 0; reading < 1000; ++reading) {
        const float now = clock.seconds();
        ASSERT_GE(now, previous);
        previous = now;
    }
    EXPECT_LT(std::llabs(clock.wallMsSinceEpoch() - QDateTime::currentMSecsSinceEpoch()), 1000);
}

TEST(FakeClock, aStepOfTheTimeOfDay_passesNoTime)
{
    FakeClock clock(100.0f);
    const qint64 wall = clock.wallMsSinceEpoch();
    clock.stepWall(-3'600'000);
    EXPECT_FLOAT_EQ(clock.seconds(), 100.0f);
    EXPECT_EQ(clock.wallMsSinceEpoch(), wall - 3'600'000);
    clock.advance(2.5f);
    EXPECT_EQ(clock.wallMsSinceEpoch(), wall - 3'600'000 + 2'500);
}

TEST(Rounding, halvesGoToEven)
{
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
    EXPECT_EQ(roundHalfEven(1.5), 2.0);
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(573.5), 574.0);
    EXPECT_EQ(roundHalfEven(181.5), 182.0);
    EXPECT_EQ(roundHalfEven(422.5), 422.0);
    EXPECT_FLOAT_EQ(roundToHundredths(59.496f), 59.5f);
    EXPECT_FLOAT_EQ(roundToHundredths(754.374f), 754.37f);
}

TEST(Rounding, rectangleOnPixels_roundsEachOfItsFourValues)
{
    // Each value on its own: rounding the right edge instead would make the first one 3 pixels wide.
    EXPECT_EQ(roundToPixels(QRectF(0.5, 1.5, 2.5, 3.5)), QRect(0, 2, 2, 4));
    EXPECT_EQ(roundToPixels(QRectF(565.5, -0.5, 150.4, 49.6)), QRect(566, 0, 150, 50));
}

TEST(ClockText, formatsHoursMinutesSeconds)
{
    const struct
    {
        float seconds;
        const char* text;
    } cases[] = {
        {0.0f, "0:00:00"},     {754.37f, "0:12:34"},   {0.4f, "0:00:00"},
        {28800.0f, "8:00:00"}, {28799.5f, "8:00:00"},  {28798.5f, "7:59:58"},
        {59.5f, "0:01:00"},    {90061.0f, "25:01:01"}, {-3.0f, "0:00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(clockText(c.seconds).toStdString(), c.text) << c.seconds;
}
