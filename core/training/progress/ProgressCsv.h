#pragma once

#include "training/progress/Calibration.h"
#include "training/progress/ErrorHeatmap.h"
#include "training/progress/KnownDigits.h"
#include "training/progress/PaceSeries.h"
#include "training/progress/ReadinessForecast.h"

#include <QByteArray>

#include <map>

// The progress views as CSV files, one table each: the column names on the first line, then one row per
// point, fields separated by commas, lines ended by CR LF. Days are written as dates (YYYY-MM-DD).
namespace ProgressCsv {
QByteArray knownDigits(const KnownDigitsSeries& series);
QByteArray pace(const PaceSeries& pace);
// Every position of the number, also those never typed.
QByteArray heatmap(const ErrorHeatmap& map);
QByteArray forecast(const ReadinessForecast& forecast);
QByteArray calibration(const Calibration& calibration);
QByteArray calendar(const std::map<int, double>& minutesByDay);
// The training day as the calendar date it is.
QString dateOf(int day);
} // namespace ProgressCsv
