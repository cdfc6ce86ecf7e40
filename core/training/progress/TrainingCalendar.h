#pragma once

#include "training/progress/ProgressHistory.h"

#include <map>

// The minutes trained on each day with a session, by the day each session started; every number and mode.
std::map<int, double> minutesByDay(const std::vector<HistorySession>& sessions);
