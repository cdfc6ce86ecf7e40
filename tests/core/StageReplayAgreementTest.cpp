// Attempts played on the running stage (RunningAttempt on a fake clock, driven as the recall stage window
// drives it), then verified from the journal the stage wrote: the verifier must find every attempt valid
// and come to the stage's own end, score, used time, answers and locked cells.
#include "CoreApplicationEnvironment.h"
#include "IndependentVerifier.h"
#include "ScriptChoices.h"
#include "StageReplayCheck.h"
#include "StageScriptGenerator.h"

#include "journal/JournalFormat.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {
const auto* const coreApplication = ::testing::AddGlobalTestEnvironment(new CoreApplicationEnvironment);

// In memory where the system offers it: the journal makes every entry durable, which a disk makes slow.
QString scratchTemplate()
{
    const QString memory = QStringLiteral("/dev/shm");
    return (QDir(memory).exists() ? memory : QDir::tempPath()) + QStringLiteral("/korvalin-stage-XXXXXX");
}

class StageReplayAgreement : public ::testing::Test
{
protected:
    StageReplayCheck play(const StageScript& script) { return playAndVerify(script, m_directory.path()); }

    QTemporaryDir m_directory{scratchTemplate()};
};

struct ScriptSet
{
    const char* name;
    std::uint32_t firstSeed;
    int count;
    ScriptShape shape;
};

// Most attempts on the smaller sheets, a few on the largest, pi with 30 digits a row.
const ScriptSet ScriptSets[] = {
    {"sqrt(2)", 1, 40, {0, std::nullopt, 400}},
    {"e", 101, 40, {2, std::nullopt, 400}},
    {"pi, 30 a row", 201, 6, {1, 30, 400}},
};

TEST_F(StageReplayAgreement, generatedAttempts_replayToWhatTheStageDecided)
{
    std::map<EndReason, int> endings;
    int refusedOpenings = 0;
    int restores = 0;
    for (const ScriptSet& set : ScriptSets) {
        for (std::uint32_t seed = set.firstSeed; seed < set.firstSeed + std::uint32_t(set.count); ++seed) {
            SeededChoices choices(seed);
            const StageScript script = generateStageScript(choices, set.shape);
            const StageReplayCheck check = play(script);
            EXPECT_TRUE(check.agrees()) << set.name << ", seed " << seed << ":\n" << check.report(script).toStdString();
            if (check.stage)
                ++endings[check.stage->reason];
            refusedOpenings += check.editorsRefused;
            restores += check.restoresAccepted;
        }
    }
    // The set is worth its time only while it ends attempts in every way and meets locks and restored drafts.
    for (const EndReason reason : {EndReason::Finish, EndReason::StageTime, EndReason::DigitTime,
                                   EndReason::WrongLockedDigit, EndReason::Back, EndReason::Cancel})
        EXPECT_GT(endings[reason], 0) << "no attempt ended by " << nameOf(reason).data();
    EXPECT_GT(refusedOpenings, 0) << "no locked cell was tried";
    EXPECT_GT(restores, 0) << "no draft was restored";
}

// The verifier written from docs/journal.md alone comes to korvalin-verify's judgement of every journal the
// stage wrote, with its draft and its seal.
TEST_F(StageReplayAgreement, independentVerifier_judgesTheJournalsOfGeneratedAttemptsAlike)
{
    if (pythonProgram().isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    for (const ScriptSet& set : ScriptSets) {
        for (std::uint32_t seed = set.firstSeed; seed < set.firstSeed + std::uint32_t(set.count); ++seed) {
            SeededChoices choices(seed);
            const StageReplayCheck check = play(generateStageScript(choices, set.shape));
            EXPECT_TRUE(agreesWithIndependentVerifier(check.journalPath, check.options))
                << set.name << ", seed " << seed;
        }
    }
}

StageAction after(qint64 waitMs, StageActionKind kind)
{
    StageAction action;
    action.kind = kind;
    action.waitMs = waitMs;
    return action;
}

StageAction restoring(qint64 waitMs, float seconds)
{
    StageAction action = after(waitMs, StageActionKind::RestoreDraft);
    action.restoredSeconds = seconds;
    return action;
}

StageAction leaving(qint64 waitMs, qint64 answerAfterMs)
{
    StageAction action = after(waitMs, StageActionKind::AskLeave);
    action.yes = true;
    action.answerAfterMs = answerAfterMs;
    return action;
}

StageScript onSqrt2(int concentrationSeconds, std::vector<StageAction> actions)
{
    StageScript script;
    script.numberPosition = 0;
    script.digitsPerRow = 40;
    script.concentrationSeconds = concentrationSeconds;
    script.actions = std::move(actions);
    return script;
}

// Attempts on which the stage and the replay once disagreed.
TEST_F(StageReplayAgreement, attemptsTheyOnceDisagreedOn_replayAlike)
{
    const struct
    {
        const char* name;
        StageScript script;
        EndReason reason;
    } cases[] = {
        // Ended under the countdown, the attempt has used the countdown so far and the restored time.
        {"a digit's time runs out under the countdown, after a restored draft",
         onSqrt2(60, {restoring(14'920, 4.49f), after(16'407, StageActionKind::TypeRight)}), EndReason::DigitTime},
        {"CANCEL under the countdown, after a restored draft",
         onSqrt2(60, {restoring(5'000, 600.0f), after(2'000, StageActionKind::TypeRight), leaving(1'000, 500)}),
         EndReason::Cancel},
        // A restored draft that brings more than the time left ends the stage at the next tick, not late.
        {"a restored draft passes the 8-hour limit",
         onSqrt2(20, {after(22'000, StageActionKind::TypeRight), restoring(100, 28'798.35f)}), EndReason::StageTime},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const StageReplayCheck check = play(c.script);
        ASSERT_TRUE(check.stage.has_value());
        EXPECT_EQ(check.stage->reason, c.reason);
        EXPECT_TRUE(check.agrees()) << check.report(c.script).toStdString();
    }
}
} // namespace
