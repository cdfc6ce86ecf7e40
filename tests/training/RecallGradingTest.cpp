#include "training/RecallGrading.h"
#include "training/FsrsScheduler.h"

#include <gtest/gtest.h>

namespace {

// A recall of `digits` digits typed at `msPerDigit` each; `wrongAt` and `hintAt` (1-based keystrokes) mark
// one wrong digit or one hint, which ends the recall there as the learn and review views do.
ItemRecall recall(int digits, int msPerDigit, int typed, int wrongAt = 0, int hintAt = 0)
{
    ItemRecall result;
    result.digitCount = digits;
    for (int k = 1; k <= typed; ++k) {
        const QChar expected(u'0' + k % 10);
        RecallKeystroke key{100 + k, expected, expected, qint64(k) * msPerDigit, false};
        if (k == wrongAt)
            key.typed = QChar(u'0' + (k + 1) % 10);
        if (k == hintAt) {
            key.hint = true;
            key.typed = QChar();
        }
        result.keystrokes.push_back(key);
    }
    return result;
}

} // namespace

TEST(RecallGrading, keystrokes_giveTheGrade)
{
    const struct
    {
        const char* what;
        ItemRecall recall;
        std::optional<double> median;
        Rating expected;
    } cases[] = {
        {"all right at the usual pace", recall(100, 800, 100), 800.0, Rating::Good},
        {"all right and faster", recall(100, 400, 100), 800.0, Rating::Good},
        {"all right at exactly 1.5 times", recall(100, 1200, 100), 800.0, Rating::Good},
        {"all right but slower than 1.5 times", recall(100, 1201, 100), 800.0, Rating::Hard},
        {"all right, slow, no earlier pace", recall(100, 5000, 100), std::nullopt, Rating::Good},
        {"a wrong digit", recall(100, 800, 37, 37), 800.0, Rating::Again},
        {"a wrong first digit", recall(100, 800, 1, 1), 800.0, Rating::Again},
        {"a hint", recall(100, 800, 52, 0, 52), 800.0, Rating::Again},
        {"a hint on a slow recall", recall(100, 5000, 10, 0, 10), 800.0, Rating::Again},
        {"stopped before the end", recall(100, 800, 99), 800.0, Rating::Again},
        {"nothing typed", recall(100, 800, 0), 800.0, Rating::Again},
        {"a junction's five digits", recall(5, 700, 5), 800.0, Rating::Good},
        {"more keystrokes than digits", recall(5, 700, 6), 800.0, Rating::Again},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(gradeRecall(c.recall, c.median), c.expected);
    }
}

TEST(RecallGrading, paceAndMedian)
{
    EXPECT_DOUBLE_EQ(*recallPace(recall(100, 800, 100)), 800.0);
    EXPECT_EQ(recallPace(recall(100, 800, 0)), std::nullopt);
    EXPECT_EQ(medianPace({}), std::nullopt);
    EXPECT_DOUBLE_EQ(*medianPace({900.0}), 900.0);
    EXPECT_DOUBLE_EQ(*medianPace({3000.0, 700.0, 900.0}), 900.0);
    EXPECT_DOUBLE_EQ(*medianPace({1000.0, 600.0, 4000.0, 800.0}), 900.0);
}

TEST(RecallGrading, onlyTheFirstRecallOfADay_isALongTermReview)
{
    EXPECT_TRUE(isLongTermReview(std::nullopt, 100));
    EXPECT_TRUE(isLongTermReview(99, 100));
    EXPECT_TRUE(isLongTermReview(40, 100));
    EXPECT_FALSE(isLongTermReview(100, 100));
    // A calendar set back counts as the same day, never as a new one.
    EXPECT_FALSE(isLongTermReview(101, 100));
}
