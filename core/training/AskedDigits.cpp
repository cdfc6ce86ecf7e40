#include "training/AskedDigits.h"

#include <algorithm>

AskedDigits::AskedDigits(TrainingNumber number, int cueFirstPosition, int firstPosition, int count)
    : m_number(number), m_cueFirstPosition(std::min(cueFirstPosition, firstPosition)), m_firstPosition(firstPosition)
{
    m_recall.digitCount = std::max(count, 0);
    const int cells = firstPosition - m_cueFirstPosition + m_recall.digitCount;
    m_sheet.reset(std::max(1, (cells + Columns - 1) / Columns), Columns);
    const QString& digits = numberDigits(number);
    for (int position = m_cueFirstPosition; position < firstPosition; ++position) {
        const GridCell cell = cellOf(position);
        m_sheet.setCellText(cell.row, cell.column, QString(digits[position - 1]));
    }
    if (m_recall.digitCount == 0)
        m_state = State::Whole;
}

const RecallKeystroke* AskedDigits::failure() const
{
    return m_state == State::Wrong || m_state == State::Hinted ? &m_recall.keystrokes.back() : nullptr;
}

std::optional<GridCell> AskedDigits::nextCell() const
{
    if (ended())
        return std::nullopt;
    return cellOf(nextPosition());
}

GridCell AskedDigits::cellOf(int position) const
{
    const int offset = position - m_cueFirstPosition;
    return {offset / Columns + 1, offset % Columns + 1};
}

bool AskedDigits::mayOpen(int row, int column) const
{
    const std::optional<GridCell> next = nextCell();
    return next && *next == GridCell{row, column};
}

std::optional<RecallKeystroke> AskedDigits::type(int row, int column, const QString& text, qint64 ms)
{
    if (!mayOpen(row, column) || text.size() != 1 || text[0] < u'0' || text[0] > u'9')
        return std::nullopt;
    return take(text[0], ms, false);
}

std::optional<RecallKeystroke> AskedDigits::hint(qint64 ms)
{
    if (ended())
        return std::nullopt;
    return take(QChar(), ms, true);
}

RecallKeystroke AskedDigits::take(QChar typed, qint64 ms, bool hinted)
{
    const int position = nextPosition();
    const QChar expected = numberDigits(m_number)[position - 1];
    const RecallKeystroke key{position, expected, typed, ms, hinted};
    m_recall.keystrokes.push_back(key);
    const GridCell cell = cellOf(position);
    // The right digit, also over a wrong one: the line below the grid says what was typed.
    m_sheet.setCellText(cell.row, cell.column, QString(expected));
    if (hinted)
        m_state = State::Hinted;
    else if (typed != expected)
        m_state = State::Wrong;
    else if (int(m_recall.keystrokes.size()) == m_recall.digitCount)
        m_state = State::Whole;
    return key;
}
