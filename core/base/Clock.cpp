#include "base/Clock.h"

#include <QTime>

#include <cmath>

float SystemClock::secondsSinceMidnight() const
{
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

void FakeClock::advance(float seconds)
{
    m_seconds = std::fmod(m_seconds + seconds, SecondsPerDay);
}

float elapsedSeconds(float from, float now)
{
    const float elapsed = now - from;
    return elapsed < 0.0f ? elapsed + SecondsPerDay : elapsed;
}
