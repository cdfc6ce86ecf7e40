#pragma once

#include "RecallStageDriver.h"
#include "StageScript.h"

#include "journal/JournalVerifier.h"
#include "journal/VerificationResult.h"

#include <QStringList>

#include <optional>

// One script played on the running stage, and the journal it wrote verified by the program's verifier.
struct StageReplayCheck
{
    std::optional<RecallStageDriver::Ending> stage;
    VerificationResult replay;
    // The journal the stage wrote, and the draft and seal it was verified with: left for other verifiers.
    QString journalPath;
    VerifyOptions options;
    // Where the two disagree: the verdict, the end, the score, the used time, the answers, the locks.
    QStringList disagreements;
    // What happened on the way, for a test to see what a set of scripts covered.
    int restoresAccepted = 0;
    int editorsRefused = 0;

    bool agrees() const { return disagreements.isEmpty(); }
    // The disagreements, the verdict and the script, for a failure message.
    QString report(const StageScript& script) const;
};

/// Plays @p script from the opening of the stage window until the stage ends (when the script runs out,
/// nobody touches the stage until a clock ends it), in @p programDirectory, then verifies the journal.
StageReplayCheck playAndVerify(const StageScript& script, const QString& programDirectory);
