#pragma once

#include "rules/AttemptRules.h"
#include "settings/StageSettings.h"

#include <QString>

#include <functional>

// The state of one recall stage: the settings it was started with, and what the stage made of them.
// The limits are fixed rules of the discipline. Clock readings and durations are single precision,
// like the clock itself.
struct StageState : StageSettings
{
    bool endedByRule = false;
    int maxStageSeconds = MaxStageSeconds;
    float lockAfterSeconds = LockAfterMs / 1000.0f;
    int maxDigitSeconds = MaxDigitMs / 1000;
    bool countDown = true;
    int nextDigitIndex = NoDigitYet;
    int draftNumber = 0;
    // The countdown is over and the stage clock runs (or ran).
    bool recallStarted = false;
    // The stage was finished or left; nothing of it acts any more.
    bool ended = false;

    float stageStartTime = 0.0f;
    float digitStartTime = 0.0f;
    // The used seconds, as the stage clock or the last record measured them.
    float stageSeconds = 0.0f;
    QString lastTimeText;
    QString endMessage;

    void endByRule(const QString& message)
    {
        endMessage = message;
        endedByRule = true;
    }
};

inline const QString WrongLockedDigitMessage =
    QStringLiteral("Since one of the digits that has been locked is wrong, the record attempt has been finished.");
inline const QString DigitTimeExceededMessage =
    QStringLiteral("The maximum answer time has been exceeded for one digit.");

constexpr int DraftNumberCount = 30000;

/// Picks the number of this stage's draft file: floor(r * 30000) for r from @p randomUnit in [0, 1),
/// drawn again while a draft of that number already exists, so that no earlier draft is overwritten.
/// When every number is taken the first pick is returned.
int chooseDraftNumber(const std::function<double()>& randomUnit, const std::function<bool(int)>& draftExists);
