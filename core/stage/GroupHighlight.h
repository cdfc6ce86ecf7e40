#pragma once

#include <QString>

#include <optional>

// The group of cells the cursor is in. Groups are numbered from 1, left to right, row after row;
// rows and columns are the grid's data rows and columns, counted from 1.
struct CurrentGroup
{
    int number = 0;
    int row = 0;
    int firstColumn = 0;
    int lastColumn = 0;
};

/// The group of the cell (@p row, @p column). None when the group size or the row length is not
/// positive. A group size that does not divide the row (a hand-edited settings file) still gives a
/// group, which may reach past the last column; the caller highlights only the cells that exist.
std::optional<CurrentGroup> currentGroup(int digitsPerRow, int groupSize, int row, int column);

// Caption of the group label.
QString groupLabelText(int groupNumber);
