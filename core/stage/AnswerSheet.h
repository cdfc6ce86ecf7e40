#pragma once

#include "base/CellTextSource.h"

#include <cstdint>
#include <vector>

// The competitor's answers and the entry stamp of every cell, in flat row-major arrays: a pi sheet
// has 32,760 cells, so there is no object per cell. Rows and columns count from 1.
class AnswerSheet final : public CellTextSource
{
public:
    void reset(int rows, int columns);

    int rowCount() const override { return m_rows; }
    int columnCount() const override { return m_columns; }
    QString cellText(int row, int column) const override { return m_texts[flat(row, column)]; }
    void setCellText(int row, int column, const QString& text)
    {
        m_texts[flat(row, column)] = text;
        ++m_textVersions[flat(row, column)];
    }
    // Grows with every change of a cell's text, so a reader can tell a text it has already looked at.
    std::uint32_t textVersion(std::size_t flatIndex) const { return m_textVersions[flatIndex]; }

    // The clock reading of the last commit of a non-empty text; none until the cell is first filled.
    bool hasStamp(int row, int column) const;
    float stamp(int row, int column) const { return m_stamps[flat(row, column)]; }
    void setStamp(int row, int column, float reading) { m_stamps[flat(row, column)] = reading; }

    // 1-based position of a cell in the attempt: (row - 1) * columns + column.
    int digitIndex(int row, int column) const { return (row - 1) * m_columns + column; }

    const std::vector<float>& stamps() const { return m_stamps; }
    const std::vector<QString>& texts() const { return m_texts; }

private:
    std::size_t flat(int row, int column) const
    {
        return std::size_t(row - 1) * std::size_t(m_columns) + std::size_t(column - 1);
    }

    int m_rows = 0;
    int m_columns = 0;
    std::vector<QString> m_texts;
    std::vector<float> m_stamps;
    std::vector<std::uint32_t> m_textVersions;
};
