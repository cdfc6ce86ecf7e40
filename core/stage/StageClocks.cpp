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
    // Counting down, the display shows the remaining time and lastTimeText holds it. It is compared
    // with the used time, which differs, so the display is redrawn on nearly every tick.
    const QString usedText = clockText(state.stageSeconds);
    if (usedText != state.lastTimeText && state.showStageTimer) {
        const QString text = state.countDown ? clockText(maximum - state.stageSeconds) : usedText;
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
    // Until the stage clock has shown its first remaining time, a box asked with the display counting
    // down (during the concentration countdown, say) waits for an answer.
    if (state.countDown && state.showStageTimer && state.lastTimeText.isEmpty())
        return 0;
    const double remaining = double(state.maxStageSeconds) - double(state.stageSeconds);
    return static_cast<int>(std::min(roundHalfEven(remaining), double(AnswerDelayLimit)));
}
