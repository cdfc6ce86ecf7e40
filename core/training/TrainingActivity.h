#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

// What the competitor does in the training window besides looking at the summary: the modes of training
// and the view of their progress. `korvalin --train MODE` names one by its word.
enum class TrainingActivity
{
    Learn,
    Review,
    Recite,
    Drill,
    Rehearse,
    Progress,
};

constexpr std::array<TrainingActivity, 6> AllTrainingActivities = {
    TrainingActivity::Learn, TrainingActivity::Review,   TrainingActivity::Recite,
    TrainingActivity::Drill, TrainingActivity::Rehearse, TrainingActivity::Progress};

// "learn", "review", "recite", "drill", "rehearse" or "progress".
QString activityName(TrainingActivity activity);
std::optional<TrainingActivity> activityFromName(QStringView name);
// Every word in order, for the help and for a message about a word that is none of them.
QStringList activityNames();
