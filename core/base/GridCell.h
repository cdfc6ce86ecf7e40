#pragma once

// A data cell of the answer grid: row and column counted from 1, below the header row and right of
// the header column.
struct GridCell
{
    int row = 0;
    int column = 0;

    bool operator==(const GridCell&) const = default;
};
