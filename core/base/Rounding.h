#pragma once

#include <QRect>
#include <QRectF>

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

// A layout rectangle placed on whole pixels: x, y, width and height each rounded, halves to even.
inline QRect roundToPixels(const QRectF& rect)
{
    return QRect(int(roundHalfEven(rect.x())), int(roundHalfEven(rect.y())), int(roundHalfEven(rect.width())),
                 int(roundHalfEven(rect.height())));
}
