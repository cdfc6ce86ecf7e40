#include "stage/LockedDigitCheck.h"

#include "rules/AttemptRules.h"
#include "stage/AnswerSheet.h"
#include "stage/EntryRules.h"

bool LockedDigitCheck::hasWrongLockedDigit(const AnswerSheet& answers, const CellTextSource& questions,
                                           float lockAfterSeconds, float now)
{
    const std::vector<float>& stamps = answers.stamps();
    const qint64 lockAfterMs = wholeMilliseconds(lockAfterSeconds);
    m_rightVersion.resize(stamps.size(), 0);
    const int columns = answers.columnCount();
    const int questionRows = questions.rowCount();
    const int questionColumns = questions.columnCount();
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        if (!isLockedAtAgeMs(wholeMilliseconds(entryAge(stamps[i], now)), lockAfterMs))
            continue;
        const std::uint32_t version = answers.textVersion(i);
        if (m_rightVersion[i] == version)
            continue;
        const int row = static_cast<int>(i / std::size_t(columns)) + 1;
        const int column = static_cast<int>(i % std::size_t(columns)) + 1;
        if (row > questionRows || column > questionColumns)
            continue;
        if (isWrongAnswer(answers.cellText(row, column), questions.cellText(row, column)))
            return true;
        m_rightVersion[i] = version;
    }
    return false;
}

bool checkLockedDigits(StageState& state, LockedDigitCheck& check, const AnswerSheet& answers,
                       const CellTextSource& questions, float now)
{
    if (!check.hasWrongLockedDigit(answers, questions, state.lockAfterSeconds, now))
        return false;
    state.endByRule(WrongLockedDigitMessage);
    return true;
}
