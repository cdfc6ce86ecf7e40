#pragma once

#include <QString>

#include <functional>

// What the recall stage does at each step of an edit of the answer grid. Every hook is called
// synchronously, in this order for one typed digit: beforeEdit, keyTyped, editTextChanged, afterEdit
// (for the edited cell), cellChanged (for the new current cell). Rows and columns count from 1; 0 means
// no cell. A hook must not delete the grid (use deleteLater).
struct AnswerGridHooks
{
    // An editor is about to open on (row, column); setting cancel keeps the cell closed.
    std::function<void(int row, int column, bool& cancel)> beforeEdit;
    // A character that passed the digit filter (a digit, 8 Backspace or 13 Enter) reached the editor.
    std::function<void(int row, int column, int code)> keyTyped;
    // The competitor changed the editor's text; the grid moves on afterwards when it is not empty.
    std::function<void(int row, int column, const QString& text)> editTextChanged;
    // The edit of (row, column) ended and its text is in the model.
    std::function<void(int row, int column)> afterEdit;
    std::function<void(int oldRow, int oldColumn, int newRow, int newColumn)> cellChanged;
};
