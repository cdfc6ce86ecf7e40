#include "EntryRules.h"

#include "Clock.h"
#include "LockedDigitCheck.h"

#include <cmath>

float entryAge(float stamp, float now)
{
    if (std::isnan(stamp))
        return -1.0f;
    return elapsedSeconds(stamp, now);
}

float cellAge(const AnswerSheet& sheet, int row, int column, float now)
{
    return entryAge(sheet.stamp(row, column), now);
}

bool isCellLocked(const AnswerSheet& sheet, int row, int column, float lockAfterSeconds, float now)
{
    return isLocked(cellAge(sheet, row, column, now), lockAfterSeconds);
}

CommitOutcome commitEdit(AnswerSheet& sheet, StageState& state, int row, int column, float now)
{
    CommitOutcome outcome;
    if (sheet.cellText(row, column).isEmpty())
        return outcome;
    sheet.setStamp(row, column, now);
    outcome.stamped = true;
    const int index = sheet.digitIndex(row, column);
    if (index >= state.nextDigitIndex) {
        state.nextDigitIndex = index + 1;
        state.digitStartTime = now;
        outcome.restartDigitClock = true;
    }
    return outcome;
}

bool hasWrongLockedDigit(const AnswerSheet& answers, const CellTextSource& questions, float lockAfterSeconds, float now)
{
    LockedDigitCheck check;
    return check.hasWrongLockedDigit(answers, questions, lockAfterSeconds, now);
}

bool checkLockedDigits(StageState& state, const AnswerSheet& answers, const CellTextSource& questions, float now)
{
    LockedDigitCheck check;
    return checkLockedDigits(state, check, answers, questions, now);
}

bool checkLockedDigits(StageState& state, LockedDigitCheck& check, const AnswerSheet& answers,
                       const CellTextSource& questions, float now)
{
    if (!check.hasWrongLockedDigit(answers, questions, state.lockAfterSeconds, now))
        return false;
    state.endByRule(WrongLockedDigitMessage);
    return true;
}
