#pragma once

#include "training/ShortestCues.h"
#include "training/TrainingNumber.h"

#include <QRandomGenerator>

#include <optional>
#include <set>
#include <utility>
#include <vector>

// A question of the position drill: `count` digits asked from `position`, after `cue` when the drill
// names the place by its cue (none when the competitor named the position).
struct DrillQuestion
{
    int position = 1;
    int count = 0;
    std::optional<Cue> cue;

    bool operator==(const DrillQuestion&) const = default;
};

// Where the position drill may ask within the digits a competitor has learned (their learned blocks):
// each random question's cue and its digits all lie within learned digits, and its cue is the shortest
// one found nowhere else in the number's digits up to the last learned one, so within the learned digits
// it names one place only.
class DrillPositions final
{
public:
    static constexpr int AskedDigits = 10;

    DrillPositions(TrainingNumber number, const std::set<int>& learnedBlocks);

    TrainingNumber number() const { return m_number; }
    // The learned digits as runs of positions, first and last inclusive, in order.
    const std::vector<std::pair<int, int>>& learnedRuns() const { return m_runs; }
    // How many positions a random question may ask; none at all before enough digits are learned.
    int candidateCount() const { return int(m_candidates.size()); }

    // A random question with its cue; none without a candidate.
    std::optional<DrillQuestion> pick(QRandomGenerator& random) const;
    // The candidate at `index` (0 to candidateCount() - 1), as pick() draws it.
    DrillQuestion candidate(int index) const;
    // The digits at a position the competitor names, learned or not, up to the number's end; none for a
    // position outside the number.
    std::optional<DrillQuestion> at(int position) const;

private:
    TrainingNumber m_number;
    std::vector<std::pair<int, int>> m_runs;
    std::optional<ShortestCues> m_cues;
    std::vector<int> m_candidates;
};
