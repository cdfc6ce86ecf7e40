#pragma once

#include <cmath>

// Every rounding of a real number to a whole number or to decimal places sends halves to the even
// neighbour; std::nearbyint does that in the default rounding mode.
inline double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

// Rounds a single-precision value to hundredths, halves to even, as the stage times are kept.
inline float roundToHundredths(float value)
{
    return static_cast<float>(std::nearbyint(static_cast<double>(value) * 100.0) / 100.0);
}
