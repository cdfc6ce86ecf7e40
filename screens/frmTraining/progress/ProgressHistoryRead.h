#pragma once

#include "training/progress/ProgressHistory.h"

class TrainingStore;

// The whole history from `store` (its sessions, reviews, schedule and notes, read while waiting: they are
// small) with the keystrokes already read from it, which are not.
ProgressHistory readProgressHistory(TrainingStore& store, std::vector<HistoryKeystroke> keystrokes);
