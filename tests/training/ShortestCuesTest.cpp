#include "training/ShortestCues.h"
#include "training/TrainingNumber.h"

#include <QString>

#include <gtest/gtest.h>

#include <string>

namespace {

// Occurrences of `needle` anywhere in `text`, overlapping ones included.
int occurrences(const std::string& text, const std::string& needle)
{
    int count = 0;
    for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++count;
    return count;
}

// Checks every position by plain search: the cue names one place (it occurs once, or runs back to the point),
// and no shorter cue would.
void expectShortestAndUnique(const QString& learned)
{
    const std::string text = learned.toStdString();
    const ShortestCues cues(learned);
    ASSERT_EQ(cues.learnedCount(), int(text.size()));
    for (int position = 1; position <= int(text.size()); ++position) {
        SCOPED_TRACE(position);
        const std::optional<Cue> cue = cues.cueFor(position);
        ASSERT_TRUE(cue);
        ASSERT_EQ(cue->firstPosition + cue->length, position);
        const std::string shown = text.substr(std::size_t(cue->firstPosition - 1), std::size_t(cue->length));
        if (!cue->fromStart()) {
            ASSERT_EQ(occurrences(text, shown), 1) << shown;
        }
        if (cue->length > 0) {
            ASSERT_GT(occurrences(text, shown.substr(1)), 1) << shown;
        }
    }
}

} // namespace

TEST(ShortestCues, everyPosition_hasTheShortestCueThatNamesItsPlace)
{
    const struct
    {
        const char* name;
        QString learned;
    } cases[] = {
        {"first 3000 digits of pi", numberDigits(TrainingNumber::Pi).left(3000)},
        {"first 1200 digits of e", numberDigits(TrainingNumber::E).left(1200)},
        {"one digit repeated", QString(300, u'7')},
        {"a short period", QStringLiteral("0123").repeated(50)},
        {"a period with a break", QStringLiteral("01").repeated(60) + u'9' + QStringLiteral("01").repeated(60)},
        {"one digit", QStringLiteral("5")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectShortestAndUnique(c.learned);
    }
}

TEST(ShortestCues, wholeNumbers_needAtMostNineDigitsForPiAndEightForEAndSqrt2)
{
    const struct
    {
        TrainingNumber number;
        int digits;
        int longestCue;
    } cases[] = {
        {TrainingNumber::Pi, 32767, 9},
        {TrainingNumber::E, 10000, 8},
        {TrainingNumber::Sqrt2, 10000, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(numberName(c.number).toStdString());
        const QString& digits = numberDigits(c.number);
        ASSERT_EQ(digits.size(), c.digits);
        EXPECT_EQ(ShortestCues(digits).longestCue(), c.longestCue);
    }
}

TEST(ShortestCues, cueIsUniqueWithinTheLearnedDigitsOnly)
{
    const QString& pi = numberDigits(TrainingNumber::Pi);
    const ShortestCues learned(QStringView(pi).left(1000));
    const ShortestCues whole(pi);
    int shorter = 0;
    for (int position = 1; position <= 1000; ++position) {
        EXPECT_LE(learned.cueFor(position)->length, whole.cueFor(position)->length);
        shorter += learned.cueFor(position)->length < whole.cueFor(position)->length ? 1 : 0;
    }
    EXPECT_GT(shorter, 500);
}

TEST(ShortestCues, startAndPositionsOutsideTheLearnedDigits)
{
    const QString& e = numberDigits(TrainingNumber::E);
    const ShortestCues cues(QStringView(e).left(100));
    EXPECT_EQ(cues.cueFor(1)->length, 0);
    EXPECT_TRUE(cues.cueFor(1)->fromStart());
    EXPECT_EQ(cues.cueFor(0), std::nullopt);
    EXPECT_EQ(cues.cueFor(101), std::nullopt);
    EXPECT_EQ(ShortestCues(QStringView()).learnedCount(), 0);
    EXPECT_EQ(ShortestCues(QStringView()).longestCue(), 0);
}
