#include "training/TrainingActivity.h"

QString activityName(TrainingActivity activity)
{
    switch (activity) {
    case TrainingActivity::Learn:
        return QStringLiteral("learn");
    case TrainingActivity::Review:
        return QStringLiteral("review");
    case TrainingActivity::Recite:
        return QStringLiteral("recite");
    case TrainingActivity::Drill:
        return QStringLiteral("drill");
    case TrainingActivity::Rehearse:
        return QStringLiteral("rehearse");
    case TrainingActivity::Progress:
        return QStringLiteral("progress");
    }
    return {};
}

std::optional<TrainingActivity> activityFromName(QStringView name)
{
    for (const TrainingActivity activity : AllTrainingActivities) {
        if (name == activityName(activity))
            return activity;
    }
    return std::nullopt;
}

QStringList activityNames()
{
    QStringList names;
    for (const TrainingActivity activity : AllTrainingActivities)
        names << activityName(activity);
    return names;
}
