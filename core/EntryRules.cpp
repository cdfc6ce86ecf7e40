#include "EntryRules.h"

#include "Clock.h"

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
    // Only stamped cells can be locked, so the flat stamp array is scanned and texts are read only
    // for locked cells: a full pi sheet has 32,760 cells and this runs after every keystroke.
    const std::vector<float>& stamps = answers.stamps();
    const int columns = answers.columnCount();
    const int questionRows = questions.rowCount();
    const int questionColumns = questions.columnCount();
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        if (!isLocked(entryAge(stamps[i], now), lockAfterSeconds))
            continue;
        const int row = static_cast<int>(i / std::size_t(columns)) + 1;
        const int column = static_cast<int>(i % std::size_t(columns)) + 1;
        if (row > questionRows || column > questionColumns)
            continue;
        if (answers.cellText(row, column) != questions.cellText(row, column))
            return true;
    }
    return false;
}

bool checkLockedDigits(StageState& state, const AnswerSheet& answers, const CellTextSource& questions, float now)
{
    if (!hasWrongLockedDigit(answers, questions, state.lockAfterSeconds, now))
        return false;
    state.endByRule(WrongLockedDigitMessage);
    return true;
}
