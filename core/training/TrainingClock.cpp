#include "training/TrainingClock.h"

SystemTrainingClock::SystemTrainingClock()
{
    m_steady.start();
}

QDateTime SystemTrainingClock::nowUtc() const
{
    return QDateTime::currentDateTimeUtc();
}

qint64 SystemTrainingClock::steadyMs() const
{
    return m_steady.elapsed();
}
