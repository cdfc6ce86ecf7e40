#pragma once

#include "ScriptChoices.h"
#include "StageScript.h"

#include <optional>

// What a caller fixes of the scripts it asks for; the rest is chosen.
struct ScriptShape
{
    std::optional<int> numberPosition;
    std::optional<int> digitsPerRow;
    int maxActions = 400;
};

/// A random attempt: a steady typist who keeps going long enough for cells to lock, or a restless one who
/// corrects, wanders, waits, asks and restores. The pauses cluster just below and above the limits of
/// the rules: 15 s between new digits, 600 s before a cell locks, 8 hours of used time.
StageScript generateStageScript(ScriptChoices& choices, const ScriptShape& shape = {});
