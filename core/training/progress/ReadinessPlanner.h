#pragma once

#include "training/DailyQueue.h"

#include <vector>

// What it takes to know digits 1..targetDigits by a date: the blocks still to learn spread evenly over
// the days left, and the reviews those days bring, at the competitor's own pace.
struct ReadinessPlan
{
    // False when the date is not after today: there is no day left to train.
    bool possible = false;
    int targetDigits = 0;
    // Training days from today up to the day before the date.
    int days = 0;
    int blocksToLearn = 0;
    int newBlocksPerDay = 0;
    // Learning the day's new blocks, on the days there are any.
    double learnMinutesPerDay = 0.0;
    // Reviews of the blocks and junctions up to the target, the days' average and the busiest day.
    double reviewMinutesPerDay = 0.0;
    double peakReviewMinutes = 0.0;
};

// The reviews are played through the scheduler day by day, each one recalled right (Good), the new blocks
// learned in order and each junction reviewed first on the day its second block is learned.
ReadinessPlan planReadiness(const std::vector<ItemProgress>& progress, TrainingNumber number, int targetDigits,
                            int today, int date, const PaceEstimate& pace, const FsrsScheduler& scheduler);
