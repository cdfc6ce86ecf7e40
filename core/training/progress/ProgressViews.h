#pragma once

#include "training/progress/Calibration.h"
#include "training/progress/ErrorHeatmap.h"
#include "training/progress/KnownDigits.h"
#include "training/progress/PaceSeries.h"
#include "training/progress/ReadinessForecast.h"
#include "training/progress/ReadinessPlanner.h"

#include <map>

// Everything the progress view shows of one number, counted from the whole history.
struct ProgressViews
{
    TrainingNumber number = TrainingNumber::Pi;
    int today = 0;
    KnownDigitsSeries known;
    PaceSeries pace;
    ErrorHeatmap heatmap;
    ReadinessForecast forecast;
    ReadinessPlan plan;
    Calibration calibration;
    std::map<int, double> minutesByDay;
};
