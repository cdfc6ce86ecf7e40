#pragma once

#include "training/FsrsModel.h"
#include "training/ItemSchedule.h"

#include <optional>

struct ReviewOutcome
{
    ItemSchedule schedule;
    // The probability of recall just before the review; none for an item's first review.
    std::optional<double> retrievability;
    int intervalDays = 0;
};

// Only the first recall of an item on a day is a long-term review; later ones that day are same-day
// reviews. An item never reviewed before is always a long-term one.
bool isLongTermReview(std::optional<int> lastReviewDay, int today);

// Schedules items in whole days, without learning steps: every review, the first one included, sets the
// next due day. Fuzz is off, so the same history always gives the same days.
class FsrsScheduler final
{
public:
    explicit FsrsScheduler(const FsrsParameters& parameters = {});

    const FsrsModel& model() const { return m_model; }

    // The item after a review on `day` graded `rating`; `before` is empty for its first review. A day
    // before the last review counts as the same day.
    ReviewOutcome review(const std::optional<ItemSchedule>& before, int day, Rating rating) const;

    // The probability of recall on `day`, as the next review would see it.
    double retrievabilityOn(const ItemSchedule& schedule, int day) const;

private:
    int reviewInterval(const MemoryState& before, int elapsedDays, Rating rating, const MemoryState& after) const;

    FsrsModel m_model;
};
