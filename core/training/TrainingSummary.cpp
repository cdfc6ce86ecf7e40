#include "training/TrainingSummary.h"

#include <algorithm>

namespace {
struct Totals
{
    double seconds = 0.0;
    int typed = 0;

    void add(const SessionPace& session)
    {
        seconds += session.seconds;
        typed += session.typed;
    }
    double perDigit() const { return seconds / typed; }
};
} // namespace

PaceEstimate paceFromSessions(const std::vector<SessionPace>& sessions)
{
    Totals recall;
    Totals learn;
    for (const SessionPace& session : sessions) {
        if (session.typed <= 0 || session.seconds <= 0.0)
            continue;
        switch (session.activity) {
        case TrainingActivity::Learn:
            learn.add(session);
            break;
        case TrainingActivity::Review:
        case TrainingActivity::Recite:
        case TrainingActivity::Drill:
            recall.add(session);
            break;
        case TrainingActivity::Rehearse:
        case TrainingActivity::Progress:
            // A rehearsal runs at the record's pace, not at training's.
            break;
        }
    }
    PaceEstimate pace;
    if (recall.typed > 0)
        pace.recallSecondsPerDigit = recall.perDigit();
    if (learn.typed > 0)
        pace.learnSecondsPerDigit = std::max(0.0, learn.perDigit() - pace.recallSecondsPerDigit);
    return pace;
}

std::vector<NumberSummary> summarizeTraining(const std::vector<ItemProgress>& progress, int today,
                                             const FsrsScheduler& scheduler, const QueueSettings& settings,
                                             const PaceEstimate& pace)
{
    std::vector<NumberSummary> lines;
    for (const TrainingNumber number : AllTrainingNumbers)
        lines.push_back({number, 0, 0, 0, 0.0});
    const auto lineOf = [&lines](TrainingNumber number) -> NumberSummary& { return lines[std::size_t(number)]; };
    for (const ItemProgress& entry : progress) {
        if (entry.item.kind != ItemKind::Block)
            continue;
        NumberSummary& line = lineOf(entry.item.number);
        ++line.blocks;
        if (entry.schedule) {
            ++line.blocksLearned;
            line.blocksDue += entry.schedule->dueDay <= today ? 1 : 0;
        }
    }
    const DayQueue queue = buildDayQueue(progress, today, scheduler, settings, pace);
    for (const QueueEntry& entry : queue.entries)
        lineOf(progress[entry.progressIndex].item.number).minutesToday += entry.minutes;
    return lines;
}
