#include "stage/EntryRules.h"

#include "base/Clock.h"
#include "rules/AttemptRules.h"

#include <cmath>

float cellAge(const AnswerSheet& sheet, int row, int column, float now)
{
    return entryAge(sheet.stamp(row, column), now);
}

bool isCellLocked(const AnswerSheet& sheet, int row, int column, float lockAfterSeconds, float now)
{
    return isLockedAtAgeMs(wholeMilliseconds(cellAge(sheet, row, column, now)), wholeMilliseconds(lockAfterSeconds));
}

CommitOutcome commitEdit(AnswerSheet& sheet, StageState& state, int row, int column, float now)
{
    CommitOutcome outcome;
    const QString text = sheet.cellText(row, column);
    if (!isEntry(text))
        return outcome;
    sheet.setStamp(row, column, now);
    outcome.stamped = true;
    const int index = sheet.digitIndex(row, column);
    if (isNewDigit(text, index, state.nextDigitIndex)) {
        state.nextDigitIndex = nextDigitIndexAfter(index);
        state.digitStartTime = now;
        outcome.restartDigitClock = true;
    }
    return outcome;
}
