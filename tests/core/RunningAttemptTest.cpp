#include "stage/RunningAttempt.h"
#include "AttemptRecordTestSupport.h"
#include "CoreApplicationEnvironment.h"
#include "FakeClock.h"
#include "TestFiles.h"
#include "base/Clock.h"
#include "files/ProgramDirectory.h"
#include "record/AttemptRecordDocument.h"
#include "stage/AnswerSheet.h"
#include "stage/StageClocks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {
const auto* const coreApplication = ::testing::AddGlobalTestEnvironment(new CoreApplicationEnvironment);

constexpr int Rows = 3;
constexpr int Columns = 5;
constexpr int DraftNumber = 815;
constexpr float CountdownStart = 1000.0f;

// An attempt on a 3 x 5 sheet in a temporary program directory, its countdown started.
class RunningAttemptTest : public ::testing::Test
{
protected:
    RunningAttemptTest()
    {
        setProgramDirectory(m_directory.path());
        m_record.setLocale(QLocale::c());
        StageSettings settings;
        settings.digitsPerRow = Columns;
        m_attempt = std::make_unique<RunningAttempt>(settings, DigitSource{1, QStringLiteral("Digits of PI"), m_digits},
                                                     DraftNumber, m_record, m_clock);
        m_sheet.reset(Rows, Columns);
        m_clock.set(CountdownStart);
        startConcentration(m_attempt->state(), CountdownStart);
    }
    ~RunningAttemptTest() override { setProgramDirectory(QString()); }

    void enterRecall(float at)
    {
        m_clock.set(at);
        m_attempt->state().stageStartTime = at;
        m_attempt->startRecall();
    }

    void type(int row, int column, const QString& text)
    {
        m_sheet.setCellText(row, column, text);
        m_attempt->editEnded(m_sheet, row, column);
    }

    QByteArray draftOnDisk()
    {
        m_attempt->waitForPendingWrite();
        return readFile(m_attempt->draftPath());
    }

