#include "training/TrainingItems.h"

#include <algorithm>

namespace {

TrainingItem block(TrainingNumber number, int index, int digitCount)
{
    const int first = (index - 1) * BlockLength + 1;
    return {number, ItemKind::Block, index, first, std::min(first + BlockLength - 1, digitCount), 0};
}

// The junction after block `index`: its cue ends that block, its answer starts the next one.
TrainingItem junction(TrainingNumber number, int index, int digitCount)
{
    const int first = index * BlockLength + 1;
    return {number,           ItemKind::Junction, index, first, std::min(first + JunctionAnswerLength - 1, digitCount),
            JunctionCueLength};
}

} // namespace

int blockCount(int digitCount)
{
    return digitCount <= 0 ? 0 : (digitCount + BlockLength - 1) / BlockLength;
}

std::vector<TrainingItem> itemsFor(TrainingNumber number, int digitCount)
{
    const int blocks = blockCount(digitCount);
    std::vector<TrainingItem> items;
    items.reserve(std::size_t(std::max(0, 2 * blocks - 1)));
    for (int index = 1; index <= blocks; ++index)
        items.push_back(block(number, index, digitCount));
    for (int index = 1; index < blocks; ++index)
        items.push_back(junction(number, index, digitCount));
    return items;
}

std::vector<TrainingItem> itemsOf(TrainingNumber number)
{
    return itemsFor(number, int(numberDigits(number).size()));
}

std::vector<TrainingItem> allTrainingItems()
{
    std::vector<TrainingItem> items;
    for (const TrainingNumber number : AllTrainingNumbers) {
        const std::vector<TrainingItem> ofNumber = itemsOf(number);
        items.insert(items.end(), ofNumber.begin(), ofNumber.end());
    }
    return items;
}

std::optional<TrainingItem> itemForId(QStringView id)
{
    const std::optional<ParsedItemId> parsed = parseItemId(id);
    if (!parsed)
        return std::nullopt;
    const int digitCount = int(numberDigits(parsed->number).size());
    const int blocks = blockCount(digitCount);
    if (parsed->kind == ItemKind::Block && parsed->index <= blocks)
        return block(parsed->number, parsed->index, digitCount);
    if (parsed->kind == ItemKind::Junction && parsed->index < blocks)
        return junction(parsed->number, parsed->index, digitCount);
    return std::nullopt;
}
