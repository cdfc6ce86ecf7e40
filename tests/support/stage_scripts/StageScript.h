#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

// What happens on the recall stage during one attempt, as a person at the keyboard and the clock make it
// happen: keys, clicks and pauses, each after a wait. A script names intentions ("type the right digit of
// the current cell", "go back to the cell that is about to lock") rather than cells and times, so that
// every script is a possible attempt whatever the stage made of the actions before it.
enum class StageActionKind
{
    TypeRight,     // the question digit of the current cell
    TypeWrong,     // another digit
    Backspace,     // opens the current cell if needed and empties the editor
    Enter,         // ends an open edit
    EditKey,       // F2: opens the current cell's editor with its text
    MoveBy,        // an arrow key or a click `amount` cells on (back when negative), in reading order
    MoveToFront,   // a click on the cell after the furthest one entered
    RevisitAtLock, // a click on the cell that locks next, `waitMs` after it locks, then `amount` picks the key
    AskFinish,     // FINISH, answered `yes` by the user `answerAfterMs` after it is asked (unless it answers itself)
    AskLeave,      // BACK, or CANCEL during the countdown, answered the same way
    RestoreDraft,  // Ctrl+F12 and the access code, with a draft_record.xml made from `cells` and `restoredSeconds`
    RestoreOwn,    // the same, with a copy of this attempt's own draft as an operator would copy it
    RestoreMisfit, // the same, with a draft of another sheet, which is refused
    ToggleTime,    // a click on the time display
};

enum class DraftText
{
    Right,
    Wrong,
    Empty,
};

// A cell of a restored draft, `frontOffset` cells from the cell after the furthest one entered.
struct DraftCell
{
    int frontOffset = 0;
    DraftText text = DraftText::Right;
};

struct StageAction
{
    StageActionKind kind = StageActionKind::TypeRight;
    // The pause before the action; for RevisitAtLock, the time after the lock (negative: before it).
    qint64 waitMs = 0;
    int amount = 0;
    bool yes = false;
    qint64 answerAfterMs = 0;
    std::vector<DraftCell> cells;
    float restoredSeconds = 0.0f;
};

struct StageScript
{
    int numberPosition = 1; // the type list's position: 0 sqrt(2), 1 pi, 2 e
    int digitsPerRow = 30;
    int groupSize = 5;
    bool showStageTimer = true;
    int concentrationSeconds = 3;
    bool cellTimerOn = true;
    // The stage clock's reading when the stage window opens.
    double clockStartSeconds = 36'000.0;
    std::vector<StageAction> actions;
};

// The script as text, one action a line, for the message of a check that failed.
QString describe(const StageScript& script);
