#pragma once

#include "training/FsrsParameters.h"
#include "training/Rating.h"

#include <optional>

// What FSRS knows of one memory. Stability is the number of days after which the probability of recall
// has fallen to 90 %; difficulty lies between 1 and 10.
struct MemoryState
{
    double stability = 0.0;
    double difficulty = 0.0;
};

// The FSRS-6 memory model: how stability and difficulty change with each graded review, and the interval
// that brings the probability of recall down to the desired retention. Time is counted in whole days; a
// review zero days after the previous one takes the same-day (short-term) formula, as FSRS does with
// short-term reviews enabled.
class FsrsModel final
{
public:
    static constexpr double MinimumStability = 0.001;
    static constexpr double MaximumStability = 36500.0;

    explicit FsrsModel(const FsrsParameters& parameters = {});

    const FsrsParameters& parameters() const { return m_parameters; }

    // The probability of recall `elapsedDays` after the last review: the power forgetting curve with the
    // trainable decay w20, scaled so that it is 0.9 when elapsedDays equals the stability.
    double retrievability(double elapsedDays, double stability) const;

    double initialStability(Rating rating) const;
    double initialDifficulty(Rating rating) const;
    double nextDifficulty(double difficulty, Rating rating) const;
    double stabilityAfterRecall(double difficulty, double stability, double retrievability, Rating rating) const;
    double stabilityAfterLapse(double difficulty, double stability, double retrievability) const;
    double sameDayStability(double stability, Rating rating) const;

    // The memory after a review `elapsedDays` after the previous one; the first review when `before` is
    // empty (elapsedDays is then ignored).
    MemoryState nextMemory(const std::optional<MemoryState>& before, int elapsedDays, Rating rating) const;

    // Whole days until the desired retention is reached, at least 1 and at most the maximum interval.
    int intervalDays(double stability) const;

private:
    double rawInitialDifficulty(Rating rating) const;

    FsrsParameters m_parameters;
    double m_decay;
    double m_factor;
    double m_intervalModifier;
};
