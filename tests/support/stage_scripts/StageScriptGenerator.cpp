#include "StageScriptGenerator.h"

#include "rules/AttemptRules.h"
#include "settings/SettingsLists.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {
constexpr std::array ColumnCounts = {30, 36, 40};
constexpr std::array ConcentrationSeconds = {3, 4, 5, 10, 15, 20, 25, 30, 40, 50, 60};

// How often each action comes, for the two kinds of competitor.
using Weights = std::array<std::pair<StageActionKind, int>, 14>;
constexpr Weights SteadyWeights = {{
    {StageActionKind::TypeRight, 400},
    {StageActionKind::TypeWrong, 5},
    {StageActionKind::Backspace, 1},
    {StageActionKind::Enter, 1},
    {StageActionKind::EditKey, 1},
    {StageActionKind::MoveBy, 6},
    {StageActionKind::MoveToFront, 1},
    {StageActionKind::RevisitAtLock, 8},
    {StageActionKind::AskFinish, 1},
    {StageActionKind::AskLeave, 1},
    {StageActionKind::RestoreDraft, 2},
    {StageActionKind::RestoreOwn, 1},
    {StageActionKind::RestoreMisfit, 1},
    {StageActionKind::ToggleTime, 2},
}};
constexpr Weights RestlessWeights = {{
    {StageActionKind::TypeRight, 40},
    {StageActionKind::TypeWrong, 8},
    {StageActionKind::Backspace, 6},
    {StageActionKind::Enter, 5},
    {StageActionKind::EditKey, 4},
    {StageActionKind::MoveBy, 8},
    {StageActionKind::MoveToFront, 5},
    {StageActionKind::RevisitAtLock, 3},
    {StageActionKind::AskFinish, 4},
    {StageActionKind::AskLeave, 5},
    {StageActionKind::RestoreDraft, 5},
    {StageActionKind::RestoreOwn, 2},
    {StageActionKind::RestoreMisfit, 1},
    {StageActionKind::ToggleTime, 3},
}};

StageActionKind pickKind(ScriptChoices& choices, const Weights& weights)
{
    int total = 0;
    for (const auto& [kind, weight] : weights)
        total += weight;
    int pick = choices.number(0, total - 1);
    for (const auto& [kind, weight] : weights) {
        if (pick < weight)
            return kind;
        pick -= weight;
    }
    return weights.front().first;
}

// What the generator believes of the attempt so far, to aim its pauses at the limits. The stage may
// have made something else of the actions; then a pause misses its limit, and the script is still one.
struct Progress
{
    qint64 ms = 0;
    qint64 countdownMs = 0;
    double restoredSeconds = 0.0;

    double usedSeconds() const { return double(std::max<qint64>(ms - countdownMs, 0)) / 1000.0 + restoredSeconds; }
};

qint64 aroundDigitLimit(ScriptChoices& choices, int spreadMs)
{
    return MaxDigitMs + choices.number(-spreadMs, spreadMs);
}

