// Digit entry on the recall stage: typing, the cell lock, the locked-digit rule and the per-digit clock.
#include "RecallStageFixture.h"

#include "boxes/modMsgBox.h"
#include "buttons/SkinButton.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"

#include <QImage>
#include <QTest>

#include <cmath>

namespace {

const QString WrongLockedDigit =
    QStringLiteral("Since one of the digits that has been locked is wrong, the record attempt has been finished.");
const QString DigitTimeExceeded = QStringLiteral("The maximum answer time has been exceeded for one digit.");

class RecallStageEntryTest : public RecallStageFixture
{
protected:
    std::pair<int, int> current() const { return {grid().currentRow(), grid().currentColumn()}; }
    double bar(int row, int column) const { return grid().answers().floodPercent(row, column); }

    // Whether the grid shows the per-digit bar's colour at a fraction of a cell's width, half-way down.
    bool barColourAt(int row, int column, double fraction) const
    {
        const QRect cell = grid().visualRect(grid().answers().index(row - 1, column - 1));
        const QPoint point(cell.left() + int(cell.width() * fraction), cell.center().y());
        const QImage shown = grid().viewport()->grab().toImage();
        return shown.pixelColor(point) == QColor(242, 254, 188);
    }
};

TEST_F(RecallStageEntryTest, typedDigits_fillCellsStampThemAndMoveOn)
{
    start();
    enterRecall();
    typeAt(2, 3, QStringLiteral("7"));
    EXPECT_EQ(cellText(2, 3), QStringLiteral("7"));
    EXPECT_EQ(current(), std::make_pair(2, 4));
    EXPECT_FLOAT_EQ(grid().answers().sheet().stamp(2, 3), m_clock.seconds());
    EXPECT_EQ(m_stage->state().nextDigitIndex, 30 + 3 + 1);
    EXPECT_TRUE(clock("trmEdit").isActive());

    typeAt(2, 29, QStringLiteral("123"));
    EXPECT_EQ(cellText(2, 29), QStringLiteral("1"));
    EXPECT_EQ(cellText(2, 30), QStringLiteral("2"));
    EXPECT_EQ(cellText(3, 1), QStringLiteral("3"));
    EXPECT_EQ(current(), std::make_pair(3, 2));

    type(QStringLiteral("a -"));
    EXPECT_EQ(cellText(3, 2), QString());
    EXPECT_EQ(current(), std::make_pair(3, 2));
}

TEST_F(RecallStageEntryTest, typingDuringTheCountdown_isStampedAndStartsTheDigitClock)
{
    start();
    type(QStringLiteral("4"));
    EXPECT_EQ(cellText(1, 1), QStringLiteral("4"));
    EXPECT_TRUE(grid().answers().sheet().hasStamp(1, 1));
    EXPECT_TRUE(clock("trmEdit").isActive());
    EXPECT_TRUE(clock("trmConcentration").isActive());
}

TEST_F(RecallStageEntryTest, keyOnAnotherControl_goesOnToTheGrid)
{
    start();
    enterRecall();
    grid().setCurrentCell(1, 5);
    m_stage->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), m_stage.data());
    type(QStringLiteral("8"));
    EXPECT_EQ(cellText(1, 5), QStringLiteral("8"));
    EXPECT_TRUE(grid().hasFocus());
}

TEST_F(RecallStageEntryTest, filledCell_locksAfter600SecondsAlsoAcrossMidnight)
{
    const struct
    {
        float enteredAt;
        float age;
        bool opens;
    } cases[] = {
        {StartTime, 599.0f, true},
        {StartTime, 600.0f, false},
        {86100.0f, 599.5f, true}, // 23:55:00 to 00:04:59.5
        {86100.0f, 600.0f, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.enteredAt << " + " << c.age);
        start();
        m_clock.set(c.enteredAt);
        typeAt(1, 1, QStringLiteral("5"));
        m_clock.advance(c.age);
        typeAt(1, 1, QStringLiteral("7"));
        EXPECT_EQ(cellText(1, 1), c.opens ? QStringLiteral("7") : QStringLiteral("5"));
        EXPECT_EQ(current(), c.opens ? std::make_pair(1, 2) : std::make_pair(1, 1));
        if (c.opens) { // the new entry renews the stamp
            EXPECT_FLOAT_EQ(grid().answers().sheet().stamp(1, 1), m_clock.seconds());
        }
        m_stage->close();
        flushDeletes();
        m_clock.set(StartTime);
    }
}

TEST_F(RecallStageEntryTest, lockedDigit_endsTheStageOnceOnlyWhenWrong)
{
    for (const bool wrong : {true, false}) {
        SCOPED_TRACE(wrong);
        m_shownMessages.clear();
        m_resultsOpened = 0;
        start();
        enterRecall();
        typeAt(1, 1, wrong ? wrongDigit(1, 1) : questionDigit(1, 1));
        m_clock.advance(600.0f);
        if (wrong)
            answerNextDialog(QDialog::Accepted);
        typeAt(1, 2, questionDigit(1, 2));

        EXPECT_EQ(m_stage->hasEnded(), wrong);
        EXPECT_EQ(m_resultsOpened, wrong ? 1 : 0);
        EXPECT_EQ(m_shownMessages, wrong ? QStringList{WrongLockedDigit} : QStringList{});
        if (wrong) {
            // The answers are recorded before the results open.
            EXPECT_EQ(recordedAnswer(1, 1), wrongDigit(1, 1));
            EXPECT_EQ(recordedAnswer(1, 2), questionDigit(1, 2));
            m_stage->digitTick();
            m_stage->stageTick();
            EXPECT_EQ(m_resultsOpened, 1);
            flushDeletes();
            EXPECT_TRUE(m_stage.isNull());
            EXPECT_NE(resultsScreen(), nullptr);
            resultsScreen()->close();
            flushDeletes();
        } else {
            m_stage->close();
            flushDeletes();
        }
    }
}

