#include "training/progress/ProgressViews.h"

#include "training/progress/TrainingCalendar.h"

ProgressViews buildProgressViews(const ProgressHistory& history, TrainingNumber number, int today, int attemptDay,
                                 int targetDigits)
{
    const FsrsScheduler scheduler;
    ProgressViews views;
    views.number = number;
    views.today = today;
    views.known = knownDigitsOverTime(history, number);
    views.pace = paceOverTime(history, number);
    views.heatmap = errorHeatmap(history, number);
    views.forecast = forecastReadiness(history.progress, number, attemptDay, scheduler);
    views.plan = planReadiness(history.progress, number, targetDigits, today, attemptDay, history.pace, scheduler);
    views.calibration = calibrate(history.reviews, scheduler);
    views.minutesByDay = minutesByDay(history.sessions);
    return views;
}
