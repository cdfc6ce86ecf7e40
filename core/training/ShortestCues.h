#pragma once

#include <QStringView>

#include <optional>
#include <vector>

// The digits shown before a position: `length` digits from `firstPosition`. A cue from position 1 is shown
// after the point and so names its place even where the same digits recur later.
struct Cue
{
    int firstPosition = 1;
    int length = 0;

    bool fromStart() const { return firstPosition == 1; }

    bool operator==(const Cue&) const = default;
};

// For every position of the learned digits, the shortest cue ending just before it that occurs only once
// within those digits, from one suffix array of the digits read backwards. Built once for the learned
// digits; every lookup after that is a table read.
class ShortestCues final
{
public:
    // `learnedDigits` are positions 1 to learnedDigits.size().
    explicit ShortestCues(QStringView learnedDigits);

    int learnedCount() const { return int(m_lengths.size()); }

    // The cue for a position from 1 to learnedCount(), none for any other; position 1 has the empty cue
    // at the point.
    std::optional<Cue> cueFor(int position) const;

    // The longest cue any position needs.
    int longestCue() const { return m_longest; }

private:
    std::vector<int> m_lengths;
    int m_longest = 0;
};
