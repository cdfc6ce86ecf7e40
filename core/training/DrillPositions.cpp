#include "training/DrillPositions.h"

#include "training/TrainingItems.h"

#include <algorithm>

DrillPositions::DrillPositions(TrainingNumber number, const std::set<int>& learnedBlocks) : m_number(number)
{
    const int length = int(numberDigits(number).size());
    for (const int block : learnedBlocks) {
        const int first = (block - 1) * BlockLength + 1;
        const int last = std::min(block * BlockLength, length);
        if (block < 1 || first > length)
            continue;
        if (!m_runs.empty() && m_runs.back().second + 1 == first)
            m_runs.back().second = last;
        else
            m_runs.emplace_back(first, last);
    }
    if (m_runs.empty())
        return;
    // Unique among all digits up to the last learned one is unique among the learned ones.
    m_cues.emplace(QStringView(numberDigits(number)).left(m_runs.back().second));
    for (const auto& [first, last] : m_runs) {
        for (int position = first; position + AskedDigits - 1 <= last; ++position) {
            // The cue runs back from the position: it is learned when it starts within the same run.
            if (m_cues->cueFor(position)->firstPosition >= first)
                m_candidates.push_back(position);
        }
    }
}

std::optional<DrillQuestion> DrillPositions::pick(QRandomGenerator& random) const
{
    if (m_candidates.empty())
        return std::nullopt;
    return candidate(int(random.bounded(quint32(m_candidates.size()))));
}

DrillQuestion DrillPositions::candidate(int index) const
{
    const int position = m_candidates[std::size_t(index)];
    return {position, AskedDigits, m_cues->cueFor(position)};
}

std::optional<DrillQuestion> DrillPositions::at(int position) const
{
    const int length = int(numberDigits(m_number).size());
    if (position < 1 || position > length)
        return std::nullopt;
    return DrillQuestion{position, std::min(AskedDigits, length - position + 1), std::nullopt};
}
