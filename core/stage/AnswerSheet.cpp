#include "stage/AnswerSheet.h"

#include <cmath>
#include <limits>

void AnswerSheet::reset(int rows, int columns)
{
    m_rows = rows;
    m_columns = columns;
    const auto cells = std::size_t(rows) * std::size_t(columns);
    m_texts.assign(cells, QString());
    m_textVersions.assign(cells, 0);
    // NaN marks "no stamp yet"; every real reading lies in [0, 86400).
    m_stamps.assign(cells, std::numeric_limits<float>::quiet_NaN());
}

bool AnswerSheet::hasStamp(int row, int column) const
{
    return !std::isnan(m_stamps[flat(row, column)]);
}
