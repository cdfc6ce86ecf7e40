#pragma once

#include "base/GridCell.h"
#include "stage/AnswerSheet.h"
#include "training/RecallGrading.h"
#include "training/TrainingNumber.h"

#include <optional>

// A run of digits asked after a cue, on a sheet of ten columns: the cue's digits fill the first cells,
// the asked ones follow and are typed one at a time, each into the next cell. A wrong digit or the hint
// ends the run at once with the right digit in its cell; the run is whole once its last digit is right.
class AskedDigits final
{
public:
    static constexpr int Columns = 10;

    enum class State
    {
        Asking,
        Wrong,
        Hinted,
        Whole,
    };

    // Positions `cueFirstPosition` to `firstPosition - 1` are the cue (none when they are equal), then
    // `count` digits are asked from `firstPosition`.
    AskedDigits(TrainingNumber number, int cueFirstPosition, int firstPosition, int count);

    const AnswerSheet& sheet() const { return m_sheet; }
    State state() const { return m_state; }
    bool ended() const { return m_state != State::Asking; }
    int firstPosition() const { return m_firstPosition; }
    int count() const { return m_recall.digitCount; }
    // What was typed so far, with times since the run was asked.
    const ItemRecall& recall() const { return m_recall; }
    // The keystroke that ended a run early; none while asking or for a whole run.
    const RecallKeystroke* failure() const;

    std::optional<GridCell> nextCell() const;
    int nextPosition() const { return m_firstPosition + int(m_recall.keystrokes.size()); }
    GridCell cellOf(int position) const;
    bool mayOpen(int row, int column) const;

    // A digit typed into (row, column) `ms` after the run was asked: the keystroke, or none when it is
    // not a digit for the next cell.
    std::optional<RecallKeystroke> type(int row, int column, const QString& text, qint64 ms);
    // The next digit shown: the run ends as failed. None outside a run.
    std::optional<RecallKeystroke> hint(qint64 ms);

private:
    RecallKeystroke take(QChar typed, qint64 ms, bool hinted);

    TrainingNumber m_number;
    int m_cueFirstPosition;
    int m_firstPosition;
    AnswerSheet m_sheet;
    ItemRecall m_recall;
    State m_state = State::Asking;
};
