#pragma once

#include "base/GridCell.h"

#include <optional>

constexpr int BackspaceKey = 8;
constexpr int EnterKey = 13;

// The one-character cell editor takes digits, Backspace and Enter; every other character is discarded.
bool isAcceptedEditorKey(int characterCode);

/// The cell the cursor moves to as soon as the editor of @p cell holds a character: the next cell of
/// the row, else the first cell of the next row. None for the last cell of the grid, whose editor
/// stays open until Enter or another cell ends the edit.
std::optional<GridCell> cellAfterTyping(GridCell cell, int rowCount, int columnCount);
