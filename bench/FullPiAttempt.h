#pragma once

#include "AttemptScript.h"

// A full pi attempt on 30 columns, every one of the 32,760 digits typed once and right, one every
// 0.8 s, then FINISH: the largest journal an attempt writes without corrections.
inline AttemptScript fullPiAttempt()
{
    constexpr int Digits = 32'760;
    constexpr qint64 StepMs = 800;
    AttemptScript script;
    script.countdownEnds(3'000).typeDigits(1, Digits, 4'000, StepMs);
    const qint64 last = 4'000 + (Digits - 1) * StepMs;
    script.box(BoxKind::Finish, BoxAnswer::Yes, AnsweredBy::User, last + 500, last + 1'000);
    return script.end(EndReason::Finish, float(last + 1'000 - 3'000) / 1000.0f, Digits, last + 1'000);
}
