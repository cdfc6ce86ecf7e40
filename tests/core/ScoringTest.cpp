#include "results/Scoring.h"
#include "results/ScoreTable.h"
#include "stage/AnswerSheet.h"

#include <gtest/gtest.h>

namespace {
// Question digits of a sheet of whole rows, as the attempt record asks them; the digits themselves
// only need to vary.
AnswerSheet questionSheet(int digitCount, int digitsPerRow)
{
    AnswerSheet sheet;
    sheet.reset(digitCount / digitsPerRow, digitsPerRow);
    for (int row = 1; row <= sheet.rowCount(); ++row)
        for (int column = 1; column <= digitsPerRow; ++column)
            sheet.setCellText(row, column, QString::number((row * 7 + column * 3) % 10));
    return sheet;
}

AnswerSheet copyOf(const AnswerSheet& questions)
{
    AnswerSheet answers;
    answers.reset(questions.rowCount(), questions.columnCount());
    for (int row = 1; row <= questions.rowCount(); ++row)
        for (int column = 1; column <= questions.columnCount(); ++column)
            answers.setCellText(row, column, questions.cellText(row, column));
    return answers;
}

QString otherDigit(const QString& digit)
{
    return QString::number((digit.toInt() + 1) % 10);
}

struct SheetShape
{
    int digitCount;
    int digitsPerRow;
    int expectedScore;
};
} // namespace

TEST(Scoring, allCorrect_scoresEveryCellOfTheSheet)
{
    const SheetShape shapes[] = {{10000, 30, 9990}, {10000, 36, 9972}, {10000, 40, 10000}, {32767, 36, 32760}};
    for (const SheetShape& shape : shapes) {
        SCOPED_TRACE(shape.digitsPerRow);
        const AnswerSheet questions = questionSheet(shape.digitCount, shape.digitsPerRow);
        const Scoring scoring(questions, copyOf(questions));
        EXPECT_EQ(scoring.score(), shape.expectedScore);
        EXPECT_EQ(scoring.rowCount() * scoring.columnCount(), shape.expectedScore);
        EXPECT_TRUE(scoring.isCorrect(scoring.rowCount(), scoring.columnCount()));
    }
}

TEST(Scoring, firstCellEmpty_scoresZeroButLaterCellsStayCorrect)
{
    const AnswerSheet questions = questionSheet(10000, 30);
    AnswerSheet answers = copyOf(questions);
    answers.setCellText(1, 1, QString());
    const Scoring scoring(questions, answers);
    EXPECT_EQ(scoring.score(), 0);
    EXPECT_FALSE(scoring.isCorrect(1, 1));
    EXPECT_TRUE(scoring.isCorrect(1, 2));
    EXPECT_TRUE(scoring.isCorrect(333, 30));
}

TEST(Scoring, wrongDigit58_scores57WhateverFollows)
{
    enum class Rest
    {
        Correct,
        Wrong,
        Empty
    };
    for (const Rest rest : {Rest::Correct, Rest::Wrong, Rest::Empty}) {
        SCOPED_TRACE(int(rest));
        const AnswerSheet questions = questionSheet(10000, 40);
        AnswerSheet answers = copyOf(questions);
        // Digit 58 is row 2, column 18 with 40 digits per row.
        answers.setCellText(2, 18, otherDigit(questions.cellText(2, 18)));
        for (int column = 19; column <= 40; ++column) {
            if (rest == Rest::Wrong)
                answers.setCellText(2, column, otherDigit(questions.cellText(2, column)));
            else if (rest == Rest::Empty)
                answers.setCellText(2, column, QString());
        }
        const Scoring scoring(questions, answers);
        EXPECT_EQ(scoring.score(), 57);
        EXPECT_TRUE(scoring.isCorrect(2, 17));
        EXPECT_FALSE(scoring.isCorrect(2, 18));
        EXPECT_EQ(scoring.isCorrect(2, 19), rest == Rest::Correct);
    }
}

TEST(Scoring, wrongLastCellOfFirstRow_stopsTheCountAcrossRows)
{
    const AnswerSheet questions = questionSheet(10000, 30);
    AnswerSheet answers = copyOf(questions);
    answers.setCellText(1, 30, otherDigit(questions.cellText(1, 30)));
    EXPECT_EQ(Scoring(questions, answers).score(), 29);
}

TEST(Scoring, displayText_isQuestionAloneOrQuestionOverAnswer)
{
    struct Case
    {
        const char* answer;
        bool correct;
        QString expected;
    };
    const Case cases[] = {
        {"4", true, QStringLiteral("4")},
        {"", false, QStringLiteral("4\r\n")},
        {"7", false, QStringLiteral("4\r\n7")},
        // A foreign draft may bring any text; only the exact digit is correct.
        {"44", false, QStringLiteral("4\r\n44")},
        {" 4", false, QStringLiteral("4\r\n 4")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        AnswerSheet questions;
        questions.reset(1, 1);
        questions.setCellText(1, 1, QStringLiteral("4"));
        AnswerSheet answers;
        answers.reset(1, 1);
        answers.setCellText(1, 1, QString::fromUtf8(c.answer));
        const Scoring scoring(questions, answers);
        EXPECT_EQ(scoring.isCorrect(1, 1), c.correct);
        EXPECT_EQ(scoring.displayText(1, 1), c.expected);
        EXPECT_EQ(scoring.score(), c.correct ? 1 : 0);
    }
}

TEST(Scoring, answersSmallerThanQuestions_missingCellsCountAsEmpty)
{
    const AnswerSheet questions = questionSheet(120, 30);
    AnswerSheet answers;
    answers.reset(2, 30);
    for (int row = 1; row <= 2; ++row)
        for (int column = 1; column <= 30; ++column)
            answers.setCellText(row, column, questions.cellText(row, column));
    const Scoring scoring(questions, answers);
    EXPECT_EQ(scoring.score(), 60);
    EXPECT_FALSE(scoring.isCorrect(3, 1));
    EXPECT_EQ(scoring.displayText(4, 30), questions.cellText(4, 30) + QStringLiteral("\r\n"));
}

TEST(Scoring, explanationText_isTheProgramsSentence)
{
    EXPECT_EQ(Scoring::explanationText(),
              QStringLiteral("Question is written at the top of the each cell and your answer at the bottom."));
}

TEST(ScoreTable, texts_captionsScoreAndClockTexts)
{
    struct Case
    {
        int score;
        float maxSeconds;
        float usedSeconds;
        const char* scoreText;
        const char* maxText;
        const char* usedText;
    };
    const Case cases[] = {
        {57, 28800.0f, 754.37f, "57", "8:00:00", "0:12:34"},
        {0, 28800.0f, 0.4f, "0", "8:00:00", "0:00:00"},
        {32760, 28800.0f, 28800.0f, "32760", "8:00:00", "8:00:00"},
        {9990, 28800.0f, 3599.5f, "9990", "8:00:00", "1:00:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.usedSeconds);
        const ScoreTable table(c.score, c.maxSeconds, c.usedSeconds);
        EXPECT_EQ(table.text(0, 0), QStringLiteral("SCORE"));
        EXPECT_EQ(table.text(1, 0), QString::fromLatin1(c.scoreText));
        EXPECT_EQ(table.text(0, 1), QStringLiteral("Maximum Time  : "));
        EXPECT_EQ(table.text(0, 2), QString::fromLatin1(c.maxText));
        EXPECT_EQ(table.text(1, 1), QStringLiteral("Used Time  : "));
        EXPECT_EQ(table.text(1, 2), QString::fromLatin1(c.usedText));
    }
}
