#include "stage/RunningAttempt.h"
#include "AttemptRecordTestSupport.h"
#include "CoreApplicationEnvironment.h"
#include "FakeClock.h"
#include "TestFiles.h"
#include "base/Clock.h"
#include "files/ProgramDirectory.h"
#include "journal/JournalHash.h"
#include "record/AttemptRecordDocument.h"
#include "stage/AnswerSheet.h"
#include "stage/StageClocks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>
#include <functional>

#include <gtest/gtest.h>

#include <algorithm>
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
        startAttempt(DraftNumber);
    }

    // Replaces the attempt by a new one of `draftNumber`, its countdown started.
    void startAttempt(int draftNumber, bool rehearsal = false)
    {
        m_attempt.reset();
        StageSettings settings;
        settings.digitsPerRow = Columns;
        m_attempt = std::make_unique<RunningAttempt>(settings, DigitSource{1, QStringLiteral("Digits of PI"), m_digits},
                                                     draftNumber, m_clock);
        if (rehearsal)
            m_attempt->markAsRehearsal();
        m_clock.set(CountdownStart);
        m_attempt->startCountdown();
    }
    ~RunningAttemptTest() override { setProgramDirectory(QString()); }

    const AttemptRecordDocument& record() const { return m_attempt->AttemptRecord(); }

    // The countdown's last tick, at `at`: the recall starts then.
    void enterRecall(float at)
    {
        m_clock.set(at);
        ASSERT_TRUE(m_attempt->concentrationTick().finished);
    }

    // The editor opens, takes `text` and closes, as in the grid.
    RunningAttempt::EditOutcome type(int row, int column, const QString& text)
    {
        EXPECT_TRUE(m_attempt->mayOpen(row, column));
        m_attempt->enterText(row, column, text);
        return m_attempt->editEnded(row, column);
    }

    QByteArray draftOnDisk()
    {
        m_attempt->waitForPendingWrite();
        return readFile(m_attempt->draftPath());
    }

    // A saved record of `digits` with the first row answered "9" and the given used time, of this sheet's
    // shape unless `columns` says otherwise.
    QByteArray restoreBytes(float usedSeconds, int columns = Columns, const QString& digits = QString()) const
    {
        AttemptRecordDocument saved;
        saved.setLocale(QLocale::c());
        saved.BuildAttemptRecord(digits.isEmpty() ? m_digits : digits, columns);
        AnswerSheet answers;
        answers.reset(saved.rowCount(), columns);
        for (int j = 1; j <= columns; ++j)
            answers.setCellText(1, j, QStringLiteral("9"));
        saved.RecordAnswers(0.0f, 28800, FakeClock(usedSeconds), answers);
        return saved.serialize();
    }
    void writeRestoreFile(float usedSeconds, int columns = Columns) const
    {
        writeRestoreBytes(restoreBytes(usedSeconds, columns));
    }
    void writeRestoreBytes(const QByteArray& bytes) const
    {
        QFile file(m_directory.filePath(QStringLiteral("draft_record.xml")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QTemporaryDir m_directory;
    FakeClock m_clock;
    const QString m_digits = syntheticDigits(Rows * Columns);
    std::unique_ptr<RunningAttempt> m_attempt;
};

TEST_F(RunningAttemptTest, draftFile_isNamedOnceAfterItsNumber)
{
    EXPECT_EQ(RunningAttempt::draftFileName(DraftNumber), QStringLiteral("draft_record_815.xml"));
    EXPECT_EQ(m_attempt->draftPath(), m_directory.filePath(QStringLiteral("draft_record_815.xml")));
    EXPECT_EQ(m_attempt->state().draftNumber, DraftNumber);
    EXPECT_EQ(m_attempt->state().digitsPerRow, Columns);
    EXPECT_EQ(record().rowCount(), Rows);
}

TEST_F(RunningAttemptTest, everyDraft_equalsTheRecord_alsoAfterARestore)
{
    enterRecall(CountdownStart + 60.0f);
    type(1, 1, QStringLiteral("4"));
    EXPECT_EQ(draftOnDisk(), record().serialize());
    m_clock.set(CountdownStart + 70.0f);
    type(1, 2, QStringLiteral("1"));
    type(1, 1, QString());
    EXPECT_EQ(draftOnDisk(), record().serialize());

    writeRestoreFile(600.0f);
    ASSERT_EQ(m_attempt->restoreDraft(), std::nullopt);
    EXPECT_EQ(m_attempt->sheet().cellText(1, Columns), QStringLiteral("9")) << "the sheet shows the restored answers";
    m_clock.set(CountdownStart + 80.0f);
    type(2, 1, QStringLiteral("5"));
    EXPECT_EQ(draftOnDisk(), record().serialize());
    // Twenty seconds of this recall and the ten restored minutes.
    EXPECT_EQ(record().usedTime(), 620.0f);
}

TEST_F(RunningAttemptTest, restoredTime_underTheCountdown_countsWhenTheRecallStartsOrTheAttemptEnds)
{
    writeRestoreFile(600.0f);
    m_clock.set(CountdownStart + 10.0f);
    ASSERT_EQ(m_attempt->restoreDraft(), std::nullopt);
    EXPECT_FLOAT_EQ(m_attempt->state().stageStartTime, CountdownStart) << "the countdown is not cut short";
    EXPECT_FLOAT_EQ(m_attempt->pendingRestoredSeconds(), 600.0f);

    // A draft under the countdown holds the restored time alone.
    m_clock.set(CountdownStart + 12.0f);
    type(2, 2, QStringLiteral("3"));
    EXPECT_EQ(record().usedTime(), 600.0f);

    // Ending under the countdown counts the countdown so far as well.
    m_clock.set(CountdownStart + 19.0f);
    m_attempt->finish(EndReason::DigitTime);
    EXPECT_EQ(record().usedTime(), 619.0f);
    EXPECT_FLOAT_EQ(m_attempt->state().stageSeconds, 619.0f);
    EXPECT_TRUE(m_attempt->state().ended);
}

TEST_F(RunningAttemptTest, restoreThatDoesNotFit_orAfterTheEnd_changesNothing)
{
    enterRecall(CountdownStart + 60.0f);
    type(1, 1, QStringLiteral("4"));
    const QByteArray before = record().serialize();
    EXPECT_TRUE(m_attempt->restoreDraft().has_value()) << "no draft_record.xml";
    EXPECT_EQ(record().serialize(), before);

    writeRestoreFile(600.0f, Columns - 1);
    EXPECT_TRUE(m_attempt->restoreDraft().has_value()) << "another sheet";
    writeRestoreFile(600.0f);
    m_attempt->end();
    EXPECT_TRUE(m_attempt->restoreDraft().has_value());
    EXPECT_EQ(record().serialize(), before);
    EXPECT_FLOAT_EQ(m_attempt->state().stageStartTime, CountdownStart + 60.0f);
}

TEST_F(RunningAttemptTest, forgedDraft_isRefusedAndChangesNothing)
{
    enterRecall(CountdownStart + 60.0f);
    type(1, 1, QStringLiteral("4"));
    const QByteArray before = record().serialize();
    const QByteArray valid = restoreBytes(600.0f);
    const QString firstQuestion = QStringLiteral("soru=\"%1\"").arg(m_digits.left(1));
    QByteArray editedQuestion = valid;
    editedQuestion.replace(firstQuestion.toUtf8(),
                           QStringLiteral("soru=\"%1\"").arg((m_digits.left(1).toInt() + 1) % 10).toUtf8());
    QByteArray letterAnswer = valid;
    letterAnswer.replace("cevap=\"9\"", "cevap=\"x\"");
    QByteArray twoDigitAnswer = valid;
    twoDigitAnswer.replace("cevap=\"9\"", "cevap=\"99\"");
    QString otherDigits = m_digits;
    std::reverse(otherDigits.begin(), otherDigits.end());
    const struct
    {
        const char* what;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"a question digit edited", editedQuestion, "question digit in row 1, column 1"},
        {"another number's digits", restoreBytes(600.0f, Columns, otherDigits), "question digit"},
        {"an answer that is not a digit", letterAnswer, "not a digit"},
        {"an answer of two digits", twoDigitAnswer, "not a digit"},
        {"another sheet", restoreBytes(600.0f, Columns - 1), "Soru_"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeRestoreBytes(c.bytes);
        const std::optional<QString> refused = m_attempt->restoreDraft();
        ASSERT_TRUE(refused.has_value());
        EXPECT_TRUE(refused->contains(QLatin1String(c.reason))) << refused->toStdString();
        EXPECT_EQ(record().serialize(), before);
        EXPECT_EQ(m_attempt->sheet().cellText(1, 2), QString());
        EXPECT_FLOAT_EQ(m_attempt->state().stageStartTime, CountdownStart + 60.0f);
    }
    writeRestoreBytes(valid);
    EXPECT_EQ(m_attempt->restoreDraft(), std::nullopt) << "the genuine draft still restores";
}

TEST_F(RunningAttemptTest, restore_namesTheDraftsAttemptItsSealAndTheTypedAnswersItReplaced)
{
    enterRecall(CountdownStart + 60.0f);
    type(1, 1, QStringLiteral("4"));
    type(2, 1, QStringLiteral("5"));
    // The draft of an earlier attempt, 777, copied to draft_record.xml as an operator would, beside that
    // attempt's journal.
    const QByteArray draft = restoreBytes(600.0f);
    writeRestoreBytes(draft);
    QFile earlierDraft(m_directory.filePath(QStringLiteral("draft_record_777.xml")));
    ASSERT_TRUE(earlierDraft.open(QIODevice::WriteOnly));
    earlierDraft.write(draft);
    earlierDraft.close();
    QFile earlierJournal(m_directory.filePath(QStringLiteral("attempt_777.journal")));
    ASSERT_TRUE(earlierJournal.open(QIODevice::WriteOnly));
    earlierJournal.write("{\"e\":\"start\"}\n{\"e\":\"end\"}\n");
    earlierJournal.close();

    ASSERT_EQ(m_attempt->restoreDraft(), std::nullopt);
    m_attempt->waitForPendingWrite();
    QFile journal(m_attempt->journalPath());
    ASSERT_TRUE(journal.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = journal.readAll().split('\n');
    ASSERT_GE(lines.size(), 2);
    const QJsonObject restore = QJsonDocument::fromJson(lines[lines.size() - 2]).object();
    EXPECT_EQ(restore.value(QStringLiteral("e")).toString(), QStringLiteral("restore"));
    EXPECT_EQ(restore.value(QStringLiteral("draft")).toInt(), 777);
    EXPECT_EQ(restore.value(QStringLiteral("draftSeal")).toString(), QString::fromLatin1(sha256Hex("{\"e\":\"end\"}")));
    // (1, 1) held a typed 4 that the draft's 9 replaced; (2, 1) was emptied, which is no overwrite.
    const QJsonArray overwrites = restore.value(QStringLiteral("overwrites")).toArray();
    ASSERT_EQ(overwrites.size(), 1);
    EXPECT_EQ(overwrites.at(0).toArray(), (QJsonArray{1, 1, QStringLiteral("4"), QStringLiteral("9")}));
}

// A rehearsal's draft is training: a record attempt refuses it, and changes nothing; a rehearsal may
// take any draft.
TEST_F(RunningAttemptTest, draftOfARehearsal_isRefusedByARecordAttemptOnly)
{
    const QByteArray draft = restoreBytes(600.0f);
    writeRestoreBytes(draft);
    QFile rehearsalDraft(m_directory.filePath(QStringLiteral("draft_record_778.xml")));
    ASSERT_TRUE(rehearsalDraft.open(QIODevice::WriteOnly));
    rehearsalDraft.write(draft);
    rehearsalDraft.close();
    QFile rehearsalJournal(m_directory.filePath(QStringLiteral("attempt_778.journal")));
    ASSERT_TRUE(rehearsalJournal.open(QIODevice::WriteOnly));
    rehearsalJournal.write("{\"e\":\"start\",\"rehearsal\":true}\n{\"e\":\"end\"}\n");
    rehearsalJournal.close();

    enterRecall(CountdownStart + 60.0f);
    type(1, 1, QStringLiteral("4"));
    const QByteArray before = record().serialize();
    const std::optional<QString> refused = m_attempt->restoreDraft();
    ASSERT_TRUE(refused.has_value());
    EXPECT_TRUE(refused->contains(QStringLiteral("rehearsal"))) << refused->toStdString();
    EXPECT_EQ(record().serialize(), before);
    EXPECT_EQ(m_attempt->sheet().cellText(1, 1), QStringLiteral("4"));

    startAttempt(DraftNumber + 1, true);
    enterRecall(CountdownStart + 60.0f);
    EXPECT_EQ(m_attempt->restoreDraft(), std::nullopt) << "a rehearsal may take a rehearsal's draft";
}

TEST_F(RunningAttemptTest, wrongLockedDigit_endsTheStageByThatRule)
{
    enterRecall(CountdownStart + 60.0f);
    const QString wrong = QString::number((m_digits.left(1).toInt() + 1) % 10);
    type(1, 1, wrong);
    m_clock.set(CountdownStart + 60.0f + 600.0f);
    EXPECT_FALSE(m_attempt->mayOpen(1, 1)) << "locked";
    const RunningAttempt::EditOutcome outcome = type(1, 2, m_digits.mid(1, 1));
    EXPECT_TRUE(outcome.finishStage);
    EXPECT_TRUE(m_attempt->state().endedByRule);
    EXPECT_EQ(m_attempt->state().endMessage, WrongLockedDigitMessage);
}

TEST_F(RunningAttemptTest, afterTheEnd_noCellOpensAndNoTextIsTaken)
{
    enterRecall(CountdownStart + 60.0f);
    type(1, 1, m_digits.left(1));
    m_attempt->finish(EndReason::Finish);
    EXPECT_FALSE(m_attempt->mayOpen(1, 2));
    m_attempt->enterText(1, 2, QStringLiteral("7"));
    EXPECT_TRUE(m_attempt->sheet().cellText(1, 2).isEmpty());
    EXPECT_FALSE(m_attempt->editEnded(1, 2).restartDigitClock);
    EXPECT_FALSE(m_attempt->digitTick().finish) << "no clock ends an ended attempt again";
}

TEST_F(RunningAttemptTest, outcome_holdsWhatTheResultsShow)
{
    enterRecall(CountdownStart + 60.0f);
    type(1, 1, m_digits.mid(0, 1));
    type(1, 2, m_digits.mid(1, 1));
    m_clock.set(CountdownStart + 72.5f);
    m_attempt->finish(EndReason::Finish);

    const AttemptOutcome outcome = m_attempt->outcome();
    EXPECT_EQ(outcome.reason, EndReason::Finish);
    EXPECT_EQ(outcome.score, 2);
    EXPECT_EQ(outcome.usedSeconds, 12.5f);
    EXPECT_EQ(outcome.maxSeconds, 28800.0f);
    EXPECT_EQ(outcome.caption, QStringLiteral("Digits of PI"));
    EXPECT_EQ(outcome.rows, Rows);
    EXPECT_EQ(outcome.digitsPerRow, Columns);
    ASSERT_EQ(outcome.questions.size(), std::size_t(Rows * Columns));
    EXPECT_EQ(outcome.questions.back(), m_digits.right(1));
    EXPECT_EQ(outcome.answers[1], m_digits.mid(1, 1));
    EXPECT_TRUE(outcome.answers[2].isEmpty());
    EXPECT_EQ(outcome.evidence.draftNumber, DraftNumber);
    EXPECT_FALSE(outcome.evidence.seal.isEmpty());
}

TEST_F(RunningAttemptTest, chosenNumber_namesNoFileOfAnEarlierAttempt_andTakesItsJournal)
{
    ASSERT_TRUE(QDir(m_directory.path()).mkpath(QStringLiteral("reports")));
    // Each number drawn is left behind as one kind of file of an earlier attempt.
    const QStringList leftBehind = {QStringLiteral("draft_record_%1.xml"), QStringLiteral("attempt_%1.journal"),
                                    QStringLiteral("reports/attempt_%1.pdf"), QStringLiteral("reports/attempt_%1.csv")};
    QSet<int> drawn;
    for (int round = 0; round < 40; ++round) {
        const int number = RunningAttempt::chooseDraftNumber(m_clock);
        ASSERT_GE(number, 0);
        ASSERT_LT(number, DraftNumberCount);
        ASSERT_FALSE(drawn.contains(number)) << number;
        drawn.insert(number);
        const QString journal = programFilePath(QStringLiteral("attempt_%1.journal").arg(number));
        ASSERT_TRUE(QFile::exists(journal)) << "the number is taken by its journal";
        EXPECT_EQ(QFileInfo(journal).size(), 0);
        for (const QString& kind : leftBehind) {
            if (kind.contains(QStringLiteral("journal")))
                continue;
            EXPECT_FALSE(QFile::exists(programFilePath(kind.arg(number))));
        }
        QFile::remove(journal);
        QFile file(programFilePath(leftBehind[round % leftBehind.size()].arg(number)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
}

TEST_F(RunningAttemptTest, seal_isGivenOnlyForAJournalThatHoldsEveryLine)
{
    const struct
    {
        const char* what;
        std::function<void(const QString& journal)> damage;
    } cases[] = {
        {"whole", [](const QString&) {}},
        {"deleted", [](const QString& journal) { QFile::remove(journal); }},
        {"a line added",
         [](const QString& journal) {
             QFile file(journal);
             ASSERT_TRUE(file.open(QIODevice::Append));
             file.write("{}\n");
         }},
        {"cut short", [](const QString& journal) { QFile::resize(journal, QFileInfo(journal).size() - 5); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StageSettings settings;
        settings.digitsPerRow = Columns;
        const int number = RunningAttempt::chooseDraftNumber(m_clock);
        RunningAttempt attempt(settings, DigitSource{1, QStringLiteral("Digits of PI"), m_digits}, number, m_clock);
        attempt.startCountdown();
        attempt.mayOpen(1, 1);
        attempt.enterText(1, 1, m_digits.left(1));
        attempt.editEnded(1, 1);
        attempt.finish(EndReason::Finish);
        c.damage(attempt.journalPath());
        const AttemptEvidence evidence = attempt.evidence();
        const bool whole = std::string(c.what) == "whole";
        EXPECT_EQ(evidence.seal.isEmpty(), !whole);
        EXPECT_EQ(evidence.journalProblem.isEmpty(), whole) << evidence.journalProblem.toStdString();
    }
}

} // namespace
