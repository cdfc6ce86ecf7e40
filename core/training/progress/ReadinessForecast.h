#pragma once

#include "training/DailyQueue.h"

#include <vector>

// Reciting digits 1..N on a day needs every block up to N's and every junction between them; each is
// recalled with its own probability on that day (FSRS's retrievability), and the forecast takes them as
// independent, so the chance of the whole is their product. An item never learned is never recalled.
struct ForecastStep
{
    // Digits 1..lastPosition: the end of a block.
    int lastPosition = 0;
    double probability = 0.0;
};

struct ReadinessForecast
{
    int day = 0;
    // One per block of the number, in order; the probability only falls from one to the next.
    std::vector<ForecastStep> steps;
    // The most digits from digit 1 recited without an error with at least that probability; 0 for none.
    int reachAt90 = 0;
    int reachAt50 = 0;

    // The probability of reciting digits 1..n without an error; 1 for none.
    double probabilityOf(int digits) const;
    int reachAt(double probability) const;
};

ReadinessForecast forecastReadiness(const std::vector<ItemProgress>& progress, TrainingNumber number, int day,
                                    const FsrsScheduler& scheduler);
