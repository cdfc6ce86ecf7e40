#pragma once

#include "base/Clock.h"

#include "stage/AnswerSheet.h"
#include "stage/StageState.h"

// Seconds since the last entry of a digit, with the midnight rule; -1 for a cell never filled.
inline float entryAge(float stamp, float now)
{
    // NaN marks a cell never filled; a NaN is the one value unequal to itself.
    if (stamp != stamp)
        return -1.0f;
    return elapsedSeconds(stamp, now);
}
float cellAge(const AnswerSheet& sheet, int row, int column, float now);

// The lock rule (isLockedAtAgeMs) for a cell of the sheet, judged with the stage's clock.
bool isCellLocked(const AnswerSheet& sheet, int row, int column, float lockAfterSeconds, float now);

struct CommitOutcome
{
    bool stamped = false;
    // A digit at or beyond every earlier one: the caller removes the per-digit bars and restarts
    // the per-digit clock (digitStartTime is already set).
    bool restartDigitClock = false;
};

/// The rules after an edit of (@p row, @p column) ended, its text already in @p sheet: an entry is
/// stamped with @p now, and a new digit moves nextDigitIndex past it.
CommitOutcome commitEdit(AnswerSheet& sheet, StageState& state, int row, int column, float now);
