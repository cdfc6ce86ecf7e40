#pragma once

#include <QString>

// Read access to the texts of a sheet of cells: answers typed into the grid, or question digits.
// Rows and columns count from 1, as in the answer sheet.
class CellTextSource
{
public:
    virtual ~CellTextSource() = default;
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    virtual QString cellText(int row, int column) const = 0;
};
