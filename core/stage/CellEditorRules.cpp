#include "stage/CellEditorRules.h"

#include "rules/AttemptRules.h"

bool isAcceptedEditorKey(int characterCode)
{
    return isDigitCharacter(characterCode) || characterCode == BackspaceKey || characterCode == EnterKey;
}

std::optional<GridCell> cellAfterTyping(GridCell cell, int rowCount, int columnCount)
{
    if (cell.column < columnCount)
        return GridCell{cell.row, cell.column + 1};
    if (cell.row < rowCount)
        return GridCell{cell.row + 1, 1};
    return std::nullopt;
}
