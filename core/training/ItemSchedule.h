#pragma once

#include "training/FsrsModel.h"

// An item's place in the review schedule once it has had its first review; what item_state keeps.
// Days are whole days on one count chosen by the caller (the competitor's local calendar days).
struct ItemSchedule
{
    MemoryState memory;
    int lastReviewDay = 0;
    int dueDay = 0;
    int reps = 0;
    int lapses = 0;
};
