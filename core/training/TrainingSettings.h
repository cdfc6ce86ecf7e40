#pragma once

#include "training/DailyQueue.h"
#include "training/FsrsScheduler.h"

#include <QString>

#include <optional>

// What the competitor sets for their training, kept across runs: the probability of recall each review is
// planned for, the new blocks a day of each number, and how long a day's queue may be. Every scheduler and
// queue of the training window is made from these.
struct TrainingSettings
{
    // Below 0.70 a review comes after most of a block is forgotten; above 0.97 intervals hardly grow.
    static constexpr double MinimumRetention = 0.70;
    static constexpr double MaximumRetention = 0.97;
    static constexpr int MaximumNewBlocksPerDay = 20;
    // A cap shorter than a block's review would hold every backlog back for good.
    static constexpr int MinimumMinutesCap = 5;
    static constexpr int MaximumMinutesCap = 600;

    double desiredRetention = 0.9;
    int newBlocksPerDay = 1;
    // None: no cap.
    std::optional<double> dailyMinutesCap;

    FsrsScheduler scheduler() const;
    QueueSettings queue() const;

    friend bool operator==(const TrainingSettings&, const TrainingSettings&) = default;
};

// Why a setting is out of its range, in the competitor's words; empty when every one is within.
QString settingsProblem(const TrainingSettings& settings);

// Each setting out of its range replaced by its default, so that a value edited into the store by hand
// never reaches the rules.
TrainingSettings withinRanges(TrainingSettings settings);

// The settings as the competitor typed them: the retention as a fraction ("0.9", "0,85"), the new blocks
// as a whole number, the cap as whole minutes or nothing for none. `problem` says what is wrong when
// `settings` is empty.
struct SettingsEntry
{
    std::optional<TrainingSettings> settings;
    QString problem;
};
SettingsEntry readSettingsEntry(const QString& retention, const QString& newBlocksPerDay, const QString& minutesCap);

// The texts readSettingsEntry reads back as `settings`.
QString retentionText(double retention);
QString minutesCapText(const std::optional<double>& cap);
