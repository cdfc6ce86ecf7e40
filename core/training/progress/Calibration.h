#pragma once

#include "training/FsrsScheduler.h"
#include "training/progress/ProgressHistory.h"

#include <array>
#include <vector>

// How well the recall probabilities the schedule predicted matched what the competitor then did. Every
// long-term review after an item's first is a prediction (its probability of recall just before) and an
// outcome (recalled unless rated Again); they are binned by the prediction in tenths.
struct CalibrationBin
{
    int reviews = 0;
    double meanPredicted = 0.0;
    // The share recalled.
    double observed = 0.0;
};

struct Calibration
{
    std::array<CalibrationBin, 10> bins{};
    int reviews = 0;
    // The root of the mean squared gap between predicted and observed over the bins, each weighted by
    // its reviews; 0 without reviews.
    double rmse = 0.0;

    bool enough() const { return reviews >= MinimumReviews; }
    // Fewer reviews than this say too little to show.
    static constexpr int MinimumReviews = 1000;
};

// Replays every item's reviews, in the order given, through the scheduler.
Calibration calibrate(const std::vector<HistoryReview>& reviews, const FsrsScheduler& scheduler);
