#pragma once

#include <algorithm>
#include <cstddef>
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
