#include "training/RecallGrading.h"

#include <algorithm>

bool isCorrectRecall(const ItemRecall& recall)
{
    if (recall.digitCount <= 0 || int(recall.keystrokes.size()) != recall.digitCount)
        return false;
    return std::all_of(recall.keystrokes.begin(), recall.keystrokes.end(),
                       [](const RecallKeystroke& key) { return !key.hint && key.typed == key.expected; });
}

std::optional<double> recallPace(const ItemRecall& recall)
{
    if (recall.keystrokes.empty())
        return std::nullopt;
    return double(recall.keystrokes.back().ms) / double(recall.keystrokes.size());
}

std::optional<double> medianPace(std::vector<double> paces)
{
    if (paces.empty())
        return std::nullopt;
    const auto middle = paces.begin() + std::ptrdiff_t(paces.size() / 2);
    std::nth_element(paces.begin(), middle, paces.end());
    if (paces.size() % 2 == 1)
        return *middle;
    const double below = *std::max_element(paces.begin(), middle);
    return (below + *middle) / 2.0;
}

Rating gradeRecall(const ItemRecall& recall, std::optional<double> medianPaceOfItem)
{
    if (!isCorrectRecall(recall))
        return Rating::Again;
    if (medianPaceOfItem && *recallPace(recall) > SlowPaceFactor * *medianPaceOfItem)
        return Rating::Hard;
    return Rating::Good;
}
