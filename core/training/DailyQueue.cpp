#include "training/DailyQueue.h"

#include <algorithm>
#include <array>

namespace {

struct DueItem
{
    std::size_t index;
    double retrievability;
    int dueDay;
};

// Which blocks of each number have had their first review, by block number.
class LearnedBlocks
{
public:
    explicit LearnedBlocks(const std::vector<ItemProgress>& progress)
    {
        for (const ItemProgress& entry : progress) {
            if (entry.item.kind != ItemKind::Block || !entry.schedule)
                continue;
            std::vector<bool>& learned = m_learned[std::size_t(entry.item.number)];
            if (learned.size() <= std::size_t(entry.item.index))
                learned.resize(std::size_t(entry.item.index) + 1, false);
            learned[std::size_t(entry.item.index)] = true;
        }
    }

    bool contains(TrainingNumber number, int index) const
    {
        const std::vector<bool>& learned = m_learned[std::size_t(number)];
        return index >= 0 && std::size_t(index) < learned.size() && learned[std::size_t(index)];
    }

private:
    std::array<std::vector<bool>, AllTrainingNumbers.size()> m_learned;
};

} // namespace

double estimatedMinutes(const TrainingItem& item, QueueReason reason, const PaceEstimate& pace)
{
    double secondsPerDigit = pace.recallSecondsPerDigit;
    if (reason == QueueReason::NewBlock)
        secondsPerDigit += pace.learnSecondsPerDigit;
    return double(item.digitCount()) * secondsPerDigit / 60.0;
}

DayQueue buildDayQueue(const std::vector<ItemProgress>& progress, int today, const FsrsScheduler& scheduler,
                       const QueueSettings& settings, const PaceEstimate& pace)
{
    const LearnedBlocks learned(progress);
    std::vector<DueItem> due;
    std::vector<std::size_t> junctions;
    std::vector<std::size_t> newBlocks;
    for (std::size_t index = 0; index < progress.size(); ++index) {
        const ItemProgress& entry = progress[index];
        if (entry.schedule) {
            if (entry.schedule->dueDay <= today)
                due.push_back({index, scheduler.retrievabilityOn(*entry.schedule, today), entry.schedule->dueDay});
        } else if (entry.item.kind == ItemKind::Junction) {
            if (learned.contains(entry.item.number, entry.item.index) &&
                learned.contains(entry.item.number, entry.item.index + 1))
                junctions.push_back(index);
        } else {
            newBlocks.push_back(index);
        }
    }
    std::sort(due.begin(), due.end(), [](const DueItem& a, const DueItem& b) {
        if (a.retrievability != b.retrievability)
            return a.retrievability < b.retrievability;
        if (a.dueDay != b.dueDay)
            return a.dueDay < b.dueDay;
        return a.index < b.index;
    });

    DayQueue queue;
    const auto offer = [&](std::size_t index, QueueReason reason) {
        const double minutes = estimatedMinutes(progress[index].item, reason, pace);
        if (settings.dailyMinutesCap && queue.minutes + minutes > *settings.dailyMinutesCap)
            return false;
        queue.entries.push_back({index, reason, minutes});
        queue.minutes += minutes;
        return true;
    };
    for (const DueItem& item : due)
        queue.waiting += offer(item.index, QueueReason::Due) ? 0 : 1;
    for (const std::size_t index : junctions)
        queue.waiting += offer(index, QueueReason::FirstJunction) ? 0 : 1;
    if (queue.waiting > 0)
        return queue;

    // The next unlearned blocks of each number, in block order.
    std::stable_sort(newBlocks.begin(), newBlocks.end(),
                     [&](std::size_t a, std::size_t b) { return progress[a].item.index < progress[b].item.index; });
    std::array<int, AllTrainingNumbers.size()> taken{};
    std::array<bool, AllTrainingNumbers.size()> stopped{};
    for (const std::size_t index : newBlocks) {
        const std::size_t number = std::size_t(progress[index].item.number);
        if (stopped[number] || taken[number] >= settings.newBlocksPerDay)
            continue;
        // A block that does not fit stops its number: blocks are learned in order.
        if (offer(index, QueueReason::NewBlock))
            ++taken[number];
        else
            stopped[number] = true;
    }
    return queue;
}

DayQueue queueOfNumber(const DayQueue& queue, const std::vector<ItemProgress>& progress, TrainingNumber number)
{
    DayQueue ofNumber;
    ofNumber.waiting = queue.waiting;
    for (const QueueEntry& entry : queue.entries) {
        if (progress[entry.progressIndex].item.number != number)
            continue;
        ofNumber.entries.push_back(entry);
        ofNumber.minutes += entry.minutes;
    }
    return ofNumber;
}
