#pragma once

#include "stage/AnswerSheet.h"

#include <QString>

// The sheet's texts row by row in one string, an empty cell as "_": a whole sheet compared at a glance.
inline QString sheetText(const AnswerSheet& sheet)
{
    QString text;
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        for (int column = 1; column <= sheet.columnCount(); ++column)
            text += sheet.cellText(row, column).isEmpty() ? QStringLiteral("_") : sheet.cellText(row, column);
    }
    return text;
}
