#pragma once

#include "training/progress/Calibration.h"
#include "training/progress/KnownDigits.h"
#include "training/progress/PaceSeries.h"
#include "training/progress/ReadinessForecast.h"

class QChart;

// The progress view's charts, in the program's colours. Each series is filled with one replace(): a
// series that is shown redraws on every point appended. The caller owns the chart.
namespace ProgressCharts {
// Days run up to `lastDay`, where the steps of the known digits and the best recital end.
QChart* knownDigits(const KnownDigitsSeries& series, int lastDay);
QChart* paceByDay(const PaceSeries& pace);
QChart* paceByBlock(const PaceSeries& pace);
QChart* forecast(const ReadinessForecast& forecast);
QChart* calibration(const Calibration& calibration);
// A training day on a date axis: the start of that local day, in milliseconds since the epoch.
qint64 msecsOf(int day);
} // namespace ProgressCharts
