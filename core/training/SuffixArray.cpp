#include "training/SuffixArray.h"

#include <algorithm>
#include <numeric>
#include <utility>

std::vector<int> suffixArray(QStringView text)
{
    const int n = int(text.size());
    std::vector<int> suffixes(std::size_t(n), 0);
    std::iota(suffixes.begin(), suffixes.end(), 0);
    if (n == 0)
        return suffixes;
    // Sorted first by their first FirstRound characters, which leaves few ties among digits; then prefix
    // doubling: suffixes sorted by their first k characters sort by their first 2k as pairs of ranks.
    constexpr int FirstRound = 8;
    const auto head = [&](int i) { return text.mid(i, std::min(FirstRound, n - i)); };
    std::sort(suffixes.begin(), suffixes.end(), [&](int a, int b) { return head(a).compare(head(b)) < 0; });
    std::vector<int> rank(std::size_t(n), 0);
    for (int i = 1; i < n; ++i) {
        const bool differs = head(suffixes[std::size_t(i - 1)]).compare(head(suffixes[std::size_t(i)])) != 0;
        rank[std::size_t(suffixes[std::size_t(i)])] = rank[std::size_t(suffixes[std::size_t(i - 1)])] + differs;
    }
    std::vector<int> next(std::size_t(n), 0);
    for (int k = FirstRound; rank[std::size_t(suffixes.back())] < n - 1 && k < n; k *= 2) {
        const auto key = [&](int i) {
            return std::pair(rank[std::size_t(i)], i + k < n ? rank[std::size_t(i + k)] : -1);
        };
        std::sort(suffixes.begin(), suffixes.end(), [&](int a, int b) { return key(a) < key(b); });
        next[std::size_t(suffixes[0])] = 0;
        for (int i = 1; i < n; ++i) {
            const bool differs = key(suffixes[std::size_t(i - 1)]) < key(suffixes[std::size_t(i)]);
            next[std::size_t(suffixes[std::size_t(i)])] = next[std::size_t(suffixes[std::size_t(i - 1)])] + differs;
        }
        rank.swap(next);
    }
    return suffixes;
}

// Kasai's method: the common prefix shrinks by at most one from one text position to the next.
std::vector<int> longestCommonPrefixes(QStringView text, const std::vector<int>& suffixes)
{
    const int n = int(text.size());
    std::vector<int> place(std::size_t(n), 0);
    for (int i = 0; i < n; ++i)
        place[std::size_t(suffixes[std::size_t(i)])] = i;
    std::vector<int> lcp(std::size_t(n), 0);
    int common = 0;
    for (int start = 0; start < n; ++start) {
        const int at = place[std::size_t(start)];
        if (at == 0) {
            common = 0;
            continue;
        }
        const int previous = suffixes[std::size_t(at - 1)];
        while (start + common < n && previous + common < n && text[start + common] == text[previous + common])
            ++common;
        lcp[std::size_t(at)] = common;
        if (common > 0)
            --common;
    }
    return lcp;
}
