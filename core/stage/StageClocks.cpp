#include "stage/StageClocks.h"

#include "base/Clock.h"
#include "base/ClockText.h"
#include "base/Rounding.h"
#include "rules/AttemptRules.h"

#include <algorithm>

namespace {

constexpr int AnswerDelayLimit = 5;

} // namespace

QString countdownText(int seconds)
{
    const QString padded = QStringLiteral("0") + QString::number(seconds);
    return padded.right(2);
}

QString startConcentration(StageState& state, float now)
{
    state.stageStartTime = now;
    return countdownText(state.concentrationSeconds);
}

ConcentrationFrame concentrationTick(StageState& state, float now)
{
    // Two roundings in a row, hundredths then whole seconds: 59.496 shows as 60.
    const float remaining =
        roundToHundredths(static_cast<float>(state.concentrationSeconds) - elapsedSeconds(state.stageStartTime, now));
    ConcentrationFrame frame;
    if (remaining > 0.0f) {
        frame.text = countdownText(static_cast<int>(roundHalfEven(remaining)));
        return frame;
    }
    frame.text = QStringLiteral("00");
    frame.finished = true;
    state.stageStartTime = now;
    return frame;
}

StageFrame stageTick(StageState& state, float now, bool messageBoxOpen)
{
    StageFrame frame;
    const float used = now - state.stageStartTime;
    state.stageSeconds = roundToHundredths(used);
    if (state.stageSeconds < 0.0f) {
        // The day changed; the sum is formed in double precision so that no hundredth is lost near 86400.
        const double sinceStart = double(SecondsPerDay) - double(state.stageStartTime) + double(now);
        state.stageSeconds = static_cast<float>(roundHalfEven(sinceStart * 100.0) / 100.0);
    }

    const auto maximum = static_cast<float>(state.maxStageSeconds);
    if (stageTimeIsUpAtUsedSeconds(state.stageSeconds)) {
        state.stageSeconds = static_cast<float>(cappedUsedSeconds(state.stageSeconds));
        frame.stopClock = true;
    }
    QString text = clockText(state.stageSeconds);

    // In count-down mode lastTimeText holds a remaining time, which differs from the next used time,
    // so the display is redrawn on nearly every tick and stageSeconds holds the remaining time.
    if (text != state.lastTimeText && state.showStageTimer) {
        if (state.countDown) {
            state.stageSeconds = maximum - state.stageSeconds;
            text = clockText(state.stageSeconds);
        }
        frame.displayText = text;
        state.lastTimeText = text;
    }
    frame.finish = frame.stopClock && !messageBoxOpen;
    return frame;
}

QString timeDisplayResizeText(const StageState& state)
{
    return state.showStageTimer ? clockText(static_cast<float>(state.maxStageSeconds)) : QString();
}

GridCell cellOfDigit(int digitIndex, int digitsPerRow)
{
    int row = digitIndex / digitsPerRow;
    int column = digitIndex - row * digitsPerRow;
    if (column == 0)
        column = digitsPerRow;
    else
        ++row;
    return {row, column};
}

DigitFrame digitTick(StageState& state, float now)
{
    DigitFrame frame;
    const float elapsed = elapsedSeconds(state.digitStartTime, now);
    if (state.cellTimerOn && state.digitsPerRow > 0) {
        frame.barCell = cellOfDigit(state.nextDigitIndex, state.digitsPerRow);
        frame.barPercent = elapsed / DigitBarFullScaleSeconds * 100.0f;
    }
    // The limit applies whether or not the bar is drawn.
    if (digitTimeIsUpAfterMs(wholeMilliseconds(elapsed))) {
        state.endByRule(DigitTimeExceededMessage);
        frame.finish = true;
    }
    return frame;
}

int answerDelaySeconds(const StageState& state)
{
    // stageSeconds holds the remaining time only after a count-down redraw; without the display it
    // always holds the used time, whatever countDown says.
    const bool holdsRemaining = state.countDown && state.showStageTimer;
    const double remaining =
        holdsRemaining ? double(state.stageSeconds) : double(state.maxStageSeconds) - double(state.stageSeconds);
    return static_cast<int>(std::min(roundHalfEven(remaining), double(AnswerDelayLimit)));
}
