#include "training/FsrsModel.h"

#include <algorithm>
#include <cmath>

namespace {

double clampStability(double stability)
{
    return std::clamp(stability, FsrsModel::MinimumStability, FsrsModel::MaximumStability);
}

double grade(Rating rating)
{
    return double(ratingValue(rating));
}

} // namespace

FsrsModel::FsrsModel(const FsrsParameters& parameters)
    : m_parameters(parameters), m_decay(parameters.w[20]), m_factor(std::pow(0.9, -1.0 / m_decay) - 1.0),
      m_intervalModifier((std::pow(parameters.desiredRetention, -1.0 / m_decay) - 1.0) / m_factor)
{
}

double FsrsModel::retrievability(double elapsedDays, double stability) const
{
    return std::pow(1.0 + m_factor * elapsedDays / stability, -m_decay);
}

double FsrsModel::initialStability(Rating rating) const
{
    return std::max(m_parameters.w[std::size_t(ratingValue(rating) - 1)], 0.1);
}

double FsrsModel::rawInitialDifficulty(Rating rating) const
{
    const auto& w = m_parameters.w;
    return w[4] - std::exp((grade(rating) - 1.0) * w[5]) + 1.0;
}

double FsrsModel::initialDifficulty(Rating rating) const
{
    return std::clamp(rawInitialDifficulty(rating), 1.0, 10.0);
}

double FsrsModel::nextDifficulty(double difficulty, Rating rating) const
{
    const auto& w = m_parameters.w;
    // Linear damping: the closer to 10, the smaller the step, so difficulty approaches its ceiling slowly.
    const double delta = -w[6] * (grade(rating) - 3.0);
    const double damped = difficulty + delta * (10.0 - difficulty) / 9.0;
    // Mean reversion towards the unclamped initial difficulty of Easy, which is below 1 with the defaults.
    const double reverted = w[7] * rawInitialDifficulty(Rating::Easy) + (1.0 - w[7]) * damped;
    return std::clamp(reverted, 1.0, 10.0);
}

double FsrsModel::stabilityAfterRecall(double difficulty, double stability, double retrievability, Rating rating) const
{
    const auto& w = m_parameters.w;
    const double hardPenalty = rating == Rating::Hard ? w[15] : 1.0;
    const double easyBonus = rating == Rating::Easy ? w[16] : 1.0;
    const double increase = std::exp(w[8]) * (11.0 - difficulty) * std::pow(stability, -w[9]) *
                            (std::exp(w[10] * (1.0 - retrievability)) - 1.0) * hardPenalty * easyBonus;
    return clampStability(stability * (1.0 + increase));
}

double FsrsModel::stabilityAfterLapse(double difficulty, double stability, double retrievability) const
{
    const auto& w = m_parameters.w;
    const double forgotten =
        clampStability(w[11] * std::pow(difficulty, -w[12]) * (std::pow(stability + 1.0, w[13]) - 1.0) *
                       std::exp(w[14] * (1.0 - retrievability)));
    // However high the lapse formula puts it, a forgotten memory ends at most at S / e^(w17 * w18).
    const double ceiling = stability / std::exp(w[17] * w[18]);
    return std::min(std::max(ceiling, MinimumStability), forgotten);
}

double FsrsModel::sameDayStability(double stability, Rating rating) const
{
    const auto& w = m_parameters.w;
    double increase = std::pow(stability, -w[19]) * std::exp(w[17] * (grade(rating) - 3.0 + w[18]));
    // A passed review never weakens the memory, however strong it already is.
    if (rating != Rating::Again)
        increase = std::max(increase, 1.0);
    return clampStability(stability * increase);
}

MemoryState FsrsModel::nextMemory(const std::optional<MemoryState>& before, int elapsedDays, Rating rating) const
{
    if (!before)
        return {initialStability(rating), initialDifficulty(rating)};
    const double difficulty = nextDifficulty(before->difficulty, rating);
    if (elapsedDays == 0)
        return {sameDayStability(before->stability, rating), difficulty};
    const double r = retrievability(elapsedDays, before->stability);
    if (rating == Rating::Again)
        return {stabilityAfterLapse(before->difficulty, before->stability, r), difficulty};
    return {stabilityAfterRecall(before->difficulty, before->stability, r, rating), difficulty};
}

int FsrsModel::intervalDays(double stability) const
{
    const double days = std::round(stability * m_intervalModifier);
    return int(std::clamp(days, 1.0, double(m_parameters.maximumIntervalDays)));
}
