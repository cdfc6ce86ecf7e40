#include "stage/StageState.h"

#include <algorithm>
#include <cmath>

namespace {

// Random draws stay cheap while few drafts exist; past this many a walk finds the free numbers.
constexpr int RandomAttempts = 64;

int draftNumberOf(double unit)
{
    const auto number = static_cast<int>(std::floor(unit * DraftNumberCount));
    return std::clamp(number, 0, DraftNumberCount - 1);
}

} // namespace

int chooseDraftNumber(const std::function<double()>& randomUnit, const std::function<bool(int)>& draftExists)
{
    const int first = draftNumberOf(randomUnit());
    int number = first;
    for (int attempt = 1; draftExists(number); ++attempt) {
        if (attempt == RandomAttempts) {
            for (int step = 1; step < DraftNumberCount; ++step) {
                const int candidate = (number + step) % DraftNumberCount;
                if (!draftExists(candidate))
                    return candidate;
            }
            return first;
        }
        number = draftNumberOf(randomUnit());
    }
    return number;
}
