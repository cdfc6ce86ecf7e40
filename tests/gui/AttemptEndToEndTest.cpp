#include "ChromeTestSupport.h"
#include "RecallStageFixture.h"
#include "boxes/modMsgBox.h"
#include "buttons/SkinButton.h"
#include "frmSpecialNumber_Fin/frmSpecialNumber_Fin.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "frmSpecialNumber_Main/StageDrafts.h"
#include "frmSpecialNumber_Main/TimeDisplay.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include <pugixml.hpp>

#include <functional>
#include <string>

// Whole attempts through the real windows: the stage, its draft file, the results screen and the way back.
class AttemptEndToEndTest : public RecallStageFixture
{
protected:
    void SetUp() override
    {
        RecallStageFixture::SetUp();
        m_main->setResultsScreenFactory(keepingOutcome(frmMain::defaultResultsScreenFactory()));
    }

    QString draftPath(int draftNumber) const
    {
        return m_directory.filePath(QStringLiteral("draft_record_%1.xml").arg(draftNumber));
    }

    static QString answerInFile(const QString& path, int row, int column)
    {
        pugi::xml_document document;
        if (!document.load_file(QFile::encodeName(path).constData()))
            return QStringLiteral("<unreadable>");
        const auto cell = document.child("Korvalin")
                              .child("SpecialNumbers")
                              .child(QStringLiteral("Satir_%1").arg(row).toUtf8().constData())
                              .child(QStringLiteral("Soru_%1").arg(column).toUtf8().constData());
        return QString::fromUtf8(cell.attribute("cevap").value());
    }
};

