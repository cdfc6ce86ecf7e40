#include "training/progress/TrainingCalendar.h"

std::map<int, double> minutesByDay(const std::vector<HistorySession>& sessions)
{
    std::map<int, double> minutes;
    for (const HistorySession& session : sessions)
        minutes[session.day] += session.seconds / 60.0;
    return minutes;
}
