#pragma once

#include "base/GridCell.h"
#include "stage/AnswerSheet.h"
#include "stage/SheetEntry.h"
#include "training/TrainingNumber.h"

#include <QChar>
#include <QDateTime>

#include <optional>

class TrainingClock;
class TrainingRecorder;

// Recite: the number's digits from any position on, until the first wrong digit, until a chosen count or
// until the number ends. The sheet holds ten digits a row, each row the number's own (digits 1201 to 1210
// are a row), and shows only a window of WindowRows rows, so a recital from digit 32,000 of pi is as quick
// to start as one from digit 1; the window moves on when the recital passes its last row. Every digit
// typed goes to the recorder as it is typed.
class RecitalSession final : public SheetEntry
{
public:
    static constexpr int Columns = 10;
    static constexpr int WindowRows = 40;

    enum class Phase
    {
        Reciting,
        Wrong,   // a wrong digit ended it; its cell holds the right one
        Counted, // the chosen count of digits was recited
        Whole,   // the number's last digit was recited
        Stopped, // the competitor left it
    };

    struct Mistake
    {
        GridCell cell;
        int position = 0;
        QChar expected;
        QChar typed;
    };

    // From `firstPosition` (1 to the number's length), `count` digits at most (none: until an error or
    // the end). The clock and the recorder must outlive the session; its time counts from now.
    RecitalSession(TrainingNumber number, int firstPosition, std::optional<int> count, const TrainingClock& clock,
                   TrainingRecorder& recorder);

    TrainingNumber number() const { return m_number; }
    Phase phase() const { return m_phase; }
    int firstPosition() const { return m_firstPosition; }
    // The last digit the recital may ask.
    int lastPosition() const { return m_lastPosition; }
    int nextPosition() const { return m_firstPosition + m_typed; }
    int typed() const { return m_typed; }
    int correct() const { return m_phase == Phase::Wrong ? m_typed - 1 : m_typed; }
    const std::optional<Mistake>& mistake() const { return m_mistake; }
    // Seconds per digit from the start to the last digit typed; none before the first.
    std::optional<double> secondsPerDigit() const;
    qint64 sessionId() const { return m_sessionId; }

    // The window: the position of the sheet's first cell, and a count that grows each time it moves.
    int windowFirstPosition() const { return m_windowFirst; }
    int windowVersion() const { return m_windowVersion; }
    std::optional<GridCell> nextCell() const;
    GridCell cellOf(int position) const;
    int positionOf(GridCell cell) const;
    bool mayOpen(int row, int column) const;

    const AnswerSheet& sheet() const override { return m_sheet; }
    void enterText(int row, int column, const QString& text) override;

    // The session's end is written, once; nothing is taken in afterwards.
    void finish();

private:
    void showWindow(int windowFirst, int position);
    qint64 sessionMs() const;

    TrainingNumber m_number;
    int m_firstPosition;
    int m_lastPosition;
    const TrainingClock& m_clock;
    TrainingRecorder& m_recorder;
    QDateTime m_startedUtc;
    qint64 m_startedMs = 0;
    qint64 m_sessionId = 0;
    qint64 m_lastKeyMs = 0;
    int m_typed = 0;
    Phase m_phase = Phase::Reciting;
    std::optional<Mistake> m_mistake;
    bool m_finished = false;

    AnswerSheet m_sheet;
    int m_windowFirst = 1;
    int m_windowVersion = 0;
};
