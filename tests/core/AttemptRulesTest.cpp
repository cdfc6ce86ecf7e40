#include "rules/AttemptRules.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(AttemptRules, digitText_isOneAsciiDigit)
{
    const struct
    {
        QString text;
        bool digit;
    } cases[] = {
        {QStringLiteral("0"), true},     {QStringLiteral("9"), true},  {QString(), false},
        {QStringLiteral("12"), false},   {QStringLiteral("x"), false}, {QStringLiteral(" "), false},
        {QString(QChar(0x0661)), false}, // ARABIC-INDIC DIGIT ONE
        {QString(QChar(0xFF11)), false}, // FULLWIDTH DIGIT ONE
    };
    for (const auto& c : cases)
        EXPECT_EQ(isDigitText(c.text), c.digit) << c.text.toStdString();
}

TEST(AttemptRules, newDigit_isAnEntryAtOrPastTheFront)
{
    const struct
    {
        const char* text;
        int digitIndex;
        int nextDigitIndex;
        bool isNew;
    } cases[] = {
        {"3", 1, NoDigitYet, true},
        {"3", 7, NoDigitYet, true},
        {"3", 5, 5, true},
        {"3", 9, 5, true},
        {"3", 4, 5, false},
        // Emptying a cell is no entry, at the front or not.
        {"", 5, 5, false},
        {"", 1, NoDigitYet, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isNewDigit(QString::fromLatin1(c.text), c.digitIndex, c.nextDigitIndex), c.isNew)
            << '"' << c.text << "\" at " << c.digitIndex << ", next " << c.nextDigitIndex;
    EXPECT_EQ(nextDigitIndexAfter(5), 6);
}

// The stage measures in float seconds; its limits must fall exactly where the seconds reach them.
TEST(AttemptRules, stageSeconds_reachAMillisecondLimitExactlyAtIt)
{
    const float justBelowLock = std::nextafter(600.0f, 0.0f);
    EXPECT_EQ(wholeMilliseconds(600.0f), LockAfterMs);
    EXPECT_EQ(wholeMilliseconds(justBelowLock), LockAfterMs - 1);
    EXPECT_TRUE(isLockedAtAgeMs(wholeMilliseconds(600.0f)));
    EXPECT_FALSE(isLockedAtAgeMs(wholeMilliseconds(justBelowLock)));

    const float justBelowDigitLimit = std::nextafter(15.0f, 0.0f);
    EXPECT_TRUE(digitTimeIsUpAfterMs(wholeMilliseconds(15.0f)));
    EXPECT_FALSE(digitTimeIsUpAfterMs(wholeMilliseconds(justBelowDigitLimit)));

    // A cell never entered has an age of -1 s and never locks.
    EXPECT_FALSE(isLockedAtAgeMs(wholeMilliseconds(-1.0)));
}