// A steady typist rarely runs out of time on a digit, so that cells live long enough to lock.
qint64 steadyWait(ScriptChoices& choices)
{
    const int kind = choices.number(0, 999);
    if (kind < 850)
        return choices.number(200, 4'000);
    if (kind < 975)
        return choices.number(4'000, 12'000);
    if (kind < 996)
        return MaxDigitMs + choices.number(-150, -1);
    return MaxDigitMs + choices.number(0, 3'000);
}

qint64 restlessWait(ScriptChoices& choices, const Progress& progress)
{
    const int kind = choices.number(0, 99);
    if (kind < 55)
        return choices.number(100, 4'000);
    if (kind < 70)
        return aroundDigitLimit(choices, 120);
    if (kind < 78)
        return aroundDigitLimit(choices, 2'000);
    if (kind < 84)
        return choices.number(4'000, 14'000);
    if (kind < 88)
        return choices.number(15'000, 60'000);
    if (kind < 92)
        return LockAfterMs + choices.number(-150, 150);
    if (kind < 95) {
        const double toLimit = MaxStageSeconds - progress.usedSeconds();
        return std::max<qint64>(qint64(toLimit * 1000.0) + choices.number(-3'000, 3'000), 0);
    }
    return choices.number(0, 100);
}

float restoredSeconds(ScriptChoices& choices, const Progress& progress)
{
    const int kind = choices.number(0, 99);
    double seconds = 0.0;
    if (kind < 35)
        seconds = choices.number(0, 12'000) / 100.0;
    else if (kind < 55)
        seconds = 600.0 + choices.number(-1'000, 1'000) / 100.0;
    else if (kind < 85)
        seconds = MaxStageSeconds - progress.usedSeconds() - choices.number(-300, 3'000) / 100.0;
    else
        seconds = choices.number(0, MaxStageSeconds * 100) / 100.0;
    return float(std::clamp(seconds, 0.0, double(MaxStageSeconds)));
}

std::vector<DraftCell> draftCells(ScriptChoices& choices)
{
    std::vector<DraftCell> cells(std::size_t(choices.number(0, 8)));
    for (DraftCell& cell : cells) {
        cell.frontOffset = choices.number(-12, 6);
        const int text = choices.number(0, 99);
        cell.text = text < 60 ? DraftText::Right : text < 85 ? DraftText::Wrong : DraftText::Empty;
    }
    return cells;
}

qint64 answerAfter(ScriptChoices& choices)
{
    const int kind = choices.number(0, 99);
    // Around whole seconds, where the box answers by itself.
    if (kind < 40)
        return std::max(choices.number(0, 5) * 1'000 + choices.number(-60, 60), 0);
    if (kind < 80)
        return choices.number(100, 4'000);
    return choices.number(4'000, 9'000);
}

StageAction mendingKey(ScriptChoices& choices)
{
    constexpr std::array Keys = {StageActionKind::TypeRight, StageActionKind::TypeWrong, StageActionKind::Backspace,
                                 StageActionKind::EditKey, StageActionKind::Enter};
    StageAction action;
    action.kind = Keys[std::size_t(choices.number(0, int(Keys.size()) - 1))];
    action.waitMs = choices.number(200, 1'500);
    return action;
}

int moveAmount(ScriptChoices& choices)
{
    const int kind = choices.number(0, 99);
    if (kind < 50)
        return -choices.number(1, 3);
    if (kind < 80)
        return -choices.number(4, 30);
    return choices.number(1, 10);
}

qint64 lockOffset(ScriptChoices& choices)
{
    const int kind = choices.number(0, 99);
    if (kind < 70)
        return choices.number(-150, 150);
    if (kind < 90)
        return choices.number(-3'000, 3'000);
    return choices.number(-20'000, 20'000);
}
} // namespace

StageScript generateStageScript(ScriptChoices& choices, const ScriptShape& shape)
{
    StageScript script;
    script.numberPosition = shape.numberPosition.value_or(choices.number(0, 2));
    const int columnPosition = choices.number(0, int(ColumnCounts.size()) - 1);
    script.digitsPerRow = shape.digitsPerRow.value_or(ColumnCounts[std::size_t(columnPosition)]);
    const int columnCountPosition =
        int(std::find(ColumnCounts.begin(), ColumnCounts.end(), script.digitsPerRow) - ColumnCounts.begin());
    const QStringList groups = groupCountEntries(columnCountPosition);
    script.groupSize = groups.isEmpty() ? 1 : groups.at(choices.number(0, int(groups.size()) - 1)).toInt();
    script.showStageTimer = choices.percent(70);
    script.cellTimerOn = choices.percent(50);
    script.concentrationSeconds =
        ConcentrationSeconds[std::size_t(choices.number(0, int(ConcentrationSeconds.size()) - 1))];
    // Now and then the attempt runs over midnight.
    const int start = choices.number(0, 99);
    script.clockStartSeconds = start < 20   ? 86'400.0 - choices.number(0, 360'000) / 100.0
                               : start < 30 ? choices.number(0, 8'639'999) / 100.0
                                            : 28'800.0 + choices.number(0, 3'600'000) / 100.0;

    const bool steady = choices.percent(40);
    const Weights& weights = steady ? SteadyWeights : RestlessWeights;
    const int actions = steady ? choices.number(std::min(150, shape.maxActions), shape.maxActions)
                               : choices.number(1, std::max(shape.maxActions / 3, 1));
    Progress progress;
    progress.countdownMs = qint64(script.concentrationSeconds) * 1000;
    for (int i = 0; i < actions && !choices.exhausted(); ++i) {
        StageAction action;
        action.kind = pickKind(choices, weights);
        const bool typing = action.kind == StageActionKind::TypeRight || action.kind == StageActionKind::TypeWrong;
        action.waitMs = !steady  ? restlessWait(choices, progress)
                        : typing ? steadyWait(choices)
                                 : choices.number(200, 1'500);
        switch (action.kind) {
        case StageActionKind::MoveBy:
            action.amount = moveAmount(choices);
            break;
        case StageActionKind::RevisitAtLock:
            action.waitMs = lockOffset(choices);
            action.amount = choices.number(0, 3);
            break;
        case StageActionKind::AskFinish:
        case StageActionKind::AskLeave:
            action.yes = choices.percent(steady ? 20 : 40);
            action.answerAfterMs = answerAfter(choices);
            break;
        case StageActionKind::RestoreDraft:
            action.cells = draftCells(choices);
            action.restoredSeconds = restoredSeconds(choices, progress);
            progress.restoredSeconds += action.restoredSeconds;
            break;
        default:
            break;
        }
        if (action.kind != StageActionKind::RevisitAtLock)
            progress.ms += action.waitMs;
        const bool leftTheFront =
            action.kind == StageActionKind::MoveBy || action.kind == StageActionKind::RevisitAtLock;
        script.actions.push_back(std::move(action));
        // A steady competitor who went back mends the cell and returns to the front within a few seconds.
        if (steady && leftTheFront) {
            script.actions.push_back(mendingKey(choices));
            StageAction back;
            back.kind = StageActionKind::MoveToFront;
            back.waitMs = choices.number(200, 1'500);
            script.actions.push_back(std::move(back));
        }
    }
    return script;
}
