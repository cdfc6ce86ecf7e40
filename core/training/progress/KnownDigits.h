#pragma once

#include "training/progress/ProgressHistory.h"

#include <vector>

struct DayValue
{
    int day = 0;
    int value = 0;

    bool operator==(const DayValue&) const = default;
};

// How far the competitor's memory of a number reaches over time, each series by day.
struct KnownDigitsSeries
{
    // The digits from digit 1 on whose blocks have all been learned (had their first review): a point on
    // each day this grows.
    std::vector<DayValue> known;
    // The personal best recital from digit 1 (the digits before the first error), on each day it rose.
    std::vector<DayValue> bestRecital;
    // The longest rehearsal under the record rules of each day with one, the digits before its first error.
    std::vector<DayValue> rehearsed;
};

KnownDigitsSeries knownDigitsOverTime(const ProgressHistory& history, TrainingNumber number);
