#pragma once

#include "base/GridCell.h"

#include <QColor>
#include <QObject>

#include <functional>
#include <optional>

class AnswerGrid;
class QKeyEvent;
class QWidget;
class SheetEntry;

// The record stage's answer grid as the training views use it: ten columns, groups of five highlighted,
// digits typed only into the cell the session asks next, the cursor kept there. The session owns the
// sheet and its rules; this only carries keys and edits to it.
class TrainingGrid final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrainingGrid)

public:
    static constexpr int GroupSize = 5;
    static constexpr int ColumnPixels = 56;
    static constexpr QColor WrongDigitColour{255, 160, 160};
    static constexpr QColor HintedDigitColour{255, 214, 130};

    struct Calls
    {
        // The cell the next digit goes to; none when no digit is asked.
        std::function<std::optional<GridCell>()> nextCell;
        // A digit was taken into the sheet.
        std::function<void()> digitTaken;
        // Any other key the grid is given (Enter, the hint); true when it was used.
        std::function<bool(QKeyEvent&)> key;
        // The digit of the sheet's last cell was taken and its edit is over: the sheet may change whole.
        std::function<void()> lastCellTaken;
    };

    TrainingGrid(QWidget* parent, Calls calls);

    AnswerGrid& grid() const { return *m_grid; }
    // Shows the sheet of `entry` from its first cell, or from the next cell asked.
    void showSheet(SheetEntry& entry);
    // The sheet's texts changed outside an edit (a hint shown).
    void showTexts();
    // A cell marked over its whole width: a wrong digit, a hinted one.
    void mark(GridCell cell, const QColor& colour);
    // The sheet goes before the grid: the grid lets go of it first.
    void release();
    // The grid's width, and its height for `rows` rows in sight.
    static int width();
    static int height(int rows);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setColumnWidths();
    void showGroup(int row, int column);
    void keepCursorOnNextDigit();
    void commitLastDigit(QKeyEvent* event);

    AnswerGrid* m_grid;
    Calls m_calls;
    bool m_forwarding = false;
};
