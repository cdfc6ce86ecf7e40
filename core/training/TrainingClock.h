#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QtGlobal>

// The time training reads. The moment in UTC is for what is written down and for the competitor's
// calendar day; the steady count of milliseconds, which no change of the system's time moves, is for the
// time between keystrokes.
class TrainingClock
{
public:
    virtual ~TrainingClock() = default;
    virtual QDateTime nowUtc() const = 0;
    virtual qint64 steadyMs() const = 0;
};

class SystemTrainingClock final : public TrainingClock
{
public:
    SystemTrainingClock();
    QDateTime nowUtc() const override;
    qint64 steadyMs() const override;

private:
    QElapsedTimer m_steady;
};

// Moves only when told: both readings advance together.
class FakeTrainingClock final : public TrainingClock
{
public:
    explicit FakeTrainingClock(QDateTime nowUtc) : m_now(nowUtc.toUTC()) {}
    QDateTime nowUtc() const override { return m_now; }
    qint64 steadyMs() const override { return m_steadyMs; }
    void advanceMs(qint64 ms)
    {
        m_now = m_now.addMSecs(ms);
        m_steadyMs += ms;
    }

private:
    QDateTime m_now;
    qint64 m_steadyMs = 0;
};
