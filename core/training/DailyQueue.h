#pragma once

#include "training/FsrsScheduler.h"
#include "training/ItemSchedule.h"
#include "training/TrainingItem.h"

#include <cstddef>
#include <optional>
#include <vector>

// An item and, once it has had its first review, its schedule.
struct ItemProgress
{
    TrainingItem item;
    std::optional<ItemSchedule> schedule;
};

struct QueueSettings
{
    // New blocks a day for each number in the queue.
    int newBlocksPerDay = 1;
    // No day's queue is estimated longer than this; none means no cap.
    std::optional<double> dailyMinutesCap;
};

// How long the competitor takes, measured from their own sessions; the defaults stand until there are any.
struct PaceEstimate
{
    double recallSecondsPerDigit = 1.0;
    double learnSecondsPerDigit = 4.0;
};

enum class QueueReason
{
    // A review that is due, overdue included.
    Due,
    // A junction whose two blocks are both learned, not yet reviewed.
    FirstJunction,
    // The next unlearned block: learned, then recalled for its first review.
    NewBlock,
};

struct QueueEntry
{
    std::size_t progressIndex = 0;
    QueueReason reason = QueueReason::Due;
    double minutes = 0.0;
};

struct DayQueue
{
    std::vector<QueueEntry> entries;
    double minutes = 0.0;
    // Due reviews and first junctions that did not fit under the cap; they stay due for the next days.
    int waiting = 0;
};

double estimatedMinutes(const TrainingItem& item, QueueReason reason, const PaceEstimate& pace);

// Today's queue: due items with the lowest probability of recall first (the most overdue and the weakest),
// then junctions ready for their first review, then up to newBlocksPerDay new blocks of each number. Under
// a cap, items are taken in that order while they fit, so a backlog after a break spreads over the next
// days; new blocks wait until nothing due is left waiting.
DayQueue buildDayQueue(const std::vector<ItemProgress>& progress, int today, const FsrsScheduler& scheduler,
                       const QueueSettings& settings, const PaceEstimate& pace = {});

// The entries of `queue`, built over `progress`, that are `number`'s, in their order and with their indices.
// `waiting` stays the day's: one cap holds every number's items back together.
DayQueue queueOfNumber(const DayQueue& queue, const std::vector<ItemProgress>& progress, TrainingNumber number);