TEST_F(RecallStageEntryTest, emptiedCell_countsAsWrongOnceLocked)
{
    start();
    enterRecall();
    typeAt(1, 1, questionDigit(1, 1));
    m_clock.advance(10.0f);
    grid().setCurrentCell(1, 1);
    press(Qt::Key_Backspace);
    press(Qt::Key_Return);
    ASSERT_EQ(cellText(1, 1), QString());
    EXPECT_FALSE(m_stage->hasEnded());

    m_clock.advance(590.0f);
    answerNextDialog(QDialog::Accepted);
    typeAt(1, 2, questionDigit(1, 2));
    EXPECT_TRUE(m_stage->hasEnded());
    EXPECT_EQ(m_shownMessages, QStringList{WrongLockedDigit});
    EXPECT_EQ(m_resultsOpened, 1);
}

TEST_F(RecallStageEntryTest, digitClock_endsTheStageAfter15SecondsWithOrWithoutTheBar)
{
    for (const bool barShown : {true, false}) {
        SCOPED_TRACE(barShown);
        m_shownMessages.clear();
        m_resultsOpened = 0;
        pick(SettingsListId::CellTimer, barShown ? 0 : 1);
        start();
        enterRecall();
        typeAt(1, 1, questionDigit(1, 1));

        m_clock.advance(7.5f);
        m_stage->digitTick();
        EXPECT_NEAR(bar(1, 2), barShown ? 50.0 : 0.0, 0.1);
        EXPECT_EQ(barColourAt(1, 2, 0.3), barShown);
        EXPECT_FALSE(barColourAt(1, 2, 0.7));
        m_clock.advance(7.49f);
        m_stage->digitTick();
        EXPECT_FALSE(m_stage->hasEnded());

        m_clock.advance(0.01f);
        answerNextDialog(QDialog::Accepted);
        m_stage->digitTick();
        EXPECT_TRUE(m_stage->hasEnded());
        EXPECT_FALSE(clock("trmEdit").isActive());
        m_stage->digitTick();
        EXPECT_EQ(m_shownMessages, QStringList{DigitTimeExceeded});
        EXPECT_EQ(m_resultsOpened, 1);
        flushDeletes();
        ASSERT_TRUE(m_stage.isNull());
        resultsScreen()->close();
        flushDeletes();
    }
}

TEST_F(RecallStageEntryTest, retypingBehindTheFurthestDigit_keepsTheDigitClock)
{
    start();
    const float recall = enterRecall();
    typeAt(1, 1, questionDigit(1, 1));
    m_clock.advance(1.0f);
    type(questionDigit(1, 2));
    m_clock.advance(1.0f);
    type(questionDigit(1, 3));
    ASSERT_EQ(m_stage->state().nextDigitIndex, 4);

    m_clock.set(recall + 9.5f);
    m_stage->digitTick();
    const double barBefore = bar(1, 4);
    EXPECT_NEAR(barBefore, 7.5 / 15.0 * 100.0, 0.1);
    typeAt(1, 1, questionDigit(1, 1));
    EXPECT_FLOAT_EQ(m_stage->state().digitStartTime, recall + 2.0f);
    EXPECT_EQ(bar(1, 4), barBefore);

    m_clock.set(recall + 16.99f);
    m_stage->digitTick();
    EXPECT_FALSE(m_stage->hasEnded());
    m_clock.set(recall + 17.0f);
    answerNextDialog(QDialog::Accepted);
    m_stage->digitTick();
    EXPECT_TRUE(m_stage->hasEnded());
    EXPECT_EQ(m_shownMessages, QStringList{DigitTimeExceeded});
}

TEST_F(RecallStageEntryTest, typingAheadOfTheFurthestDigit_restartsTheDigitClock)
{
    start();
    const float recall = enterRecall();
    typeAt(1, 1, questionDigit(1, 1));
    m_clock.set(recall + 10.0f);
    m_stage->digitTick();
    ASSERT_GT(bar(1, 2), 60.0);

    typeAt(1, 10, questionDigit(1, 10));
    EXPECT_EQ(m_stage->state().nextDigitIndex, 11);
    EXPECT_FLOAT_EQ(m_stage->state().digitStartTime, recall + 10.0f);
    EXPECT_EQ(bar(1, 2), 0.0);
    m_clock.set(recall + 24.99f);
    m_stage->digitTick();
    EXPECT_FALSE(m_stage->hasEnded());
    EXPECT_NEAR(bar(1, 11), 14.99 / 15.0 * 100.0, 0.1);
}

TEST_F(RecallStageEntryTest, lastCellOfTheGrid_drawsNoBarButKeepsTheLimit)
{
    start();
    const float recall = enterRecall();
    const int rows = grid().dataRowCount();
    grid().setCurrentCell(rows, 30);
    type(QStringLiteral("1"));
    press(Qt::Key_Return);
    ASSERT_EQ(cellText(rows, 30), QStringLiteral("1"));
    m_clock.set(recall + 14.0f);
    m_stage->digitTick();
    EXPECT_FALSE(m_stage->hasEnded());
    m_clock.set(recall + 15.0f);
    answerNextDialog(QDialog::Accepted);
    m_stage->digitTick();
    EXPECT_TRUE(m_stage->hasEnded());
}

} // namespace
