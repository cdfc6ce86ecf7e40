#include "record/UsedTimeText.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
const QLocale German(QLocale::German, QLocale::Germany);
}

TEST(UsedTimeText, shortestTextWithoutGroupingOrExponent)
{
    const struct
    {
        float seconds;
        const char* c;
        const char* german;
    } cases[] = {
        {0.0f, "0", "0"},
        {-0.0f, "0", "0"},
        {12.0f, "12", "12"},
        {754.5f, "754.5", "754,5"},
        {754.37f, "754.37", "754,37"},
        {3601.25f, "3601.25", "3601,25"},
        {1234.5f, "1234.5", "1234,5"},
        {0.01f, "0.01", "0,01"},
        {0.1f, "0.1", "0,1"},
        {28799.99f, "28799.99", "28799,99"},
        {28800.0f, "28800", "28800"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(usedTimeText(c.seconds, QLocale::c()).toStdString(), c.c);
        EXPECT_EQ(usedTimeText(c.seconds, German).toStdString(), c.german);
    }
}

TEST(UsedTimeText, everyHundredthReadsBackToTheSameValue)
{
    for (const QLocale& locale : {QLocale::c(), German}) {
        for (int hundredths = 0; hundredths <= 2880000; ++hundredths) {
            const float seconds = static_cast<float>(hundredths / 100.0);
            const QString text = usedTimeText(seconds, locale);
            const std::optional<float> back = parseUsedTimeText(text, locale);
            ASSERT_TRUE(back.has_value()) << text.toStdString();
            ASSERT_EQ(std::memcmp(&*back, &seconds, sizeof seconds), 0) << text.toStdString();
            // At most 7 significant digits: no more than 8 characters with the separator.
            ASSERT_LE(text.size(), 8) << text.toStdString();
        }
    }
}

TEST(UsedTimeText, parseRefusesTextsOfAnotherForm)
{
    const struct
    {
        const char* text;
        bool german;
    } refused[] = {
        {"", false},      {"", true},        {".", false},       {",", true},    {"754.5", true},
        {"754,5", false}, {"1.234,5", true}, {"1,234.5", false}, {"-5", false},  {"+5", false},
        {"5e3", false},   {" 5", false},     {"5 ", false},      {"abc", false}, {"1.2.3", false},
        {"1,2,3", true},  {"12.", false},    {".5", false},      {"٣", false},
    };
    for (const auto& r : refused) {
        const QLocale locale = r.german ? German : QLocale::c();
        EXPECT_FALSE(parseUsedTimeText(QString::fromUtf8(r.text), locale).has_value()) << r.text;
    }
    EXPECT_EQ(parseUsedTimeText(QStringLiteral("754,5"), German), 754.5f);
    EXPECT_EQ(parseUsedTimeText(QStringLiteral("754.5"), QLocale::c()), 754.5f);
    EXPECT_EQ(parseUsedTimeText(QStringLiteral("600"), German), 600.0f);
    EXPECT_EQ(parseUsedTimeText(QStringLiteral("0"), QLocale::c()), 0.0f);
}

TEST(MeasureUsedSeconds, roundsToHundredthsAndAddsADayAfterMidnight)
{
    EXPECT_FLOAT_EQ(measureUsedSeconds(100.0f, 854.5f), 754.5f);
    EXPECT_FLOAT_EQ(measureUsedSeconds(86390.0f, 10.0f), 20.0f);
    EXPECT_FLOAT_EQ(measureUsedSeconds(86399.99f, 0.01f), 0.02f);
    EXPECT_FLOAT_EQ(measureUsedSeconds(100.0f, 100.125f), 0.12f);
    EXPECT_FLOAT_EQ(measureUsedSeconds(100.0f, 100.375f), 0.38f);
    EXPECT_FLOAT_EQ(measureUsedSeconds(100.0f, 100.625f), 0.62f);
}
