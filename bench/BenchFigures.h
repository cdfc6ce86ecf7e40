#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

// Order statistics of timing samples, the same way in every benchmark.
struct Figures
{
    double median = 0.0;
    double p99 = 0.0;
    double max = 0.0;
};

inline double percentile(std::vector<double> values, int percent)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, values.size() * std::size_t(percent) / 100)];
}

inline Figures figures(std::vector<double> samples)
{
    if (samples.empty())
        return {};
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double share) { return samples[std::size_t(share * double(samples.size() - 1))]; };
    return {at(0.5), at(0.99), samples.back()};
}

// One line per figure, the form ./benchmark collects from every benchmark:
//     figure  <what>  value <value> <unit>  goal <= <goal> <unit>  ok|MISSED
// A figure that has no goal says "goal -". A unit of "" is a count.
inline void printFigure(const char* what, double value, const char* unit, std::optional<double> atMost = std::nullopt)
{
    const bool count = std::strlen(unit) == 0;
    std::printf("figure  %-72s value %10.*f %-2s", what, count ? 0 : 3, value, unit);
    if (atMost)
        std::printf("  goal <= %g %s  %s\n", *atMost, unit, value <= *atMost ? "ok" : "MISSED");
    else
        std::printf("  goal -\n");
}

// The median and the p99 of timing samples, and the maximum when asked, one figure line each; a goal
// is a goal for the p99.
inline void printTimings(const std::string& what, const std::vector<double>& samples, const char* unit,
                         std::optional<double> p99AtMost = std::nullopt, bool withMax = false)
{
    const Figures f = figures(samples);
    printFigure((what + ", median").c_str(), f.median, unit);
    printFigure((what + ", p99").c_str(), f.p99, unit, p99AtMost);
    if (withMax)
        printFigure((what + ", max").c_str(), f.max, unit);
}
