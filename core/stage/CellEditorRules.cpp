#include "stage/CellEditorRules.h"

bool isAcceptedEditorKey(int characterCode)
{
    return (characterCode >= '0' && characterCode <= '9') || characterCode == BackspaceKey || characterCode == EnterKey;
}

std::optional<GridCell> cellAfterTyping(GridCell cell, int rowCount, int columnCount)
{
    if (cell.column < columnCount)
        return GridCell{cell.row, cell.column + 1};
    if (cell.row < rowCount)
        return GridCell{cell.row + 1, 1};
    return std::nullopt;
}
