#pragma once

#include <QStringView>

#include <vector>

// The suffixes of a text in lexicographic order, by their start index.
std::vector<int> suffixArray(QStringView text);

// For each place i > 0 of the suffix array, the length of the common prefix of the suffixes at i - 1 and
// i; 0 at place 0.
std::vector<int> longestCommonPrefixes(QStringView text, const std::vector<int>& suffixes);
