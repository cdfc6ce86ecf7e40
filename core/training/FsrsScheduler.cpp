#include "training/FsrsScheduler.h"

#include <algorithm>

bool isLongTermReview(std::optional<int> lastReviewDay, int today)
{
    return !lastReviewDay || today > *lastReviewDay;
}

FsrsScheduler::FsrsScheduler(const FsrsParameters& parameters) : m_model(parameters) {}

double FsrsScheduler::retrievabilityOn(const ItemSchedule& schedule, int day) const
{
    return m_model.retrievability(std::max(0, day - schedule.lastReviewDay), schedule.memory.stability);
}

ReviewOutcome FsrsScheduler::review(const std::optional<ItemSchedule>& before, int day, Rating rating) const
{
    ReviewOutcome outcome;
    ItemSchedule& after = outcome.schedule;
    after.lastReviewDay = day;
    if (!before) {
        after.memory = m_model.nextMemory(std::nullopt, 0, rating);
        after.reps = 1;
        outcome.intervalDays = m_model.intervalDays(after.memory.stability);
    } else {
        const int elapsed = std::max(0, day - before->lastReviewDay);
        const double r = m_model.retrievability(elapsed, before->memory.stability);
        outcome.retrievability = r;
        after.memory = m_model.nextMemory(before->memory, elapsed, rating);
        after.reps = before->reps + 1;
        after.lapses = before->lapses + (rating == Rating::Again ? 1 : 0);
        outcome.intervalDays = reviewInterval(before->memory, elapsed, rating, after.memory);
    }
    after.dueDay = day + outcome.intervalDays;
    return outcome;
}

// Hard is never due later than Good, Good always at least a day after Hard and Easy a day after Good, so a
// better grade never brings the next review closer. That needs the stabilities the other grades would give.
int FsrsScheduler::reviewInterval(const MemoryState& before, int elapsedDays, Rating rating,
                                  const MemoryState& after) const
{
    if (rating == Rating::Again)
        return m_model.intervalDays(after.stability);
    const auto intervalIf = [&](Rating other) {
        if (other == rating)
            return m_model.intervalDays(after.stability);
        return m_model.intervalDays(m_model.nextMemory(before, elapsedDays, other).stability);
    };
    const int hard = std::min(intervalIf(Rating::Hard), intervalIf(Rating::Good));
    if (rating == Rating::Hard)
        return hard;
    const int good = std::max(intervalIf(Rating::Good), hard + 1);
    if (rating == Rating::Good)
        return good;
    return std::max(intervalIf(Rating::Easy), good + 1);
}
