#include "stage/EntryRules.h"
#include "stage/CellEditorRules.h"
#include "stage/LockedDigitCheck.h"

#include <gtest/gtest.h>

namespace {

constexpr float Lock = 600.0f;
constexpr float Midnight = 86400.0f;

} // namespace

TEST(EntryAge, noStamp_isMinusOneAndNeverLocked)
{
    AnswerSheet sheet;
    sheet.reset(2, 30);
    EXPECT_FLOAT_EQ(cellAge(sheet, 1, 1, 5000.0f), -1.0f);
    EXPECT_FALSE(isCellLocked(sheet, 1, 1, Lock, 5000.0f));
}

TEST(EntryAge, lockStartsAtSixHundredSeconds_alsoAcrossMidnight)
{
    const struct
    {
        float stamp;
        float now;
        bool locked;
    } cases[] = {
        {1000.0f, 1599.0f, false},
        {1000.0f, 1599.99f, false},
        {1000.0f, 1600.0f, true},
        {1000.0f, 5000.0f, true},
        // Entered at 23:55: still open at 23:59:59 and at 00:04:59, locked from 00:05 on.
        {Midnight - 300.0f, Midnight - 1.0f, false},
        {Midnight - 300.0f, 299.0f, false},
        {Midnight - 300.0f, 300.0f, true},
    };
    AnswerSheet sheet;
    sheet.reset(1, 30);
    for (const auto& c : cases) {
        sheet.setStamp(1, 7, c.stamp);
        EXPECT_EQ(isCellLocked(sheet, 1, 7, Lock, c.now), c.locked) << c.stamp << " -> " << c.now;
    }
}

class CommitEditTest : public ::testing::Test
{
protected:
    void SetUp() override { m_sheet.reset(3, 30); }

    CommitOutcome type(int row, int column, const char* text, float now)
    {
        m_sheet.setCellText(row, column, QString::fromLatin1(text));
        return commitEdit(m_sheet, m_state, row, column, now);
    }

    AnswerSheet m_sheet;
    StageState m_state;
};

TEST_F(CommitEditTest, firstDigit_stampsAndStartsDigitClock)
{
    const CommitOutcome outcome = type(1, 1, "1", 100.0f);
    EXPECT_TRUE(outcome.stamped);
    EXPECT_TRUE(outcome.restartDigitClock);
    EXPECT_FLOAT_EQ(m_sheet.stamp(1, 1), 100.0f);
    EXPECT_EQ(m_state.nextDigitIndex, 2);
    EXPECT_FLOAT_EQ(m_state.digitStartTime, 100.0f);
}

TEST_F(CommitEditTest, retypingBehindFurthestDigit_keepsDigitClock)
{
    type(1, 1, "1", 100.0f);
    type(1, 2, "4", 101.0f);
    const CommitOutcome outcome = type(1, 1, "7", 105.0f);
    EXPECT_TRUE(outcome.stamped);
    EXPECT_FALSE(outcome.restartDigitClock);
    EXPECT_FLOAT_EQ(m_sheet.stamp(1, 1), 105.0f);
    EXPECT_EQ(m_state.nextDigitIndex, 3);
    EXPECT_FLOAT_EQ(m_state.digitStartTime, 101.0f);
}

TEST_F(CommitEditTest, digitAtOrAfterNextIndex_restartsDigitClock)
{
    type(1, 1, "1", 100.0f);
    EXPECT_TRUE(type(1, 2, "4", 102.0f).restartDigitClock);
    // Skipping ahead into the next row also counts as a new digit.
    EXPECT_TRUE(type(2, 5, "9", 104.0f).restartDigitClock);
    EXPECT_EQ(m_state.nextDigitIndex, 36);
    EXPECT_FLOAT_EQ(m_state.digitStartTime, 104.0f);
    EXPECT_FALSE(type(1, 30, "2", 106.0f).restartDigitClock);
}

TEST_F(CommitEditTest, emptyText_keepsStampAndDigitClock)
{
    type(1, 1, "1", 100.0f);
    const CommitOutcome outcome = type(1, 1, "", 200.0f);
    EXPECT_FALSE(outcome.stamped);
    EXPECT_FALSE(outcome.restartDigitClock);
    EXPECT_FLOAT_EQ(m_sheet.stamp(1, 1), 100.0f);
    EXPECT_FALSE(type(1, 2, "", 210.0f).stamped);
    EXPECT_FALSE(m_sheet.hasStamp(1, 2));
}

class LockedDigitsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_questions.reset(3, 30);
        m_answers.reset(3, 30);
        for (int row = 1; row <= 3; ++row)
            for (int column = 1; column <= 30; ++column)
                m_questions.setCellText(row, column, QString::number((row * 7 + column) % 10));
    }

    void answer(int row, int column, const QString& text, float stamp)
    {
        m_answers.setCellText(row, column, text);
        m_answers.setStamp(row, column, stamp);
    }
    QString question(int row, int column) const { return m_questions.cellText(row, column); }
    QString wrongDigit(int row, int column) const { return QString::number((question(row, column).toInt() + 1) % 10); }

    // The rule as a stage that has not looked at this sheet before runs it.
    static bool hasWrongLockedDigit(const AnswerSheet& answers, const CellTextSource& questions, float lock, float now)
    {
        return LockedDigitCheck().hasWrongLockedDigit(answers, questions, lock, now);
    }
    static bool checkLockedDigits(StageState& state, const AnswerSheet& answers, const CellTextSource& questions,
                                  float now)
    {
        LockedDigitCheck check;
        return ::checkLockedDigits(state, check, answers, questions, now);
    }

    AnswerSheet m_questions;
    AnswerSheet m_answers;
    StageState m_state;
};

