#include "stage/GroupHighlight.h"

#include "base/Rounding.h"

#include <cmath>

std::optional<CurrentGroup> currentGroup(int digitsPerRow, int groupSize, int row, int column)
{
    if (groupSize <= 0 || digitsPerRow <= 0)
        return std::nullopt;
    // Groups per row stays a real number, so that a size that does not divide the row numbers its
    // groups the way the grid always has.
    const double groupsPerRow = double(digitsPerRow) / groupSize;
    const auto wholeGroupsPerRow = static_cast<int>(roundHalfEven(groupsPerRow));
    if (wholeGroupsPerRow == 0)
        return std::nullopt;

    CurrentGroup group;
    group.number =
        static_cast<int>(roundHalfEven(std::floor(double(column - 1) / groupSize) + groupsPerRow * (row - 1) + 1.0));
    group.row = static_cast<int>(std::floor((group.number - 1) / groupsPerRow)) + 1;
    group.firstColumn = ((group.number - 1) % wholeGroupsPerRow) * groupSize + 1;
    group.lastColumn = group.firstColumn + groupSize - 1;
    return group;
}

QString groupLabelText(int groupNumber)
{
    return QStringLiteral("Group No : ") + QString::number(groupNumber);
}
