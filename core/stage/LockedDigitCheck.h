#pragma once

#include "base/CellTextSource.h"
#include "stage/AnswerSheet.h"
#include "stage/StageState.h"

#include <cstdint>
#include <vector>

// The locked-digit rule, run after every ended edit over up to 32,760 cells. A locked cell cannot be
// opened again, so once its text has been found right it stays right until something else replaces
// the text (a restored draft); such cells are not compared again.
class LockedDigitCheck final
{
public:
    bool hasWrongLockedDigit(const AnswerSheet& answers, const CellTextSource& questions, float lockAfterSeconds,
                             float now);

private:
    // The text version of each cell when it was last found locked and right; 0 for none.
    std::vector<std::uint32_t> m_rightVersion;
};

/// The locked-digit rule run after every ended edit: when a wrong locked digit exists the stage is
/// marked as ended by that rule and true is returned; the caller stops the per-digit clock and finishes.
/// `check` remembers across calls which locked cells were already found right.
bool checkLockedDigits(StageState& state, LockedDigitCheck& check, const AnswerSheet& answers,
                       const CellTextSource& questions, float now);
