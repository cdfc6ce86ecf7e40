#pragma once

// Time of day in seconds since local midnight, single precision. Every rule reads time through this
// interface so that tests can drive the rules with a fake clock.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual float secondsSinceMidnight() const = 0;
};

class SystemClock final : public Clock
{
public:
    float secondsSinceMidnight() const override;
};

constexpr float SecondsPerDay = 86400.0f;

// The difference of two readings; a negative difference means midnight passed in between.
float elapsedSeconds(float from, float now);
