#pragma once

#include <QString>

class AnswerSheet;

// What an answer grid edits. The grid shows the owner's sheet and hands every edited text in; the owner
// keeps the texts and their stamps and decides what an entry means, so no grid keeps answers of its own.
class SheetEntry
{
public:
    virtual ~SheetEntry() = default;

    virtual const AnswerSheet& sheet() const = 0;
    // An editor put `text` into (row, column). The edit may not have ended yet; its rules run when it does.
    virtual void enterText(int row, int column, const QString& text) = 0;
};
