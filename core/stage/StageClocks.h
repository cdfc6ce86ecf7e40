#pragma once

#include "base/GridCell.h"
#include "rules/AttemptRules.h"
#include "stage/StageState.h"

#include <QString>

#include <optional>

// What each 10 ms tick of the three stage clocks computes and decides. Every clock measures time from
// clock readings (seconds since midnight), never by counting ticks; the window draws the results and
// switches its timers as told.

// The countdown text of a number of seconds: the last two characters of "0" and the number.
QString countdownText(int seconds);

// Starts the countdown at @p now and returns the text to show first.
QString startConcentration(StageState& state, float now);

struct ConcentrationFrame
{
    QString text;          // drawn on every tick, changed or not
    bool finished = false; // stop this clock, hide the panel and start the stage clock
};
// On the finishing tick the recall starts: stageStartTime becomes @p now.
ConcentrationFrame concentrationTick(StageState& state, float now);

struct StageFrame
{
    std::optional<QString> displayText; // redraw the time display with this text
    bool stopClock = false;             // the maximum stage time is reached
    bool finish = false;                // finishStage now
};
/// One stage clock tick. At the maximum the clock stops and, unless a message box is open, the stage
/// finishes; with a box open the confirmation that closes it finds the clock stopped and finishes.
StageFrame stageTick(StageState& state, float now, bool messageBoxOpen);

// Text of the time display after a resize: the maximum time, or nothing when the display is off.
QString timeDisplayResizeText(const StageState& state);

// The bar is full when the per-digit time is up.
constexpr float DigitBarFullScaleSeconds = MaxDigitMs / 1000.0f;

struct DigitFrame
{
    // Where to draw the per-digit bar and how full, in percent; none when the bar is off. The cell
    // may lie past the grid (after its last cell), and then no bar is drawn.
    std::optional<GridCell> barCell;
    float barPercent = 0.0f;
    bool finish = false; // the digit took too long: stop this clock, then finishStage
};
DigitFrame digitTick(StageState& state, float now);

// The cell whose digit index is @p digitIndex.
GridCell cellOfDigit(int digitIndex, int digitsPerRow);

/// Seconds after which a confirmation box answers No by itself: the remaining stage time rounded,
/// at most 5. Zero or less means the box waits for an answer.
int answerDelaySeconds(const StageState& state);
