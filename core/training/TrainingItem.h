#pragma once

#include "training/TrainingNumber.h"

#include <QString>
#include <QStringView>

#include <optional>

// A block asks its own digits; a junction shows the last digits of one block as a cue and asks the first
// digits of the next, because the order of the blocks fails more often than their content.
enum class ItemKind
{
    Block,
    Junction,
};

// "block" or "junction", the `kind` column of item_state.
QString kindName(ItemKind kind);

// One thing the scheduler schedules. Positions count the digits after the point from 1 and are those
// the competitor types; a junction's cue is the `cueLength` digits just before `firstPosition`.
struct TrainingItem
{
    TrainingNumber number = TrainingNumber::Pi;
    ItemKind kind = ItemKind::Block;
    // A block's number from 1; a junction takes the number of the block whose end is its cue.
    int index = 0;
    int firstPosition = 0;
    int lastPosition = 0;
    int cueLength = 0;

    int digitCount() const { return lastPosition - firstPosition + 1; }
    int cueFirstPosition() const { return firstPosition - cueLength; }

    // Stable across versions, the key of item_state and review_log: "pi/block/12", "e/junction/7".
    QString id() const;

    bool operator==(const TrainingItem&) const = default;
};

struct ParsedItemId
{
    TrainingNumber number;
    ItemKind kind;
    int index;
};

// The parts of an id in the form id() writes; none for any other text. The index is not checked
// against the number's length here (see itemForId).
std::optional<ParsedItemId> parseItemId(QStringView id);
