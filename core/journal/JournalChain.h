#pragma once

#include "journal/JournalLines.h"
#include "journal/VerificationResult.h"

#include <optional>
#include <vector>

// Checks that every line holds the hash of the line before it and its own place in the numbering.
// Returns the first break, named by the event that was changed, is missing or is out of place.
std::optional<JournalProblem> findChainBreak(const std::vector<JournalLine>& lines);
