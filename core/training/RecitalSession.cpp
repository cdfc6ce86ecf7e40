#include "training/RecitalSession.h"

#include "training/TrainingClock.h"
#include "training/TrainingRecorder.h"

#include <algorithm>

namespace {
// The first position of the number's row of ten that holds `position`.
int rowStart(int position)
{
    return (position - 1) / RecitalSession::Columns * RecitalSession::Columns + 1;
}
} // namespace

RecitalSession::RecitalSession(TrainingNumber number, int firstPosition, std::optional<int> count,
                               const TrainingClock& clock, TrainingRecorder& recorder)
    : m_number(number), m_firstPosition(std::clamp(firstPosition, 1, int(numberDigits(number).size()))),
      m_lastPosition(int(numberDigits(number).size())), m_clock(clock), m_recorder(recorder),
      m_startedUtc(clock.nowUtc()), m_startedMs(clock.steadyMs())
{
    if (count)
        m_lastPosition = std::min(m_lastPosition, m_firstPosition + std::max(*count, 1) - 1);
    showWindow(rowStart(m_firstPosition), m_firstPosition);
}

std::optional<double> RecitalSession::secondsPerDigit() const
{
    if (m_typed == 0)
        return std::nullopt;
    return double(m_lastKeyMs) / 1000.0 / double(m_typed);
}

// The window from `windowFirst` (a row's first digit) shows the digits before `position`: those recited
// and, in the first row, the row's own digits before the first one asked. The last window ends with the
// number.
void RecitalSession::showWindow(int windowFirst, int position)
{
    m_windowFirst = windowFirst;
    const int length = int(numberDigits(m_number).size());
    const int lastShown = std::min(length, m_windowFirst + WindowRows * Columns - 1);
    m_sheet.reset((lastShown - m_windowFirst) / Columns + 1, Columns);
    const QString& digits = numberDigits(m_number);
    for (int shown = m_windowFirst; shown < position; ++shown) {
        const GridCell cell = cellOf(shown);
        m_sheet.setCellText(cell.row, cell.column, QString(digits[shown - 1]));
    }
    ++m_windowVersion;
}

std::optional<GridCell> RecitalSession::nextCell() const
{
    if (m_phase != Phase::Reciting)
        return std::nullopt;
    return cellOf(nextPosition());
}

GridCell RecitalSession::cellOf(int position) const
{
    const int offset = position - m_windowFirst;
    return {offset / Columns + 1, offset % Columns + 1};
}

int RecitalSession::positionOf(GridCell cell) const
{
    return m_windowFirst + (cell.row - 1) * Columns + cell.column - 1;
}

bool RecitalSession::mayOpen(int row, int column) const
{
    const std::optional<GridCell> next = nextCell();
    return next && *next == GridCell{row, column};
}

void RecitalSession::enterText(int row, int column, const QString& text)
{
    if (!mayOpen(row, column) || text.size() != 1 || text[0] < u'0' || text[0] > u'9')
        return;
    const int position = nextPosition();
    const QChar expected = numberDigits(m_number)[position - 1];
    const QChar typed = text[0];
    if (m_sessionId == 0)
        m_sessionId = m_recorder.startSession(TrainingActivity::Recite, m_number, m_firstPosition, m_startedUtc);
    ++m_typed;
    m_lastKeyMs = sessionMs();
    m_recorder.digitTyped({m_sessionId, m_typed, position, expected.digitValue(), typed.digitValue(), m_lastKeyMs});
    m_sheet.setCellText(row, column, QString(expected));
    if (typed != expected) {
        m_phase = Phase::Wrong;
        m_mistake = Mistake{{row, column}, position, expected, typed};
    } else if (position == m_lastPosition) {
        m_phase = position == int(numberDigits(m_number).size()) ? Phase::Whole : Phase::Counted;
    } else if (cellOf(position + 1).row > m_sheet.rowCount()) {
        // The last row recited stays in sight above the next digit.
        showWindow(rowStart(position), position + 1);
    }
}

void RecitalSession::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_sessionId != 0)
        m_recorder.sessionFinished(m_sessionId, double(m_lastKeyMs) / 1000.0);
    if (m_phase == Phase::Reciting)
        m_phase = Phase::Stopped;
}

qint64 RecitalSession::sessionMs() const
{
    return m_clock.steadyMs() - m_startedMs;
}
