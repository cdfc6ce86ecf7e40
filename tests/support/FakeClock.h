#pragma once

#include "base/Clock.h"

// A clock that stands still until a test sets or advances it, so that a rule's time is the test's. Its
// time of day goes along with it and can also be set apart, as a person or a time server sets it.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(float seconds = 0.0f) : m_seconds(seconds) {}
    float seconds() const override { return m_seconds; }
    qint64 wallMsSinceEpoch() const override { return WallOrigin + qint64(double(m_seconds) * 1000.0) + m_wallStepMs; }
    void set(float seconds) { m_seconds = seconds; }
    void advance(float seconds) { m_seconds += seconds; }
    // Sets the time of day forward (or back, when negative) without any time passing.
    void stepWall(qint64 ms) { m_wallStepMs += ms; }

    // 2025-01-01 12:00 UTC at reading 0.
    static constexpr qint64 WallOrigin = 1'735'732'800'000;

private:
    float m_seconds;
    qint64 m_wallStepMs = 0;
};
