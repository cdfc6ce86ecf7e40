#include "IndependentVerifier.h"
#include "RecallStageFixture.h"
#include "boxes/modMsgBox.h"
#include "files/ProgramDirectory.h"
#include "frmSpecialNumber_Fin/frmSpecialNumber_Fin.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "journal/JournalHash.h"
#include "journal/JournalVerifier.h"
#include "record/AttemptRecordDocument.h"
#include "rules/AttemptRules.h"
#include "stage/AnswerSheet.h"
#include "stage/RunningAttempt.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QThreadPool>

#include <functional>
#include <vector>

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

    struct Ending
    {
        const char* what;
        EndReason reason;
        bool results;
        std::function<void()> end;
    };
    // Every way an attempt ends, each played on a started attempt through the real windows.
    std::vector<Ending> endings()
    {
        return {
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
            {"FINISH after a restored draft", EndReason::Finish, true,
             [this] {
                 const float recall = enterRecall();
                 typeAt(1, 1, questionDigit(1, 1) + questionDigit(1, 2));
                 m_clock.set(recall + 3.0f);
                 writeDraftToRestore(42.5f);
                 restoreWithCtrlF12();
                 EXPECT_EQ(cellText(1, 3), wrongDigit(1, 3)) << "the draft was restored";
                 typeAt(1, 4, questionDigit(1, 4) + questionDigit(1, 5));
                 m_clock.set(recall + 6.0f);
                 answerNextDialog(MsgBoxYes);
                 m_stage->confirmFinish();
             }},
        };
    }

    // draft_record.xml as an earlier attempt on this sheet left it: row 1, columns 1 to 4 answered, the
    // first two right, the third and the fourth wrong, after `usedSeconds`.
    void writeDraftToRestore(float usedSeconds)
    {
        const RunningAttempt& attempt = m_stage->attempt();
        AttemptRecordDocument draft;
        draft.BuildAttemptRecord(attempt.source().digits, attempt.state().digitsPerRow);
        AnswerSheet answers;
        answers.reset(draft.rowCount(), draft.columnCount());
        answers.setCellText(1, 1, questionDigit(1, 1));
        answers.setCellText(1, 2, questionDigit(1, 2));
        answers.setCellText(1, 3, wrongDigit(1, 3));
        answers.setCellText(1, 4, wrongDigit(1, 4));
        draft.RecordAnswers(0.0f, MaxStageSeconds, FakeClock(usedSeconds), answers);
        QFile file(programFilePath(QStringLiteral("draft_record.xml")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(draft.serialize());
    }

    // Ctrl+F12 and the access code, as the competitor restores a draft.
    void restoreWithCtrlF12()
    {
        whileNextDialogOpen(
            [](QDialog& prompt) {
                prompt.findChild<QLineEdit*>(QStringLiteral("promptText"))->setText(QStringLiteral("qvz"));
                prompt.accept();
            },
            QDialog::Accepted);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12, Qt::ControlModifier);
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
    for (const Ending& c : endings()) {
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

// The verifier written from docs/journal.md alone judges each real journal as korvalin-verify does: as it was
// written, with the attempt's draft and its seal, and cut short or with its score raised.
TEST_F(AttemptJournalEndToEndTest, independentVerifier_judgesTheJournalOfEveryEndingAlike)
{
    if (pythonProgram().isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    for (const Ending& c : endings()) {
        SCOPED_TRACE(c.what);
        start();
        const QString journal = m_stage->attempt().journalPath();
        const QString draft = m_stage->attempt().draftPath();
        c.end();
        flushDeletes();
        ASSERT_TRUE(m_stage.isNull());

        EXPECT_TRUE(agreesWithIndependentVerifier(journal));
        VerifyOptions withDraftAndSeal;
        // An attempt left before its first digit has no draft.
        if (QFile::exists(draft))
            withDraftAndSeal.draftPath = draft;
        withDraftAndSeal.expectedSeal = shortSeal(verifyJournalFile(journal).seal);
        EXPECT_TRUE(agreesWithIndependentVerifier(journal, withDraftAndSeal));

        QFile file(journal);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = file.readAll().split('\n');
        lines.removeLast(); // after the last line feed
        const auto joined = [](const QList<QByteArray>& part) {
            QByteArray bytes = part.join('\n');
            bytes.append('\n');
            return bytes;
        };
        EXPECT_TRUE(agreesWithIndependentVerifier(joined(lines.mid(0, lines.size() - 2))));
        QJsonObject end = QJsonDocument::fromJson(lines.last()).object();
        end.insert(QStringLiteral("score"), end.value(QLatin1StringView("score")).toInt() + 1);
        lines.last() = QJsonDocument(end).toJson(QJsonDocument::Compact);
        EXPECT_TRUE(agreesWithIndependentVerifier(joined(lines)));

        if (QWidget* results = resultsScreen())
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
