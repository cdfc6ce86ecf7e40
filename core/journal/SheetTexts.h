#pragma once

#include "base/CellTextSource.h"

#include <QString>

#include <vector>

// A sheet of cell texts over a row-major list, so that the results' scoring can read replayed answers
// and question digits.
class SheetTexts final : public CellTextSource
{
public:
    SheetTexts(const std::vector<QString>& texts, int rows, int columns)
        : m_texts(texts), m_rows(rows), m_columns(columns)
    {
    }

    int rowCount() const override { return m_rows; }
    int columnCount() const override { return m_columns; }
    QString cellText(int row, int column) const override
    {
        return m_texts[std::size_t(row - 1) * std::size_t(m_columns) + std::size_t(column - 1)];
    }

private:
    const std::vector<QString>& m_texts;
    int m_rows;
    int m_columns;
};
