#include "training/TrainingSettings.h"

#include <cmath>

namespace {
const TrainingSettings Defaults;

bool retentionWithin(double retention)
{
    return retention >= TrainingSettings::MinimumRetention && retention <= TrainingSettings::MaximumRetention;
}

bool newBlocksWithin(int blocks)
{
    return blocks >= 0 && blocks <= TrainingSettings::MaximumNewBlocksPerDay;
}

bool capWithin(const std::optional<double>& cap)
{
    return !cap || (*cap >= TrainingSettings::MinimumMinutesCap && *cap <= TrainingSettings::MaximumMinutesCap);
}

QString retentionProblem()
{
    return QStringLiteral("Desired retention must be a number from %1 to %2, such as %3.")
        .arg(retentionText(TrainingSettings::MinimumRetention), retentionText(TrainingSettings::MaximumRetention),
             retentionText(Defaults.desiredRetention));
}

QString newBlocksProblem()
{
    return QStringLiteral("New blocks per day must be a whole number from 0 to %1.")
        .arg(TrainingSettings::MaximumNewBlocksPerDay);
}

QString capProblem()
{
    return QStringLiteral("The daily minutes cap must be a whole number of minutes from %1 to %2, or empty for no cap.")
        .arg(TrainingSettings::MinimumMinutesCap)
        .arg(TrainingSettings::MaximumMinutesCap);
}
} // namespace

FsrsScheduler TrainingSettings::scheduler() const
{
    FsrsParameters parameters;
    parameters.desiredRetention = desiredRetention;
    return FsrsScheduler(parameters);
}

QueueSettings TrainingSettings::queue() const
{
    return QueueSettings{newBlocksPerDay, dailyMinutesCap};
}

QString settingsProblem(const TrainingSettings& settings)
{
    if (!retentionWithin(settings.desiredRetention))
        return retentionProblem();
    if (!newBlocksWithin(settings.newBlocksPerDay))
        return newBlocksProblem();
    if (!capWithin(settings.dailyMinutesCap))
        return capProblem();
    return {};
}

TrainingSettings withinRanges(TrainingSettings settings)
{
    // NaN fails every comparison, so it is out of range too.
    if (!retentionWithin(settings.desiredRetention))
        settings.desiredRetention = Defaults.desiredRetention;
    if (!newBlocksWithin(settings.newBlocksPerDay))
        settings.newBlocksPerDay = Defaults.newBlocksPerDay;
    if (!capWithin(settings.dailyMinutesCap))
        settings.dailyMinutesCap = Defaults.dailyMinutesCap;
    return settings;
}

SettingsEntry readSettingsEntry(const QString& retention, const QString& newBlocksPerDay, const QString& minutesCap)
{
    TrainingSettings settings;
    bool ok = false;
    // A decimal comma is what many keyboards give.
    settings.desiredRetention = QString(retention.trimmed()).replace(u',', u'.').toDouble(&ok);
    if (!ok || !retentionWithin(settings.desiredRetention))
        return {std::nullopt, retentionProblem()};
    settings.newBlocksPerDay = newBlocksPerDay.trimmed().toInt(&ok);
    if (!ok || !newBlocksWithin(settings.newBlocksPerDay))
        return {std::nullopt, newBlocksProblem()};
    if (!minutesCap.trimmed().isEmpty()) {
        const int minutes = minutesCap.trimmed().toInt(&ok);
        if (!ok || !capWithin(double(minutes)))
            return {std::nullopt, capProblem()};
        settings.dailyMinutesCap = double(minutes);
    }
    return {settings, {}};
}

QString retentionText(double retention)
{
    // As many decimals as it has, so that the text reads back as the same value.
    return QString::number(retention, 'g', 15);
}

QString minutesCapText(const std::optional<double>& cap)
{
    return cap ? QString::number(std::lround(*cap)) : QString();
}
