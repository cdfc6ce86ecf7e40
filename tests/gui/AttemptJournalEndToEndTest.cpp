#include "RecallStageFixture.h"
#include "boxes/modMsgBox.h"
#include "files/ProgramDirectory.h"
#include "frmSpecialNumber_Fin/frmSpecialNumber_Fin.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "journal/JournalHash.h"
#include "journal/JournalVerifier.h"
#include "stage/RunningAttempt.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QThreadPool>

#include <functional>

// Whole attempts through the real windows, each ended another way: the journal the attempt left
// verifies, and its replay gives the score and used time the results screen showed.
class AttemptJournalEndToEndTest : public RecallStageFixture
{
protected:
    void SetUp() override
    {
        RecallStageFixture::SetUp();
        m_main->setResultsScreenFactory(keepingOutcome(frmMain::defaultResultsScreenFactory()));
    }

    // The report is written in the background once the results are shown.
    static void waitForReports()
    {
        for (int round = 0; round < 3; ++round) {
            QThreadPool::globalInstance()->waitForDone();
            QCoreApplication::processEvents();
        }
    }
};

TEST_F(AttemptJournalEndToEndTest, everyWayAnAttemptEnds_leavesAJournalThatVerifiesToWhatWasShown)
{
    const struct
    {
        const char* what;
        EndReason reason;
        bool results;
        std::function<void()> end;
    } cases[] = {
        {"FINISH", EndReason::Finish, true,
         [this] {
             const float recall = enterRecall();
             typeAt(1, 1, questionDigit(1, 1) + questionDigit(1, 2) + wrongDigit(1, 3));
             typeAt(1, 2, wrongDigit(1, 2));
             m_clock.set(recall + 9.25f);
             answerNextDialog(MsgBoxYes);
             m_stage->confirmFinish();
         }},
        {"15 seconds on a digit", EndReason::DigitTime, true,
         [this] {
             const float recall = enterRecall();
             typeAt(1, 1, questionDigit(1, 1));
             m_clock.set(recall + 15.5f);
             answerNextDialog(QMessageBox::Ok);
             m_stage->digitTick();
         }},
        {"8 hours", EndReason::StageTime, true,
         [this] {
             const float recall = enterRecall();
             m_clock.set(recall + 28800.0f);
             m_stage->stageTick();
             m_stage->stageTick();
         }},
        {"BACK", EndReason::Back, false,
         [this] {
             enterRecall();
             typeAt(1, 1, questionDigit(1, 1));
             answerNextDialog(MsgBoxYes);
             m_stage->confirmLeave();
         }},
        {"CANCEL under the countdown", EndReason::Cancel, false,
         [this] {
             m_clock.advance(2.0f);
             answerNextDialog(MsgBoxYes);
             m_stage->confirmLeave();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        start();
        const QString journal = m_stage->attempt().journalPath();
        const int draftNumber = m_stage->state().draftNumber;
        c.end();
        flushDeletes();
        ASSERT_TRUE(m_stage.isNull());

        const VerificationResult verified = verifyJournalFile(journal);
        EXPECT_EQ(verified.verdict, Verdict::Valid) << verified.verdictText.toStdString();
        ASSERT_TRUE(verified.end.has_value());
        EXPECT_EQ(verified.end->reason, c.reason);
        // Every ending writes the report, BACK and CANCEL included.
        waitForReports();
        const QString reports = programFilePath(QStringLiteral("reports"));
        EXPECT_TRUE(QFile::exists(reports + QStringLiteral("/attempt_%1.pdf").arg(draftNumber)));
        EXPECT_TRUE(QFile::exists(reports + QStringLiteral("/attempt_%1.csv").arg(draftNumber)));
        auto* results = qobject_cast<frmSpecialNumber_Fin*>(resultsScreen());
        ASSERT_EQ(results != nullptr, c.results);
        if (!results)
            continue;
        EXPECT_EQ(verified.score, results->score());
        EXPECT_NEAR(verified.usedSeconds, double((m_outcome ? m_outcome->usedSeconds : std::nullopt).value_or(-1.0f)),
                    0.01);
        const auto* seal = results->findChild<QLabel*>(QStringLiteral("sealLine"));
        ASSERT_NE(seal, nullptr);
        EXPECT_TRUE(seal->text().endsWith(shortSeal(verified.seal))) << seal->text().toStdString();
        results->close();
        flushDeletes();
    }
}

TEST_F(AttemptJournalEndToEndTest, reportThatCannotBeWritten_isSaidOnTheResults)
{
    // A file where the reports folder should be: no report can be written.
    QFile blocker(programFilePath(QStringLiteral("reports")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    start();
    const float recall = enterRecall();
    typeAt(1, 1, questionDigit(1, 1));
    m_clock.set(recall + 3.0f);
    answerNextDialog(MsgBoxYes);
    m_stage->confirmFinish();
    flushDeletes();
    auto* results = qobject_cast<frmSpecialNumber_Fin*>(resultsScreen());
    ASSERT_NE(results, nullptr);
    waitForReports();
    const auto* notice = results->findChild<QLabel*>(QStringLiteral("reportNotice"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->toolTip().contains(QStringLiteral("reports"))) << notice->toolTip().toStdString();
    results->close();
    flushDeletes();
}

TEST_F(AttemptJournalEndToEndTest, timeOfDaySetDuringTheAttempt_changesNothingTheRulesDecide)
{
    // The fixture's clock reads 22:00 at the start, so two hours forward crosses midnight.
    const struct
    {
        const char* what;
        qint64 stepMs;
        bool warned;
    } cases[] = {
        {"forward one hour", 3'600'000, true},
        {"back ten seconds", -10'000, true},
        {"back one second", -1'000, false},
        {"across midnight", 2 * 3'600'000 - 3'000, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        start();
        const QString journal = m_stage->attempt().journalPath();
        const float recall = enterRecall();
        typeAt(1, 1, questionDigit(1, 1));
        m_clock.set(recall + 6.0f);
        m_clock.stepWall(c.stepMs);
        m_stage->stageTick();
        m_stage->digitTick();
        typeAt(1, 2, questionDigit(1, 2));
        m_clock.set(recall + 12.0f);
        m_stage->digitTick();
        typeAt(1, 3, questionDigit(1, 3));
        m_clock.set(recall + 20.0f);
        m_stage->stageTick();
        m_stage->digitTick();
        ASSERT_FALSE(m_stage->hasEnded()) << "no rule ended it";
        answerNextDialog(MsgBoxYes);
        m_stage->confirmFinish();
        flushDeletes();
        ASSERT_TRUE(m_outcome.has_value());
        EXPECT_EQ(m_outcome->usedSeconds, 20.0f);

        const VerificationResult verified = verifyJournalFile(journal);
        EXPECT_EQ(verified.verdict, Verdict::Valid) << verified.verdictText.toStdString();
        EXPECT_NEAR(verified.usedSeconds, 20.0, 0.01);
        EXPECT_EQ(verified.longestGapMs, 6000);
        EXPECT_EQ(!verified.warnings.isEmpty(), c.warned) << verified.warnings.join(u'\n').toStdString();
        if (QWidget* results = resultsScreen())
            results->close();
        flushDeletes();
    }
}
