#include "training/progress/ReadinessPlanner.h"

#include "training/TrainingItems.h"

#include <algorithm>
#include <optional>

namespace {

struct PlannedItem
{
    TrainingItem item;
    std::optional<ItemSchedule> schedule;
};

} // namespace

ReadinessPlan planReadiness(const std::vector<ItemProgress>& progress, TrainingNumber number, int targetDigits,
                            int today, int date, const PaceEstimate& pace, const FsrsScheduler& scheduler)
{
    const int digitCount = int(numberDigits(number).size());
    ReadinessPlan plan;
    plan.targetDigits = std::clamp(targetDigits, 0, digitCount);
    plan.days = std::max(0, date - today);
    plan.possible = plan.days > 0;
    const int lastBlock = (plan.targetDigits + BlockLength - 1) / BlockLength;

    // Blocks by number, then junctions by number: index 1..lastBlock and lastBlock + 1..2 * lastBlock - 1.
    std::vector<PlannedItem> blocks(std::size_t(lastBlock) + 1);
    std::vector<PlannedItem> junctions(std::size_t(lastBlock) + 1);
    for (const ItemProgress& entry : progress) {
        const TrainingItem& item = entry.item;
        if (item.number != number || item.index < 1 || item.index > lastBlock ||
            (item.kind == ItemKind::Junction && item.index >= lastBlock))
            continue;
        (item.kind == ItemKind::Block ? blocks : junctions)[std::size_t(item.index)] = {item, entry.schedule};
    }
    std::vector<int> toLearn;
    for (int block = 1; block <= lastBlock; ++block) {
        if (!blocks[std::size_t(block)].schedule)
            toLearn.push_back(block);
    }
    plan.blocksToLearn = int(toLearn.size());
    if (!plan.possible)
        return plan;
    plan.newBlocksPerDay = (plan.blocksToLearn + plan.days - 1) / plan.days;
    plan.learnMinutesPerDay = plan.newBlocksPerDay * BlockLength * pace.learnSecondsPerDigit / 60.0;

    const auto review = [&](PlannedItem& planned, int day) {
        planned.schedule = scheduler.review(planned.schedule, day, Rating::Good).schedule;
        return planned.item.digitCount();
    };
    std::size_t nextToLearn = 0;
    double totalMinutes = 0.0;
    for (int day = today; day < date; ++day) {
        int reviewedDigits = 0;
        for (auto* items : {&blocks, &junctions}) {
            for (PlannedItem& planned : *items) {
                if (planned.schedule && planned.schedule->dueDay <= day)
                    reviewedDigits += review(planned, day);
            }
        }
        for (int learned = 0; learned < plan.newBlocksPerDay && nextToLearn < toLearn.size(); ++learned)
            review(blocks[std::size_t(toLearn[nextToLearn++])], day);
        for (int junction = 1; junction < lastBlock; ++junction) {
            PlannedItem& planned = junctions[std::size_t(junction)];
            if (!planned.schedule && blocks[std::size_t(junction)].schedule &&
                blocks[std::size_t(junction) + 1].schedule)
                reviewedDigits += review(planned, day);
        }
        const double minutes = reviewedDigits * pace.recallSecondsPerDigit / 60.0;
        totalMinutes += minutes;
        plan.peakReviewMinutes = std::max(plan.peakReviewMinutes, minutes);
    }
    plan.reviewMinutesPerDay = totalMinutes / plan.days;
    return plan;
}
