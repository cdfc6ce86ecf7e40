#pragma once

#include "training/DailyQueue.h"
#include "training/TrainingActivity.h"

#include <vector>

// What a finished or interrupted session says about the competitor's pace: its length and the digits
// typed in it.
struct SessionPace
{
    TrainingActivity activity = TrainingActivity::Learn;
    double seconds = 0.0;
    int typed = 0;
};

// The competitor's pace from their sessions. Recall: seconds per digit typed in review, recital and drill
// sessions. Learning: seconds per digit typed in learn sessions (looking at the block and recalling it)
// less the recall pace. Each keeps its default until sessions of its kind have typed digits.
PaceEstimate paceFromSessions(const std::vector<SessionPace>& sessions);

// One number's line in the training window.
struct NumberSummary
{
    TrainingNumber number = TrainingNumber::Pi;
    int blocks = 0;
    int blocksLearned = 0;
    // Learned blocks whose review is due today or overdue.
    int blocksDue = 0;
    // Today's queue of this number (due items, first junctions and its new block), estimated from the pace.
    double minutesToday = 0.0;
};

// For each number, sqrt(2), pi and e, from the progress of every item.
std::vector<NumberSummary> summarizeTraining(const std::vector<ItemProgress>& progress, int today,
                                             const FsrsScheduler& scheduler, const QueueSettings& settings,
                                             const PaceEstimate& pace);
