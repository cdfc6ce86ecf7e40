#pragma once

#include <functional>

// What the recall stage does at each step of an edit of the answer grid. Every hook is called
// synchronously, in this order for one typed digit: beforeEdit, afterEdit (for the edited cell),
// cellChanged (for the new current cell). Rows and columns count from 1; 0 means no cell. A hook must
// not delete the grid (use deleteLater).
struct AnswerGridHooks
{
    // An editor is about to open on (row, column); setting cancel keeps the cell closed.
    std::function<void(int row, int column, bool& cancel)> beforeEdit;
    // The edit of (row, column) ended and its text is in the model.
    std::function<void(int row, int column)> afterEdit;
    std::function<void(int oldRow, int oldColumn, int newRow, int newColumn)> cellChanged;
};
