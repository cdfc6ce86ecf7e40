#pragma once

#include "training/TrainingItem.h"

#include <QStringView>

#include <optional>
#include <vector>

constexpr int BlockLength = 100;
constexpr int JunctionCueLength = 5;
constexpr int JunctionAnswerLength = 5;

// Blocks of BlockLength digits from position 1, the last one shorter when the digits do not divide.
int blockCount(int digitCount);

// The items of a number with that many digits: its blocks in order, then its junctions in order (one
// per boundary between two blocks).
std::vector<TrainingItem> itemsFor(TrainingNumber number, int digitCount);

// The items of the number's built-in digits: sqrt(2) and e 100 blocks and 99 junctions each, pi 328
// blocks (the last of 67 digits) and 327 junctions.
std::vector<TrainingItem> itemsOf(TrainingNumber number);

// Every number's items, sqrt(2) first, then pi, then e.
std::vector<TrainingItem> allTrainingItems();

// The item an id names, for the built-in digits; none for an unknown id or one past the number's end.
std::optional<TrainingItem> itemForId(QStringView id);
