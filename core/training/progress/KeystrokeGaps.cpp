#include "training/progress/KeystrokeGaps.h"

#include <algorithm>
#include <cmath>

bool timesRecall(TrainingActivity activity)
{
    return activity != TrainingActivity::Learn && activity != TrainingActivity::Progress;
}

double percentileOf(std::vector<qint32>& values, double share)
{
    if (values.empty())
        return 0.0;
    // The nearest rank: the smallest value with at least `share` of them at or below it.
    const auto rank = std::size_t(std::max(1.0, std::ceil(share * double(values.size()))));
    const auto at = values.begin() + std::ptrdiff_t(std::min(rank, values.size()) - 1);
    std::nth_element(values.begin(), at, values.end());
    return double(*at);
}
