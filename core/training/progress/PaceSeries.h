#pragma once

#include "training/progress/ProgressHistory.h"

#include <vector>

// Seconds before a digit, over a day or a block.
struct PacePoint
{
    // The day, or the block's number from 1.
    int key = 0;
    double medianSeconds = 0.0;
    double p90Seconds = 0.0;
    int digits = 0;
};

// The competitor's recall pace on a number: the time before each digit typed in review, recital, drill
// and rehearsal, by day (in day order) and by block (in block order; blocks never recalled are left out).
struct PaceSeries
{
    std::vector<PacePoint> byDay;
    std::vector<PacePoint> byBlock;
};

PaceSeries paceOverTime(const ProgressHistory& history, TrainingNumber number);
