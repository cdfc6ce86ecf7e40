#include "training/progress/ReadinessForecast.h"

#include "training/TrainingItems.h"

#include <algorithm>

namespace {

// A probability computed as 0.8999999999 is still 90 %.
constexpr double Tolerance = 1e-9;

} // namespace

double ReadinessForecast::probabilityOf(int digits) const
{
    if (digits <= 0)
        return 1.0;
    const auto step = std::lower_bound(steps.begin(), steps.end(), digits,
                                       [](const ForecastStep& s, int n) { return s.lastPosition < n; });
    return step == steps.end() ? 0.0 : step->probability;
}

int ReadinessForecast::reachAt(double probability) const
{
    int reach = 0;
    for (const ForecastStep& step : steps) {
        if (step.probability + Tolerance < probability)
            break;
        reach = step.lastPosition;
    }
    return reach;
}

ReadinessForecast forecastReadiness(const std::vector<ItemProgress>& progress, TrainingNumber number, int day,
                                    const FsrsScheduler& scheduler)
{
    const int digits = int(numberDigits(number).size());
    const int blocks = blockCount(digits);
    std::vector<double> blockRecall(std::size_t(blocks) + 1, 0.0);
    std::vector<double> junctionRecall(std::size_t(blocks) + 1, 0.0);
    for (const ItemProgress& entry : progress) {
        const TrainingItem& item = entry.item;
        if (item.number != number || !entry.schedule || item.index < 1 || item.index > blocks)
            continue;
        auto& recall = item.kind == ItemKind::Block ? blockRecall : junctionRecall;
        recall[std::size_t(item.index)] = scheduler.retrievabilityOn(*entry.schedule, day);
    }

    ReadinessForecast forecast;
    forecast.day = day;
    forecast.steps.reserve(std::size_t(blocks));
    double probability = 1.0;
    for (int block = 1; block <= blocks; ++block) {
        if (block > 1)
            probability *= junctionRecall[std::size_t(block - 1)];
        probability *= blockRecall[std::size_t(block)];
        forecast.steps.push_back({std::min(block * BlockLength, digits), probability});
    }
    forecast.reachAt90 = forecast.reachAt(0.9);
    forecast.reachAt50 = forecast.reachAt(0.5);
    return forecast;
}
