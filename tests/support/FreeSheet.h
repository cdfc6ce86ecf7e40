#pragma once

#include "stage/AnswerSheet.h"
#include "stage/SheetEntry.h"

// A sheet owner without rules, for driving the answer grid on its own: every text handed in is kept.
class FreeSheet final : public SheetEntry
{
public:
    FreeSheet(int rows, int columns) { m_sheet.reset(rows, columns); }

    const AnswerSheet& sheet() const override { return m_sheet; }
    void enterText(int row, int column, const QString& text) override { m_sheet.setCellText(row, column, text); }
    // For setting up a test: texts and stamps written straight into the sheet.
    AnswerSheet& edit() { return m_sheet; }

private:
    AnswerSheet m_sheet;
};
