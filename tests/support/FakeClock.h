#pragma once

#include "base/Clock.h"

#include <cmath>

// A clock that stands still until a test sets or advances it, so that a rule's time is the test's.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(float seconds = 0.0f) : m_seconds(seconds) {}
    float secondsSinceMidnight() const override { return m_seconds; }
    void set(float seconds) { m_seconds = seconds; }
    // Advances the time of day, wrapping at midnight as a real clock does.
    void advance(float seconds) { m_seconds = std::fmod(m_seconds + seconds, SecondsPerDay); }

private:
    float m_seconds;
};
