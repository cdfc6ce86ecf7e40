#pragma once

#include <QtGlobal>

// The clock every rule reads: seconds on a monotonic clock that goes on counting while the computer is
// suspended, from an origin of the clock's own, single precision. Setting the time of day, by hand, by a
// time server or at a change to or from daylight saving time, moves nothing the rules decide. The time of
// day is read apart, only for what people read. Tests drive the rules with a clock of their own.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual float seconds() const = 0;
    // The time of day, milliseconds since the epoch: for people, never for a rule.
    virtual qint64 wallMsSinceEpoch() const = 0;
};

class SystemClock final : public Clock
{
public:
    SystemClock();
    float seconds() const override;
    qint64 wallMsSinceEpoch() const override;

private:
    qint64 m_originNs;
};

constexpr float SecondsPerDay = 86400.0f;

// The difference of two readings. Readings of the monotonic clock never go back; a negative difference
// can only come from a clock that tells the time of day, across midnight, and counts a day.
// Inline: the locked-digit rule takes it for every cell of the sheet after every entry.
inline float elapsedSeconds(float from, float now)
{
    const float elapsed = now - from;
    return elapsed < 0.0f ? elapsed + SecondsPerDay : elapsed;
}
