#include "base/Clock.h"

#include <QDateTime>

#include <time.h>

namespace {
// CLOCK_BOOTTIME is monotonic and, unlike CLOCK_MONOTONIC, counts a suspend: an attempt's 8 hours and
// 15 seconds are those that passed, however the computer slept.
qint64 bootTimeNs()
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + qint64(now.tv_nsec);
}
} // namespace

SystemClock::SystemClock() : m_originNs(bootTimeNs()) {}

float SystemClock::seconds() const
{
    return static_cast<float>(double(bootTimeNs() - m_originNs) / 1e9);
}

qint64 SystemClock::wallMsSinceEpoch() const
{
    return QDateTime::currentMSecsSinceEpoch();
}
