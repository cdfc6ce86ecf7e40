#pragma once

#include <QString>

#include <random>

// A reproducible digit string of the given length; neighbouring positions rarely share a digit, so
// an off-by-one in row or column arithmetic shows.
inline QString syntheticDigits(int length, unsigned seed = 27182)
{
    std::mt19937 random(seed);
    QString digits;
    digits.reserve(length);
    for (int i = 0; i < length; ++i)
        digits.append(QChar(u'0' + char16_t(random() % 10)));
    return digits;
}
