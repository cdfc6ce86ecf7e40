#include "training/progress/Calibration.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_map>

Calibration calibrate(const std::vector<HistoryReview>& reviews, const FsrsScheduler& scheduler)
{
    std::unordered_map<QString, ItemSchedule> schedules;
    std::array<double, 10> predictedSums{};
    std::array<int, 10> recalled{};
    Calibration result;
    for (const HistoryReview& review : reviews) {
        const Rating rating = Rating(std::clamp(review.rating, 1, 4));
        const auto known = schedules.find(review.itemId);
        if (known == schedules.end()) {
            schedules.emplace(review.itemId, scheduler.review(std::nullopt, review.day, rating).schedule);
            continue;
        }
        if (isLongTermReview(known->second.lastReviewDay, review.day)) {
            const double predicted = scheduler.retrievabilityOn(known->second, review.day);
            const auto bin = std::size_t(std::clamp(int(predicted * 10.0), 0, 9));
            ++result.bins[bin].reviews;
            predictedSums[bin] += predicted;
            recalled[bin] += rating != Rating::Again ? 1 : 0;
            ++result.reviews;
        }
        known->second = scheduler.review(known->second, review.day, rating).schedule;
    }
    double squares = 0.0;
    for (std::size_t bin = 0; bin < result.bins.size(); ++bin) {
        CalibrationBin& b = result.bins[bin];
        if (b.reviews == 0)
            continue;
        b.meanPredicted = predictedSums[bin] / b.reviews;
        b.observed = double(recalled[bin]) / b.reviews;
        squares += b.reviews * (b.meanPredicted - b.observed) * (b.meanPredicted - b.observed);
    }
    result.rmse = result.reviews == 0 ? 0.0 : std::sqrt(squares / result.reviews);
    return result;
}
