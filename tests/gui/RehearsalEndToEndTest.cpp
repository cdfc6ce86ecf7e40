// A rehearsal started from training: the program's own settings window and record stage, the journal
// marked as a rehearsal, and its outcome in the training history.
#include "FakeTrainingStore.h"
#include "RecallStageFixture.h"
#include "boxes/modMsgBox.h"
#include "frmTraining/RehearsalLauncher.h"
#include "frmTraining/StoreRecorder.h"
#include "journal/JournalVerifier.h"
#include "stage/AttemptOutcome.h"

#include "base/WindowPlacement.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class RehearsalEndToEndTest : public RecallStageFixture
{
protected:
    // Plays an attempt on `window`'s stage: three digits, the last one wrong, then FINISH.
    void playShortAttempt(frmMain& window)
    {
        auto* startButton = window.findChild<QPushButton*>(QStringLiteral("btnStart"));
        ASSERT_NE(startButton, nullptr);
        QTest::mouseClick(startButton, Qt::LeftButton);
        m_stage = window.findChild<frmSpecialNumber_Main*>(QStringLiteral("frmSpecialNumber_Main"));
        ASSERT_NE(m_stage, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_stage->isActiveWindow(); }));
        enterRecall();
        typeAt(1, 1, questionDigit(1, 1) + questionDigit(1, 2) + wrongDigit(1, 3));
        answerNextDialog(MsgBoxYes);
        m_stage->confirmFinish();
        flushDeletes();
    }
};

TEST_F(RehearsalEndToEndTest, rehearsal_runsTheRecordStageAndItsJournalSaysSo)
{
    AttemptEvidence ended;
    QObject::connect(m_main.get(), &frmMain::attemptEnded, m_main.get(),
                     [&ended](const AttemptEvidence& evidence) { ended = evidence; });
    m_main->beginRehearsal(2);
    EXPECT_EQ(m_main->settings().list(SettingsListId::Type).position(), 2);
    // Said in the title strip, which stays in sight over the stage and the results.
    const auto* mark = m_main->findChild<QLabel*>(QStringLiteral("rehearsalMark"));
    ASSERT_NE(mark, nullptr);
    EXPECT_TRUE(mark->isVisible());
    EXPECT_LE(mark->geometry().bottom(), TitleStripHeight);
    playShortAttempt(*m_main);

    ASSERT_FALSE(ended.journalPath.isEmpty());
    EXPECT_TRUE(ended.rehearsal);
    EXPECT_FALSE(ended.seal.isEmpty());
    const VerificationResult result = verifyJournalFile(ended.journalPath);
    EXPECT_TRUE(result.header.rehearsal);
    EXPECT_EQ(result.header.numberPosition, 2);
    EXPECT_EQ(result.verdictText, QStringLiteral("rehearsal, not a record attempt: valid"));
    EXPECT_EQ(result.exitCode(), VerifyExitCode::Rehearsal);
    EXPECT_EQ(result.score, 2);
    // The results are the record stage's own.
    EXPECT_NE(resultsScreen(), nullptr);
}

TEST_F(RehearsalEndToEndTest, recordAttempt_isNoRehearsal)
{
    AttemptEvidence ended;
    QObject::connect(m_main.get(), &frmMain::attemptEnded, m_main.get(),
                     [&ended](const AttemptEvidence& evidence) { ended = evidence; });
    playShortAttempt(*m_main);
    EXPECT_EQ(m_main->findChild<QLabel*>(QStringLiteral("rehearsalMark")), nullptr);
    EXPECT_FALSE(ended.rehearsal);
    const VerificationResult result = verifyJournalFile(ended.journalPath);
    EXPECT_FALSE(result.header.rehearsal);
    EXPECT_EQ(result.verdictText, QStringLiteral("valid"));
    EXPECT_EQ(result.exitCode(), VerifyExitCode::Valid);
}

TEST_F(RehearsalEndToEndTest, launcher_opensARehearsalWindowAndKeepsItsOutcomeInTheHistory)
{
    FakeTrainingStore store;
    StoreRecorder recorder(store);
    RehearsalLauncher launcher(m_clock, recorder);
    ASSERT_TRUE(launcher.start(TrainingNumber::Pi));
    frmMain* window = launcher.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isRehearsal());
    EXPECT_EQ(window->settings().list(SettingsListId::Type).position(), 1);
    // A second START from training brings the same window back.
    ASSERT_TRUE(launcher.start(TrainingNumber::Pi));
    EXPECT_EQ(launcher.window(), window);

    QSignalSpy recorded(&launcher, &RehearsalLauncher::recorded);
    pick(SettingsListId::Type, 1); // the fixture's digits are those the rehearsal asks
    playShortAttempt(*window);
    ASSERT_TRUE(recorded.wait(10'000));
    const std::vector<StoredSession> sessions = store.sessionSummaries();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(sessions[0].sessionId, recorded.at(0).at(0).toLongLong());
    EXPECT_EQ(sessions[0].mode, TrainingMode::Rehearse);
    EXPECT_EQ(sessions[0].number, TrainingNumber::Pi);
    EXPECT_EQ(sessions[0].typed, 3);
    EXPECT_EQ(sessions[0].correct, 2);
    EXPECT_TRUE(window->close());
    flushDeletes();
    EXPECT_EQ(launcher.window(), nullptr);
}
