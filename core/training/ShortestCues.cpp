#include "training/ShortestCues.h"

#include "training/SuffixArray.h"

#include <QString>

#include <algorithm>

ShortestCues::ShortestCues(QStringView learnedDigits) : m_lengths(std::size_t(learnedDigits.size()), 0)
{
    const int n = int(learnedDigits.size());
    // A cue ends where a suffix of the reversed digits begins, so the shortest unique cue ending at a digit
    // is one longer than the longest prefix its reversed suffix shares with either neighbour in sorted order.
    QString reversed(learnedDigits.toString());
    std::reverse(reversed.begin(), reversed.end());
    const std::vector<int> suffixes = suffixArray(reversed);
    const std::vector<int> lcp = longestCommonPrefixes(reversed, suffixes);
    for (int place = 0; place < n; ++place) {
        const int shared = std::max(lcp[std::size_t(place)], place + 1 < n ? lcp[std::size_t(place + 1)] : 0);
        const int start = suffixes[std::size_t(place)];
        const int lastCueIndex = n - 1 - start;
        const int position = lastCueIndex + 2;
        if (position > n)
            continue;
        // Where every cue ending here recurs, the cue runs back to the point.
        m_lengths[std::size_t(position - 1)] = std::min(shared + 1, lastCueIndex + 1);
    }
    m_longest = m_lengths.empty() ? 0 : *std::max_element(m_lengths.begin(), m_lengths.end());
}

std::optional<Cue> ShortestCues::cueFor(int position) const
{
    if (position < 1 || position > learnedCount())
        return std::nullopt;
    const int length = m_lengths[std::size_t(position - 1)];
    return Cue{position - length, length};
}
