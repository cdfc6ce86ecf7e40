#include "base/Clock.h"

#include <QTime>

float SystemClock::secondsSinceMidnight() const
{
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

float elapsedSeconds(float from, float now)
{
    const float elapsed = now - from;
    return elapsed < 0.0f ? elapsed + SecondsPerDay : elapsed;
}
