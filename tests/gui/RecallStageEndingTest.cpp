// Leaving and finishing the recall stage, and the races between a rule and an open confirmation box.
#include "RecallStageFixture.h"

#include "boxes/ScriptedDialog.h"
#include "boxes/modMsgBox.h"
#include "buttons/SkinButton.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/ConcentrationPanel.h"
#include "frmSpecialNumber_Main/TimeDisplay.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QStyle>
#include <QTest>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

namespace {

const QString LeavePrompt = QStringLiteral("Do you want to go back?");
const QString FinishPrompt = QStringLiteral("Do you want to finish this stage?");
const QString DigitTimeExceeded = QStringLiteral("The maximum answer time has been exceeded for one digit.");

class RecallStageEndingTest : public RecallStageFixture
{
protected:
    void expectBackAtSettings()
    {
        flushDeletes();
        EXPECT_TRUE(m_stage.isNull());
        EXPECT_FALSE(m_main->CompetitionMode());
        EXPECT_EQ(m_main->workingScreen(), nullptr);
        EXPECT_EQ(m_resultsOpened, 0);
    }
};

TEST_F(RecallStageEndingTest, cancelDuringTheCountdown_answeredYes_returnsToSettings)
{
    start();
    ASSERT_TRUE(m_main->CompetitionMode());
    // No time has been used, so the box waits for an answer however long it counts.
    int ticksToAnswer = -1;
    whileNextDialogOpen([&](QDialog& box) { ticksToAnswer = ticksToAnswerByItself(box, 30); }, MsgBoxYes);
    clickSkinButton(button("btnCancel"));
    EXPECT_EQ(m_shownMessages, QStringList{LeavePrompt});
    EXPECT_EQ(ticksToAnswer, 0);
    expectBackAtSettings();
}

TEST_F(RecallStageEndingTest, back_answeredYes_returnsToSettingsWithoutResults)
{
    start();
    enterRecall();
    typeAt(1, 1, questionDigit(1, 1));
    QString title;
    bool questionIcon = false;
    whileNextDialogOpen(
        [&](QDialog& box) {
            title = box.windowTitle();
            const QStyle* style = box.style();
            const int extent = style->pixelMetric(QStyle::PM_MessageBoxIconSize);
            const QImage question = style->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(extent).toImage();
            questionIcon = box.findChild<QLabel*>(QStringLiteral("messageIcon"))->pixmap().toImage() == question;
        },
        MsgBoxYes);
    clickSkinButton(button("btnBack"));
    EXPECT_EQ(m_shownMessages, QStringList{LeavePrompt});
    EXPECT_EQ(title, QStringLiteral("KORVALIN"));
    EXPECT_TRUE(questionIcon);
    expectBackAtSettings();
}

TEST_F(RecallStageEndingTest, back_answeredNo_keepsTheStageAndItsClocks)
{
    start();
    const float recall = enterRecall();
    typeAt(1, 1, questionDigit(1, 1));
    m_clock.set(recall + 1.0f);
    m_stage->stageTick();
    // With more than five seconds left, the box answers No by itself after five ticks.
    int ticksToAnswer = -1;
    whileNextDialogOpen([&](QDialog& box) { ticksToAnswer = ticksToAnswerByItself(box, 30); }, MsgBoxYes);
    m_stage->confirmLeave();
    EXPECT_EQ(ticksToAnswer, 5);
    ASSERT_FALSE(m_stage.isNull());
    EXPECT_FALSE(m_stage->hasEnded());
    EXPECT_TRUE(clock("trmSure").isActive());
    EXPECT_TRUE(clock("trmEdit").isActive());
    EXPECT_TRUE(m_main->CompetitionMode());
}

TEST_F(RecallStageEndingTest, finish_answeredYes_recordsAndOpensTheResultsOnce)
{
    start();
    const float recall = enterRecall();
    typeAt(1, 1, questionDigit(1, 1) + wrongDigit(1, 2));
    m_clock.set(recall + 12.5f);
    answerNextDialog(MsgBoxYes);
    clickSkinButton(button("btnFinish"));
    EXPECT_EQ(m_shownMessages, QStringList{FinishPrompt}); // no ending message
    EXPECT_EQ(m_resultsOpened, 1);
    EXPECT_EQ(recordedAnswer(1, 1), questionDigit(1, 1));
    EXPECT_EQ(recordedAnswer(1, 2), wrongDigit(1, 2));
    ASSERT_TRUE(m_outcome && m_outcome->usedSeconds.has_value());
    EXPECT_FLOAT_EQ(*m_outcome->usedSeconds, 12.5f);
    flushDeletes();
    EXPECT_TRUE(m_stage.isNull());
    ASSERT_NE(resultsScreen(), nullptr);
    EXPECT_TRUE(resultsScreen()->isVisible());
    EXPECT_TRUE(m_main->CompetitionMode());
    EXPECT_EQ(m_main->workingScreen(), resultsScreen());
}

TEST_F(RecallStageEndingTest, maximumStageTime_finishesOnceWithOrWithoutTheDisplay)
{
    for (const bool displayOn : {true, false}) {
        SCOPED_TRACE(displayOn);
        m_resultsOpened = 0;
        pick(SettingsListId::Timer, displayOn ? 0 : 1);
        start();
        const float recall = enterRecall();
        m_clock.set(recall + 28799.99f);
        m_stage->stageTick();
        EXPECT_FALSE(m_stage->hasEnded());
        m_clock.set(recall + 28800.0f);
        m_stage->stageTick();
        EXPECT_TRUE(m_stage->hasEnded());
        EXPECT_EQ(timeDisplay().shownText(), displayOn ? QStringLiteral("0:00:00") : QString());
        m_stage->stageTick();
        EXPECT_EQ(m_resultsOpened, 1);
        EXPECT_EQ((m_outcome ? m_outcome->usedSeconds : std::nullopt).value_or(-1.0f), 28800.0f);
        flushDeletes();
        ASSERT_TRUE(m_stage.isNull());
        resultsScreen()->close();
        flushDeletes();
    }
}

// The maximum stage time is reached while a confirmation box is open: the tick stops the clock but
// leaves the stage to the box. Answered No, both confirmations then finish the stage at once.
TEST_F(RecallStageEndingTest, maximumStageTimeUnderAnOpenBox_finishesWhenTheBoxCloses)
{
    const struct
    {
        bool leave;
        int answer;
        int results;
    } cases[] = {
        {false, MsgBoxNo, 1},
        {false, MsgBoxYes, 1},
        {true, MsgBoxNo, 1},
        {true, MsgBoxYes, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.leave << " " << c.answer);
        m_resultsOpened = 0;
        start();
        const float recall = enterRecall();
        bool endedUnderTheBox = true;
        bool clockRanUnderTheBox = true;
        whileNextDialogOpen(
            [&](QDialog&) {
                m_clock.set(recall + 28800.0f);
                m_stage->stageTick();
                endedUnderTheBox = m_stage->hasEnded();
                clockRanUnderTheBox = clock("trmSure").isActive();
            },
            c.answer);
        if (c.leave)
            m_stage->confirmLeave();
        else
            m_stage->confirmFinish();
        EXPECT_FALSE(endedUnderTheBox);
        EXPECT_FALSE(clockRanUnderTheBox);
        EXPECT_EQ(m_resultsOpened, c.results);
        flushDeletes();
        EXPECT_TRUE(m_stage.isNull());
        EXPECT_EQ(m_main->CompetitionMode(), c.results == 1);
        if (QWidget* results = resultsScreen())
            results->close();
        flushDeletes();
    }
}

// FINISH with little stage time left: the box answers No by itself after the rounded remaining time.
TEST_F(RecallStageEndingTest, finishWithLittleTimeLeft_boxAnswersNoByItself)
{
    const struct
    {
        float left;
        int delay;
        bool finishedWhenTheBoxCloses;
    } cases[] = {
        {2.6f, 3, true},  // the clock stops under the box, so its No finishes the stage
        {3.4f, 3, false}, // 0.4 seconds are still left when the box answers No
        {30.0f, 5, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.left);
        m_resultsOpened = 0;
        start();
        const float recall = enterRecall();
        m_clock.set(recall + 28800.0f - c.left);
        m_stage->stageTick();
        int ticksToAnswer = 0;
        ScriptedDialog::scriptNext([&](QDialog& box) {
            QPointer<QDialog> open(&box);
            while (open && open->isVisible() && ticksToAnswer < 10) {
                ++ticksToAnswer;
                m_clock.advance(1.0f);
                m_stage->stageTick();
                tickBox(*open);
            }
        });
        m_stage->confirmFinish();
        EXPECT_EQ(ticksToAnswer, c.delay);
        EXPECT_EQ(m_resultsOpened, c.finishedWhenTheBoxCloses ? 1 : 0);
        if (!c.finishedWhenTheBoxCloses) {
            ASSERT_FALSE(m_stage.isNull());
            EXPECT_TRUE(clock("trmSure").isActive());
            m_clock.set(recall + 28800.0f);
            m_stage->stageTick();
            EXPECT_EQ(m_resultsOpened, 1);
        }
        flushDeletes();
        EXPECT_TRUE(m_stage.isNull());
        resultsScreen()->close();
        flushDeletes();
    }
}

// A rule ends the stage while a confirmation box is open: the box goes, the stage finishes once and
// the confirmation does nothing more, whatever it would have been answered.
TEST_F(RecallStageEndingTest, ruleUnderAnOpenConfirmation_closesTheBoxAndFinishesOnce)
{
    for (const bool leave : {true, false}) {
        SCOPED_TRACE(leave);
        m_resultsOpened = 0;
        m_shownMessages.clear();
        start();
        const float recall = enterRecall();
        typeAt(1, 1, questionDigit(1, 1));
        bool boxClosedByTheRule = false;
        whileNextDialogOpen(
            [&](QDialog& box) {
                m_clock.set(recall + 15.0f);
                m_stage->digitTick();
                boxClosedByTheRule = !box.isVisible() && !QApplication::activeModalWidget();
            },
            MsgBoxYes);
        answerNextDialog(QDialog::Accepted); // the ending message
        if (leave)
            m_stage->confirmLeave();
        else
            m_stage->confirmFinish();
        EXPECT_TRUE(boxClosedByTheRule);
        EXPECT_EQ(m_shownMessages, (QStringList{leave ? LeavePrompt : FinishPrompt, DigitTimeExceeded}));
        EXPECT_EQ(m_resultsOpened, 1);
        EXPECT_TRUE(m_main->CompetitionMode());
        flushDeletes();
        EXPECT_TRUE(m_stage.isNull());
        resultsScreen()->close();
        flushDeletes();
    }
}

TEST_F(RecallStageEndingTest, withoutAResultsScreen_finishReturnsToSettings)
{
    m_main->setResultsScreenFactory({});
    start();
    enterRecall();
    answerNextDialog(MsgBoxYes);
    m_stage->confirmFinish();
    flushDeletes();
    EXPECT_TRUE(m_stage.isNull());
    EXPECT_FALSE(m_main->CompetitionMode());
    EXPECT_EQ(m_main->workingScreen(), nullptr);
}

TEST_F(RecallStageEndingTest, windowSystemClose_doesNotDropARunningAttempt)
{
    start();
    enterRecall();
    typeAt(1, 1, questionDigit(1, 1));
    // A close request that comes from the window system, as Alt+F4 sends it.
    ASSERT_NE(m_stage->windowHandle(), nullptr);
    QCloseEvent request;
    QSpontaneKeyEvent::setSpontaneous(&request);
    QCoreApplication::sendEvent(m_stage->windowHandle(), &request);
    flushDeletes();
    ASSERT_FALSE(m_stage.isNull());
    EXPECT_TRUE(m_stage->isVisible());
    EXPECT_FALSE(m_stage->hasEnded());
    EXPECT_TRUE(clock("trmSure").isActive());
    EXPECT_TRUE(clock("trmEdit").isActive());
}

TEST_F(RecallStageEndingTest, closingTheSettingsWindow_stopsTheStage)
{
    start();
    enterRecall();
    typeAt(1, 1, questionDigit(1, 1));
    QTimer& digitClock = clock("trmEdit");
    ASSERT_TRUE(digitClock.isActive());
    m_main->close();
    EXPECT_FALSE(digitClock.isActive());
    EXPECT_TRUE(m_stage->hasEnded());
    EXPECT_EQ(m_resultsOpened, 0);
}

} // namespace
