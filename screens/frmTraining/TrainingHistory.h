#pragma once

#include "training/DailyQueue.h"
#include "training/TrainingSettings.h"

#include <QString>

#include <map>
#include <set>
#include <vector>

class TrainingStore;

// What the training window knows of the competitor's past, read from the store in the rules' own
// terms: every item with its schedule, their pace, and their notes. An empty store gives every item
// unlearned, the default pace and no notes.
struct TrainingHistory
{
    std::vector<ItemProgress> progress;
    PaceEstimate pace;
    std::map<QString, QString> notes;
    // For each item, the median pace of its earlier correct review recalls, in ms per digit.
    std::map<QString, double> itemPacesMs;
    // Read with the history, so that every scheduler and queue the window makes from it follows them.
    TrainingSettings settings;

    static TrainingHistory read(TrainingStore& store);

    // The blocks of `number` with their first review behind them, by block number.
    std::set<int> learnedBlocks(TrainingNumber number) const;
};
