#include "training/TrainingDays.h"

#include <QDate>

int trainingDay(const QDateTime& moment)
{
    return int(moment.toLocalTime().date().toJulianDay());
}

QDateTime startOfTrainingDay(int day)
{
    return QDate::fromJulianDay(day).startOfDay(Qt::LocalTime).toUTC();
}
