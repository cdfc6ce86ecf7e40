#include "AttemptScript.h"

#include "FakeClock.h"
#include "IndependentVerifier.h"
#include "base/Clock.h"
#include "digits/SpecialNumbers.h"
#include "journal/JournalVerifier.h"
#include "record/AttemptRecordDocument.h"
#include "stage/AnswerSheet.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {
// A real attempt, as the stage would journal it, and what its results screen showed.
struct RealAttempt
{
    const char* name;
    std::function<AttemptScript()> play;
    EndReason reason;
    int score;
    float usedSeconds;
};

AttemptScript finishedAfterACorrection()
{
    AttemptScript script;
    script.countdownEnds(3'000).typeDigits(1, 60, 4'000, 1'000);
    script.type(3, 1, script.wrongDigit(61), 64'000);
    script.toggleTimeDisplay(false, 65'000);
    script.type(3, 1, script.question(61), 66'000);
    script.box(BoxKind::Finish, BoxAnswer::No, AnsweredBy::Countdown, 66'500, 68'500);
    script.box(BoxKind::Finish, BoxAnswer::Yes, AnsweredBy::User, 69'000, 70'000);
    return script.end(EndReason::Finish, 67.0f, 61, 70'000);
}

AttemptScript stageTimeAfterARestoredDraft()
{
    AttemptScript script;
    script.countdownEnds(3'000).typeDigits(1, 5, 4'000, 1'000);
    std::vector<std::pair<int, QString>> restored;
    for (int index = 6; index <= 10; ++index)
        restored.emplace_back(index, script.question(index));
    script.restore(restored, 28'780.0f, 9'000);
    script.typeDigits(11, 12, 10'000, 1'000);
    return script.end(EndReason::StageTime, 28'800.0f, 22, 23'000);
}

AttemptScript stageTimeUnderTheFinishBox()
{
    AttemptScript script;
    script.countdownEnds(3'000).restore({}, 28'790.0f, 4'000).typeDigits(1, 8, 5'000, 1'000);
    // Asked with 0.6 s left: the box answers No by itself after a second, past the limit.
    script.box(BoxKind::Finish, BoxAnswer::No, AnsweredBy::Countdown, 12'400, 13'400);
    return script.end(EndReason::StageTime, 28'800.0f, 8, 13'400);
}

AttemptScript perDigitLimit()
{
    AttemptScript script;
    script.countdownEnds(3'000).typeDigits(1, 30, 4'000, 2'000);
    return script.end(EndReason::DigitTime, 74.01f, 30, 77'010);
}

// Digit 5 wrong at 8 s; it locks at 608 s, and the first entry after that ends the attempt.
AttemptScript wrongLockedDigit()
{
    AttemptScript script;
    script.countdownEnds(3'000).typeDigits(1, 5, 4'000, 1'000, 5).typeDigits(6, 64, 17'500, 9'500);
    return script.end(EndReason::WrongLockedDigit, 613.0f, 4, 616'000);
}

AttemptScript leftWithBack()
{
    AttemptScript script;
    script.countdownEnds(3'000).typeDigits(1, 12, 4'000, 1'000);
    script.box(BoxKind::Leave, BoxAnswer::Yes, AnsweredBy::User, 16'000, 17'500);
    return script.end(EndReason::Back, 14.5f, 12, 17'500);
}

// Nothing stops typing during the countdown; CANCEL is there until it ends.
AttemptScript cancelledDuringTheCountdown()
{
    AttemptScript script({1, 30, true, 60});
    script.typeDigits(1, 1, 2'000, 0);
    script.box(BoxKind::Leave, BoxAnswer::Yes, AnsweredBy::User, 5'000, 6'000);
    return script.end(EndReason::Cancel, 6.0f, 1, 6'000);
}

// Ended under the countdown, the attempt has used the countdown so far and what the draft brought.
AttemptScript cancelledDuringTheCountdownAfterARestore()
{
    AttemptScript script({1, 30, true, 60});
    script.restore({{1, script.question(1)}}, 600.0f, 2'000);
    script.box(BoxKind::Leave, BoxAnswer::Yes, AnsweredBy::User, 5'000, 6'000);
    return script.end(EndReason::Cancel, 606.0f, 1, 6'000);
}

// A draft that brings more than the time left ends the stage at once, past the limit but not late.
AttemptScript stageTimeReachedByARestoredDraft()
{
    AttemptScript script;
    script.countdownEnds(3'000).typeDigits(1, 2, 4'000, 1'000);
    script.restore({}, 28'799.5f, 6'000);
    return script.end(EndReason::StageTime, 28'800.0f, 2, 6'010);
}

AttemptScript digitsAtTheEdgeOfTheLimits()
{
    AttemptScript script({2, 40, false, 3});
    script.countdownEnds(3'000).typeDigits(1, 3, 4'000, 14'950).typeDigits(4, 44, 40'000, 13'000);
    // Cell 1 reopened 599 s after its entry and committed at 601 s: the lock is decided when it opens.
    script.type(1, 1, script.question(1), 605'000, 603'000);
    script.typeDigits(48, 1, 610'000, 0);
    script.box(BoxKind::Finish, BoxAnswer::Yes, AnsweredBy::User, 610'500, 611'000);
    return script.end(EndReason::Finish, 608.0f, 48, 611'000);
}

const RealAttempt RealAttempts[] = {
    {"FINISH after a correction", finishedAfterACorrection, EndReason::Finish, 61, 67.0f},
    {"8-hour limit after a restored draft", stageTimeAfterARestoredDraft, EndReason::StageTime, 22, 28'800.0f},
    {"8-hour limit under the FINISH box", stageTimeUnderTheFinishBox, EndReason::StageTime, 8, 28'800.0f},
    {"15 seconds on one digit", perDigitLimit, EndReason::DigitTime, 30, 74.01f},
    {"a wrong locked digit", wrongLockedDigit, EndReason::WrongLockedDigit, 4, 613.0f},
    {"BACK", leftWithBack, EndReason::Back, 12, 14.5f},
    {"CANCEL during the countdown", cancelledDuringTheCountdown, EndReason::Cancel, 1, 6.0f},
    {"digits at the edge of the limits", digitsAtTheEdgeOfTheLimits, EndReason::Finish, 48, 608.0f},
    {"CANCEL during the countdown after a restored draft", cancelledDuringTheCountdownAfterARestore, EndReason::Cancel,
     1, 606.0f},
    {"8-hour limit reached by a restored draft", stageTimeReachedByARestoredDraft, EndReason::StageTime, 2, 28'800.0f},
};

// A rule broken on the way, and the event that broke it.
struct BrokenAttempt
{
    const char* name;
    std::function<AttemptScript()> play;
    int event;
    const char* says;
};

AttemptScript finishedAt(AttemptScript script, qint64 ms, int score, float used)
{
    script.box(BoxKind::Finish, BoxAnswer::Yes, AnsweredBy::User, ms - 500, ms);
    return script.end(EndReason::Finish, used, score, ms);
}

AttemptScript longGap(bool cellTimerOn)
{
    AttemptScript script({1, 30, cellTimerOn, 3});
    script.countdownEnds(3'000).typeDigits(1, 10, 4'000, 1'000).typeDigits(11, 1, 28'200, 0);
    return finishedAt(script, 29'000, 11, 26.0f);
}

const BrokenAttempt BrokenAttempts[] = {
    {"15.2 s between new digits, cell timer on", [] { return longGap(true); }, 13,
     "the new digit in the cell in row 1, column 11 came 15.20 s after the previous new digit (event 12)"},
    {"15.2 s between new digits, cell timer off", [] { return longGap(false); }, 13, "came 15.20 s after"},
    {"a locked cell changed",
     [] {
         AttemptScript script;
         script.countdownEnds(3'000).typeDigits(1, 1, 4'000, 0).typeDigits(2, 61, 14'000, 10'000);
         script.type(1, 1, script.wrongDigit(1), 615'000);
         return finishedAt(script, 616'000, 0, 613.0f);
     },
     65, "the cell in row 1, column 1 was changed 611.00 s after its last entry (event 3), when it was locked"},
    {"an entry outside the sheet",
     [] {
         AttemptScript script;
         script.countdownEnds(3'000).typeDigits(1, 2, 4'000, 1'000).type(1093, 1, QStringLiteral("7"), 6'000);
         return finishedAt(script, 7'000, 2, 4.0f);
     },
     5, "row 1093, column 1 lies outside the answer sheet of 1092 rows and 30 columns"},
    {"a letter entered",
     [] {
         AttemptScript script;
         script.countdownEnds(3'000).type(1, 1, QStringLiteral("x"), 4'000);
         return finishedAt(script, 5'000, 0, 2.0f);
     },
     3, "\"x\" entered into the cell in row 1, column 1 is not a digit"},
    {"the attempt went on after a locked digit was wrong",
     [] {
         AttemptScript script;
         script.countdownEnds(3'000).typeDigits(1, 5, 4'000, 1'000, 5).typeDigits(6, 65, 17'500, 9'500);
         return finishedAt(script, 626'000, 4, 623.0f);
     },
     71, "after this entry the cell in row 1, column 5 was locked and held"},
    {"an entry after the 8-hour limit",
     [] {
         AttemptScript script;
         script.countdownEnds(3'000).restore({}, 28'795.0f, 4'000).typeDigits(1, 5, 5'000, 1'000);
         return script.end(EndReason::StageTime, 28'800.0f, 5, 9'000);
     },
     8, "it came at a used time of 8:00:01, after the 8-hour limit"},
    {"ended for the 8-hour limit 5 s after it",
     [] {
         AttemptScript script;
         script.countdownEnds(3'000).restore({}, 28'790.0f, 4'000);
         return script.end(EndReason::StageTime, 28'800.0f, 0, 18'000);
     },
     4, "it came at a used time of 8:00:05, after the 8-hour limit"},
    {"ended for a wrong locked digit that was not there",
     [] {
         AttemptScript script;
         script.countdownEnds(3'000).typeDigits(1, 5, 4'000, 1'000);
         return script.end(EndReason::WrongLockedDigit, 5.0f, 5, 8'000);
     },
     8, "no locked digit was wrong"},
    {"finished without a confirmed FINISH",
     [] {
         AttemptScript script;
         script.countdownEnds(3'000).typeDigits(1, 5, 4'000, 1'000);
         return script.end(EndReason::Finish, 6.0f, 5, 9'000);
     },
     8, "finished without a confirmed FINISH"},
    {"ended for the per-digit limit too early",
     [] {
         AttemptScript script;
         script.countdownEnds(3'000).typeDigits(1, 5, 4'000, 1'000);
         return script.end(EndReason::DigitTime, 10.0f, 5, 13'000);
     },
     8, "ended for the per-digit limit 5.00 s after the last new digit (event 7)"},
    {"the countdown cut short",
     [] {
         AttemptScript script({1, 30, true, 10});
         script.countdownEnds(4'000).typeDigits(1, 2, 5'000, 1'000);
         return finishedAt(script, 7'000, 2, 3.0f);
     },
     2, "the countdown of 10 s ended after 4.00 s"},
    {"FINISH asked 20 s after the last digit",
     [] {
         AttemptScript script;
         script.countdownEnds(3'000).typeDigits(1, 3, 4'000, 1'000);
         return finishedAt(script, 26'500, 3, 23.5f);
     },
     6, "it came 20.50 s after the last new digit (event 5)"},
    {"a box that answered Yes by itself",
     [] {
         AttemptScript script;
         script.countdownEnds(3'000).typeDigits(1, 3, 4'000, 1'000);
         script.box(BoxKind::Finish, BoxAnswer::Yes, AnsweredBy::Countdown, 7'000, 12'000);
         return script.end(EndReason::Finish, 9.0f, 3, 12'000);
     },
     6, "a box that answers by itself answers No"},
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}
} // namespace

TEST(AttemptReplay, realAttempts_replayToTheScoreAndUsedTimeTheResultsShowed)
{
    for (const RealAttempt& attempt : RealAttempts) {
        SCOPED_TRACE(attempt.name);
        const AttemptScript script = attempt.play();
        const VerificationResult result = verifyJournal(script.bytes());
        EXPECT_EQ(result.verdict, Verdict::Valid) << result.verdictText.toStdString();
        EXPECT_EQ(result.exitCode(), 0);
        ASSERT_TRUE(result.end.has_value());
        EXPECT_EQ(result.end->reason, attempt.reason);
        EXPECT_EQ(result.score, attempt.score);
        EXPECT_NEAR(result.usedSeconds, attempt.usedSeconds, 0.005);
        EXPECT_EQ(result.seal, script.seal());
    }
}

TEST(AttemptReplay, brokenRules_areNamedByTheEventThatBrokeThem)
{
    for (const BrokenAttempt& attempt : BrokenAttempts) {
        SCOPED_TRACE(attempt.name);
        const VerificationResult result = verifyJournal(attempt.play().bytes());
        EXPECT_EQ(result.verdict, Verdict::BreaksRules) << result.verdictText.toStdString();
        EXPECT_EQ(result.exitCode(), 1);
        ASSERT_FALSE(result.problems.empty());
        EXPECT_EQ(result.problems.front().event, attempt.event) << result.verdictText.toStdString();
        EXPECT_EQ(result.problems.front().kind, ProblemKind::BrokenRule);
        EXPECT_TRUE(result.verdictText.contains(QLatin1StringView(attempt.says))) << result.verdictText.toStdString();
    }
}

TEST(AttemptReplay, recordedUsedTimeOffByMoreThanASecond_isAnAlteration)
{
    struct Case
    {
        float recorded;
        bool altered;
    };
    const Case cases[] = {{14.5f, false}, {15.4f, false}, {13.6f, false}, {15.6f, true}, {0.0f, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.recorded);
        AttemptScript script;
        script.countdownEnds(3'000).typeDigits(1, 12, 4'000, 1'000);
        script.box(BoxKind::Leave, BoxAnswer::Yes, AnsweredBy::User, 16'000, 17'500);
        script.end(EndReason::Back, c.recorded, 12, 17'500);
        const VerificationResult result = verifyJournal(script.bytes());
        EXPECT_EQ(result.verdict, c.altered ? Verdict::Altered : Verdict::Valid) << result.verdictText.toStdString();
        EXPECT_EQ(result.verdictText.contains(QStringLiteral("event 16: the recorded used time")), c.altered);
    }
}

TEST(AttemptReplay, cellHistories_tellEntriesChangesGapsAndCorrections)
{
    const VerificationResult result = verifyJournal(finishedAfterACorrection().bytes());
    ASSERT_EQ(result.cells.size(), std::size_t(1092 * 30));
    // Digit 61 (row 3, column 1): new at 64 s, 1 s after digit 60, corrected at 66 s.
    const CellHistory& corrected = result.cells[60];
    EXPECT_EQ(corrected.firstEntryMs, 64'000);
    EXPECT_EQ(corrected.lastChangeMs, 66'000);
    EXPECT_EQ(corrected.gapBeforeMs, 1'000);
    EXPECT_EQ(corrected.corrections, 1);
    EXPECT_EQ(result.answers[60], result.questions[60]);
    EXPECT_TRUE(result.correct[60]);
    // The first digit has no gap before it; an untouched cell has no history.
    EXPECT_EQ(result.cells[0].gapBeforeMs, -1);
    EXPECT_EQ(result.cells[0].firstEntryMs, 4'000);
    EXPECT_EQ(result.cells[61].firstEntryMs, -1);
    EXPECT_FALSE(result.correct[61]);

    ASSERT_EQ(result.corrections.size(), 1u);
    EXPECT_EQ(result.corrections[0].event, 65);
    EXPECT_EQ(result.corrections[0].newText, result.questions[60]);
    EXPECT_EQ(result.gaps.size(), 60u);
    EXPECT_EQ(result.longestGapMs, 1'000);
    EXPECT_EQ(result.longestGapDigit, 2);

    const VerificationResult restored = verifyJournal(stageTimeAfterARestoredDraft().bytes());
    ASSERT_EQ(restored.restores.size(), 1u);
    EXPECT_EQ(restored.restores[0].event, 8);
    EXPECT_EQ(restored.restores[0].cellsChanged, 5);
    EXPECT_DOUBLE_EQ(restored.restores[0].addedSeconds, 28'780.0);
    EXPECT_EQ(restored.cells[7].lastChangeMs, 9'000);
    EXPECT_EQ(restored.cells[7].firstEntryMs, -1) << "a restore is no entry";
    // Digit 11 is the first new digit after the restore, 2 s after digit 5: restored digits are no entries.
    EXPECT_EQ(restored.cells[10].gapBeforeMs, 2'000);
}

TEST(AttemptReplay, draftOfTheLastEntry_agreesWithTheJournal)
{
    QTemporaryDir dir;
    const AttemptScript script = finishedAfterACorrection();
    // The draft the stage saved at its last entry (66 s, used 63 s), made the way the stage makes it.
    AttemptRecordDocument draft;
    draft.setLocale(QLocale::c());
    draft.BuildAttemptRecord(digitsForResourceKey(103), 30);
    AnswerSheet grid;
    grid.reset(1092, 30);
    for (int index = 1; index <= 61; ++index)
        grid.setCellText((index - 1) / 30 + 1, (index - 1) % 30 + 1, script.answer(index));
    const FakeClock clock(1'063.0f);
    draft.RecordAnswers(1'000.0f, 28'800, clock, grid);
    const QString draftPath = dir.filePath(QStringLiteral("draft_record_4711.xml"));
    writeFile(draftPath, draft.serialize());

    VerifyOptions options;
    options.draftPath = draftPath;
    const VerificationResult agreeing = verifyJournal(script.bytes(), options);
    EXPECT_EQ(agreeing.verdict, Verdict::Valid) << agreeing.verdictText.toStdString();

    grid.setCellText(1, 3, QStringLiteral("9"));
    draft.RecordAnswers(1'000.0f, 28'800, clock, grid);
    writeFile(draftPath, draft.serialize());
    const VerificationResult differing = verifyJournal(script.bytes(), options);
    EXPECT_EQ(differing.verdict, Verdict::Altered);
    EXPECT_TRUE(differing.verdictText.contains(QStringLiteral("draft: row 1, column 3 holds question \"1\" and answer "
                                                              "\"9\"; the journal gives \"1\" and \"1\"")))
        << differing.verdictText.toStdString();

    grid.setCellText(1, 3, script.answer(3));
    const FakeClock later(1'090.0f);
    draft.RecordAnswers(1'000.0f, 28'800, later, grid);
    writeFile(draftPath, draft.serialize());
    const VerificationResult late = verifyJournal(script.bytes(), options);
    EXPECT_EQ(late.verdict, Verdict::Altered);
    EXPECT_TRUE(late.verdictText.contains(QStringLiteral("its used time 90.00 s differs from the 63.00 s")))
        << late.verdictText.toStdString();

    writeFile(draftPath, "<Korvalin/>");
    EXPECT_EQ(verifyJournal(script.bytes(), options).verdict, Verdict::Altered);
    options.draftPath = dir.filePath(QStringLiteral("missing.xml"));
    EXPECT_EQ(verifyJournal(script.bytes(), options).exitCode(), 2);
}

TEST(AttemptReplay, independentVerifier_judgesEveryScriptedAttemptAlike)
{
    if (pythonProgram().isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    for (const RealAttempt& attempt : RealAttempts) {
        SCOPED_TRACE(attempt.name);
        EXPECT_TRUE(agreesWithIndependentVerifier(attempt.play().bytes()));
    }
    for (const BrokenAttempt& attempt : BrokenAttempts) {
        SCOPED_TRACE(attempt.name);
        EXPECT_TRUE(agreesWithIndependentVerifier(attempt.play().bytes()));
    }
}

TEST(AttemptReplay, independentVerifier_readsTheDraftAlike)
{
    if (pythonProgram().isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    QTemporaryDir dir;
    const AttemptScript script = finishedAfterACorrection();
    const QString draftPath = dir.filePath(QStringLiteral("draft_record_4711.xml"));
    // The draft of the last entry (66 s, used 63 s) as the stage writes it, under the locale given, with the
    // answer of row 1, column 3 and the time of the clock given.
    const auto writeDraft = [&](const QLocale& locale, const QString& answer13, float clockSeconds) {
        AttemptRecordDocument draft;
        draft.setLocale(locale);
        draft.BuildAttemptRecord(digitsForResourceKey(103), 30);
        AnswerSheet grid;
        grid.reset(1092, 30);
        for (int index = 1; index <= 61; ++index)
            grid.setCellText((index - 1) / 30 + 1, (index - 1) % 30 + 1, script.answer(index));
        grid.setCellText(1, 3, answer13);
        draft.RecordAnswers(1'000.0f, 28'800, FakeClock(clockSeconds), grid);
        writeFile(draftPath, draft.serialize());
    };
    const QString right = script.answer(3);
    const struct
    {
        const char* name;
        std::function<void()> write;
    } cases[] = {
        {"as the stage wrote it", [&] { writeDraft(QLocale::c(), right, 1'063.0f); }},
        {"with a decimal comma", [&] { writeDraft(QLocale(QLocale::German), right, 1'063.25f); }},
        {"0.9 s off", [&] { writeDraft(QLocale::c(), right, 1'063.9f); }},
        {"1.5 s off", [&] { writeDraft(QLocale::c(), right, 1'064.5f); }},
        {"an answer changed", [&] { writeDraft(QLocale::c(), QStringLiteral("9"), 1'063.0f); }},
        {"no draft of this sheet", [&] { writeFile(draftPath, "<Korvalin><SpecialNumbers/></Korvalin>"); }},
        {"not XML", [&] { writeFile(draftPath, "<Korvalin"); }},
        {"missing", [&] { QFile::remove(draftPath); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.write();
        VerifyOptions options;
        options.draftPath = draftPath;
        EXPECT_TRUE(agreesWithIndependentVerifier(script.bytes(), options));
    }
}
