#pragma once

#include "journal/VerificationResult.h"

class TrainingRecorder;

// A rehearsal under the record rules, as the training history keeps it: one session of the mode
// `rehearse`, the number's digits from 1, its used time, and each answer standing at its end as a digit
// typed at the time it was last changed. Gives the session's id, or nothing for a journal that could not
// be checked or names no trained number.
std::optional<qint64> recordRehearsal(const VerificationResult& result, TrainingRecorder& recorder);