TEST_F(AttemptEndToEndTest, finishedAttempt_isScoredShownAndLeadsBackToSettings)
{
    start();
    enterRecall();
    typeAt(1, 1, questionDigit(1, 1) + questionDigit(1, 2) + questionDigit(1, 3) + wrongDigit(1, 4));
    const int draftNumber = m_stage->state().draftNumber;

    answerNextDialog(MsgBoxYes);
    m_stage->confirmFinish();
    flushDeletes();

    EXPECT_TRUE(m_stage.isNull());
    auto* results = qobject_cast<frmSpecialNumber_Fin*>(resultsScreen());
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->score(), 3);
    EXPECT_TRUE(m_main->CompetitionMode());
    // The draft on disk holds the whole attempt as it was finished.
    EXPECT_EQ(answerInFile(draftPath(draftNumber), 1, 4), wrongDigit(1, 4));

    auto* finish = results->findChild<SkinButton*>(QStringLiteral("btnFinish"));
    ASSERT_NE(finish, nullptr);
    const QPointF centre(finish->width() / 2.0, finish->height() / 2.0);
    sendMouse(*finish, QEvent::MouseMove, centre);
    sendMouse(*finish, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    sendMouse(*finish, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();
    flushDeletes();
    EXPECT_EQ(resultsScreen(), nullptr);
    EXPECT_FALSE(m_main->CompetitionMode());
}

TEST_F(AttemptEndToEndTest, accessCode_restoresAnEarlierStagesDraftIntoTheRunningStage)
{
    start();
    enterRecall();
    typeAt(1, 1, questionDigit(1, 1) + questionDigit(1, 2));
    // Under the 15 seconds a new digit may take, so the stage stays open.
    m_clock.advance(10.0f);
    typeAt(2, 1, questionDigit(2, 1));
    m_stage->drafts().waitForPendingWrite();
    const int firstDraft = m_stage->state().draftNumber;
    ASSERT_TRUE(QFile::copy(draftPath(firstDraft), m_directory.filePath(QStringLiteral("draft_record.xml"))));
    answerNextDialog(MsgBoxYes);
    m_stage->confirmLeave();
    flushDeletes();
    ASSERT_TRUE(m_stage.isNull());

    start();
    EXPECT_NE(m_stage->state().draftNumber, firstDraft) << "a later stage never overwrites an earlier draft";
    enterRecall();
    m_clock.advance(60.0f);
    scriptPromptAnswer(QStringLiteral("qvz"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12, Qt::ControlModifier);

    EXPECT_EQ(cellText(1, 1), questionDigit(1, 1));
    EXPECT_EQ(cellText(1, 2), questionDigit(1, 2));
    m_stage->stageTick();
    // 10 restored seconds plus the minute of this stage.
    EXPECT_NEAR(m_stage->state().stageSeconds, 70.0f, 0.02f);
    EXPECT_EQ(timeDisplay().shownText(), QStringLiteral("7:58:50"));
}

TEST_F(AttemptEndToEndTest, restoreDuringTheCountdown_thenThePerDigitRule_keepsTheRestoredTime)
{
    // An earlier stage's draft with ten minutes used.
    start();
    enterRecall();
    typeAt(1, 1, questionDigit(1, 1));
    m_clock.advance(5.0f);
    typeAt(2, 1, questionDigit(2, 1));
    m_stage->drafts().waitForPendingWrite();
    QByteArray draft;
    {
        QFile file(draftPath(m_stage->state().draftNumber));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        draft = file.readAll();
    }
    draft.replace("used_time=\"5\"", "used_time=\"600\"");
    {
        QFile file(m_directory.filePath(QStringLiteral("draft_record.xml")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(draft), draft.size());
    }
    answerNextDialog(MsgBoxYes);
    m_stage->confirmLeave();
    flushDeletes();

    // Restored under the countdown, then a digit typed under it takes longer than a digit may.
    start();
    const float countdownStart = m_clock.seconds();
    m_clock.advance(2.0f);
    scriptPromptAnswer(QStringLiteral("qvz"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12, Qt::ControlModifier);
    ASSERT_EQ(cellText(1, 1), questionDigit(1, 1));
    m_clock.advance(2.0f);
    typeAt(1, 2, questionDigit(1, 2));
    m_clock.set(countdownStart + 19.5f);
    answerNextDialog(QMessageBox::Ok);
    m_stage->digitTick();
    ASSERT_TRUE(m_stage.isNull() || m_stage->hasEnded());

    // The countdown so far and the restored ten minutes: 0:10:19.
    ASSERT_TRUE(m_outcome && m_outcome->usedSeconds.has_value());
    EXPECT_FLOAT_EQ(*m_outcome->usedSeconds, 619.5f);
    flushDeletes();
    ASSERT_NE(resultsScreen(), nullptr);
}

TEST_F(AttemptEndToEndTest, activatingTheSettingsWindowDuringTheStage_leavesTheKeyboardWithTheStage)
{
    start();
    enterRecall();
    m_main->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return QApplication::focusWidget() && QApplication::focusWidget()->window() == m_stage.data(); }));
    typeAt(1, 1, questionDigit(1, 1));
    EXPECT_EQ(cellText(1, 1), questionDigit(1, 1));
}

// The window system hands a key to the stage's window, which passes it to its focus widget. After a
// dialog, where no window manager gives the stage its activation back, the stage must still have a
// focus widget for every digit, not only for every second one.
TEST_F(AttemptEndToEndTest, digitsTypedAfterADialog_allReachTheGridAndTheDraft)
{
    const struct
    {
        const char* dialog;
        std::function<void()> open;
    } dialogs[] = {
        {"access-code prompt cancelled",
         [] {
             scriptPromptAnswer(QString());
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12, Qt::ControlModifier);
         }},
        {"FINISH answered No",
         [this] {
             answerNextDialog(MsgBoxNo);
             clickSkinButton(button("btnFinish"));
         }},
    };
    const QString digits = QStringLiteral("1415926535");
    start();
    enterRecall();
    for (int row = 1; row <= int(std::size(dialogs)); ++row) {
        SCOPED_TRACE(dialogs[row - 1].dialog);
        grid().setCurrentCell(row, 1);
        dialogs[row - 1].open();
        ASSERT_FALSE(m_stage->hasEnded());
        for (const QChar digit : digits)
            QTest::keyClick(m_stage->windowHandle(), digit.toLatin1());
        m_stage->drafts().waitForPendingWrite();
        const QString draft = draftPath(m_stage->state().draftNumber);
        std::string inGrid;
        std::string inDraft;
        for (int column = 1; column <= digits.size(); ++column) {
            inGrid += cellText(row, column).toStdString();
            inDraft += answerInFile(draft, row, column).toStdString();
        }
        EXPECT_EQ(inGrid, digits.toStdString());
        EXPECT_EQ(inDraft, digits.toStdString());
    }
}