TEST_F(LockedDigitsTest, correctLockedDigits_neverEndTheStage)
{
    for (int column = 1; column <= 30; ++column)
        answer(2, column, question(2, column), 1000.0f);
    EXPECT_FALSE(checkLockedDigits(m_state, m_answers, m_questions, 9000.0f));
    EXPECT_FALSE(m_state.endedByRule);
}

TEST_F(LockedDigitsTest, wrongDigit_endsStageOnlyOnceLocked)
{
    answer(1, 1, question(1, 1), 1000.0f);
    answer(3, 17, wrongDigit(3, 17), 1000.0f);
    EXPECT_FALSE(checkLockedDigits(m_state, m_answers, m_questions, 1599.0f));
    EXPECT_FALSE(m_state.endedByRule);

    EXPECT_TRUE(checkLockedDigits(m_state, m_answers, m_questions, 1600.0f));
    EXPECT_TRUE(m_state.endedByRule);
    EXPECT_EQ(m_state.endMessage, WrongLockedDigitMessage);
}

TEST_F(LockedDigitsTest, emptiedLockedCell_countsAsWrong)
{
    answer(2, 3, QString(), 1000.0f);
    EXPECT_FALSE(hasWrongLockedDigit(m_answers, m_questions, Lock, 1500.0f));
    EXPECT_TRUE(hasWrongLockedDigit(m_answers, m_questions, Lock, 1600.0f));
}

TEST_F(LockedDigitsTest, wrongDigitEnteredBeforeMidnight_foundAfterIt)
{
    answer(1, 5, wrongDigit(1, 5), Midnight - 300.0f);
    EXPECT_FALSE(hasWrongLockedDigit(m_answers, m_questions, Lock, 299.0f));
    EXPECT_TRUE(hasWrongLockedDigit(m_answers, m_questions, Lock, 300.0f));
}

TEST_F(LockedDigitsTest, answersWithoutStamp_areNeverCompared)
{
    // Restored answers carry no stamp: they are not locked, right or wrong.
    m_answers.setCellText(1, 1, wrongDigit(1, 1));
    EXPECT_FALSE(hasWrongLockedDigit(m_answers, m_questions, Lock, 80000.0f));
}

TEST_F(LockedDigitsTest, smallerQuestionSheet_skipsCellsItLacks)
{
    AnswerSheet fewQuestions;
    fewQuestions.reset(1, 30);
    answer(2, 1, QStringLiteral("5"), 1000.0f);
    EXPECT_FALSE(hasWrongLockedDigit(m_answers, fewQuestions, Lock, 2000.0f));
    answer(1, 30, QStringLiteral("5"), 1000.0f);
    EXPECT_TRUE(hasWrongLockedDigit(m_answers, fewQuestions, Lock, 2000.0f));
}

TEST(CellEditorRules, acceptsOnlyDigitsBackspaceAndEnter)
{
    for (int code = 0; code < 128; ++code) {
        const bool expected = (code >= '0' && code <= '9') || code == 8 || code == 13;
        EXPECT_EQ(isAcceptedEditorKey(code), expected) << code;
    }
    EXPECT_FALSE(isAcceptedEditorKey(0x0661)); // ARABIC-INDIC DIGIT ONE is no digit of this sheet
}

TEST(CellEditorRules, typedCharacter_movesCursorOn)
{
    const struct
    {
        GridCell cell;
        std::optional<GridCell> next;
    } cases[] = {
        {{1, 1}, GridCell{1, 2}},
        {{2, 29}, GridCell{2, 30}},
        {{2, 30}, GridCell{3, 1}},
        {{3, 30}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cellAfterTyping(c.cell, 3, 30), c.next) << c.cell.row << "," << c.cell.column;
}

// The stage keeps one check for its whole life; what it remembers must never hide a wrong digit.
TEST_F(LockedDigitsTest, rememberedRightCells_stillLetANewlyLockedWrongDigitThrough)
{
    LockedDigitCheck check;
    answer(1, 1, question(1, 1), 1000.0f);
    answer(1, 2, wrongDigit(1, 2), 1300.0f);
    EXPECT_FALSE(::checkLockedDigits(m_state, check, m_answers, m_questions, 1600.0f));
    EXPECT_TRUE(::checkLockedDigits(m_state, check, m_answers, m_questions, 1900.0f));
}

TEST_F(LockedDigitsTest, rememberedRightCell_isComparedAgainWhenItsTextIsReplaced)
{
    LockedDigitCheck check;
    answer(1, 1, question(1, 1), 1000.0f);
    EXPECT_FALSE(::checkLockedDigits(m_state, check, m_answers, m_questions, 1600.0f));
    // A restored draft replaces texts and keeps stamps.
    m_answers.setCellText(1, 1, wrongDigit(1, 1));
    EXPECT_TRUE(::checkLockedDigits(m_state, check, m_answers, m_questions, 1601.0f));
}
