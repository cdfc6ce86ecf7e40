#pragma once

#include <array>

// FSRS-6's 21 published default weights. w0..w3 initial stability per rating, w4..w5 initial difficulty,
// w6..w7 difficulty change and its mean reversion, w8..w10 stability after a recall, w11..w14 after a
// lapse, w15 Hard's penalty, w16 Easy's bonus, w17..w19 same-day reviews, w20 the forgetting curve's decay.
constexpr std::array<double, 21> DefaultFsrsWeights = {
    0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001,  1.8722, 0.1666, 0.796,
    1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542,
};

struct FsrsParameters
{
    std::array<double, 21> w = DefaultFsrsWeights;
    // The probability of recall the next review is planned for, in (0, 1).
    double desiredRetention = 0.9;
    int maximumIntervalDays = 36500;
};