    // A saved record of this sheet's shape with the first row answered "9" and the given used time.
    void writeRestoreFile(float usedSeconds) const
    {
        AttemptRecordDocument saved;
        saved.setLocale(QLocale::c());
        saved.build(m_digits, Columns);
        AnswerSheet answers;
        answers.reset(Rows, Columns);
        for (int j = 1; j <= Columns; ++j)
            answers.setCellText(1, j, QStringLiteral("9"));
        saved.recordAnswers(0.0f, 28800, FakeClock(usedSeconds), answers);
        QFile file(m_directory.filePath(QStringLiteral("draft_record.xml")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(saved.serialize());
    }

    QTemporaryDir m_directory;
    FakeClock m_clock;
    const QString m_digits = syntheticDigits(Rows * Columns);
    AttemptRecordDocument m_record;
    AnswerSheet m_sheet;
    std::unique_ptr<RunningAttempt> m_attempt;
};

TEST_F(RunningAttemptTest, draftFile_isNamedOnceAfterItsNumber)
{
    EXPECT_EQ(RunningAttempt::draftFileName(DraftNumber), QStringLiteral("draft_record_815.xml"));
    EXPECT_EQ(m_attempt->draftPath(), m_directory.filePath(QStringLiteral("draft_record_815.xml")));
    EXPECT_EQ(m_attempt->state().draftNumber, DraftNumber);
    EXPECT_EQ(m_attempt->state().digitsPerRow, Columns);
    EXPECT_EQ(m_record.rowCount(), Rows);
}

TEST_F(RunningAttemptTest, everyDraft_equalsTheRecord_alsoAfterARestore)
{
    enterRecall(CountdownStart + 60.0f);
    type(1, 1, QStringLiteral("4"));
    EXPECT_EQ(draftOnDisk(), m_record.serialize());
    m_clock.set(CountdownStart + 70.0f);
    type(1, 2, QStringLiteral("1"));
    type(1, 1, QString());
    EXPECT_EQ(draftOnDisk(), m_record.serialize());

    writeRestoreFile(600.0f);
    ASSERT_EQ(m_attempt->restoreDraft(Rows, Columns), std::nullopt);
    for (int j = 1; j <= Columns; ++j)
        m_sheet.setCellText(1, j, m_record.answers().cellText(1, j));
    m_clock.set(CountdownStart + 80.0f);
    type(2, 1, QStringLiteral("5"));
    EXPECT_EQ(draftOnDisk(), m_record.serialize());
    // Twenty seconds of this recall and the ten restored minutes.
    EXPECT_EQ(m_record.usedTime(), 620.0f);
}

TEST_F(RunningAttemptTest, restoredTime_underTheCountdown_countsWhenTheRecallStartsOrTheAttemptEnds)
{
    writeRestoreFile(600.0f);
    m_clock.set(CountdownStart + 10.0f);
    ASSERT_EQ(m_attempt->restoreDraft(Rows, Columns), std::nullopt);
    EXPECT_FLOAT_EQ(m_attempt->state().stageStartTime, CountdownStart) << "the countdown is not cut short";
    EXPECT_FLOAT_EQ(m_attempt->pendingRestoredSeconds(), 600.0f);

    // A draft under the countdown holds the restored time alone.
    m_clock.set(CountdownStart + 12.0f);
    type(2, 2, QStringLiteral("3"));
    EXPECT_EQ(m_record.usedTime(), 600.0f);

    // Ending under the countdown counts the countdown so far as well.
    m_clock.set(CountdownStart + 19.0f);
    m_attempt->finish(m_sheet, EndReason::DigitTime);
    EXPECT_EQ(m_record.usedTime(), 619.0f);
    EXPECT_FLOAT_EQ(m_attempt->state().stageSeconds, 619.0f);
    EXPECT_TRUE(m_attempt->state().ended);
}

TEST_F(RunningAttemptTest, restoreThatDoesNotFit_orAfterTheEnd_changesNothing)
{
    enterRecall(CountdownStart + 60.0f);
    type(1, 1, QStringLiteral("4"));
    const QByteArray before = m_record.serialize();
    EXPECT_TRUE(m_attempt->restoreDraft(Rows, Columns).has_value()) << "no draft_record.xml";
    EXPECT_EQ(m_record.serialize(), before);

    writeRestoreFile(600.0f);
    EXPECT_TRUE(m_attempt->restoreDraft(Rows + 1, Columns).has_value());
    m_attempt->end();
    EXPECT_TRUE(m_attempt->restoreDraft(Rows, Columns).has_value());
    EXPECT_EQ(m_record.serialize(), before);
    EXPECT_FLOAT_EQ(m_attempt->state().stageStartTime, CountdownStart + 60.0f);
}

TEST_F(RunningAttemptTest, wrongLockedDigit_endsTheStageByThatRule)
{
    enterRecall(CountdownStart + 60.0f);
    const QString wrong = QString::number((m_digits.left(1).toInt() + 1) % 10);
    type(1, 1, wrong);
    m_clock.set(CountdownStart + 60.0f + 600.0f);
    m_sheet.setCellText(1, 2, m_digits.mid(1, 1));
    const RunningAttempt::EditOutcome outcome = m_attempt->editEnded(m_sheet, 1, 2);
    EXPECT_TRUE(outcome.finishStage);
    EXPECT_TRUE(m_attempt->state().endedByRule);
    EXPECT_EQ(m_attempt->state().endMessage, WrongLockedDigitMessage);
}

TEST_F(RunningAttemptTest, chosenDraftNumber_neverNamesAnExistingDraft)
{
    for (int round = 0; round < 20; ++round) {
        const int number = RunningAttempt::chooseDraftNumber(m_clock);
        ASSERT_GE(number, 0);
        ASSERT_LT(number, DraftNumberCount);
        const QString path = programFilePath(RunningAttempt::draftFileName(number));
        ASSERT_FALSE(QFile::exists(path));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
}
} // namespace
