#include "RecallStageDriver.h"

#include "digits/SpecialNumbers.h"
#include "results/Scoring.h"
#include "stage/CellEditorRules.h"
#include "stage/EntryRules.h"
#include "stage/RunningAttempt.h"
#include "stage/StageClocks.h"

#include <QFile>

#include <cmath>

namespace {
constexpr qint64 TickMs = 10;
} // namespace

RecallStageDriver::RecallStageDriver(const StageScript& script, int draftNumber)
    : m_clockStartSeconds(script.clockStartSeconds),
      m_digits(digitsForResourceKey(resourceKeyForPosition(script.numberPosition))), m_clock(readingAt(0)),
      m_attempt([&] {
          StageSettings settings;
          settings.digitsPerRow = script.digitsPerRow;
          settings.groupSize = script.groupSize;
          settings.showStageTimer = script.showStageTimer;
          settings.concentrationSeconds = script.concentrationSeconds;
          settings.cellTimerOn = script.cellTimerOn;
          const DigitSource source{script.numberPosition, specialNumberEntries().value(script.numberPosition),
                                   m_digits};
          return std::make_unique<RunningAttempt>(settings, source, draftNumber, m_clock);
      }()),
      m_state(m_attempt->state())
{
    m_lastEntryMs.assign(std::size_t(rowCount()) * std::size_t(columnCount()), -1);
}

const AnswerSheet& RecallStageDriver::sheet() const
{
    return m_attempt->sheet();
}

RecallStageDriver::~RecallStageDriver() = default;

float RecallStageDriver::readingAt(qint64 ms) const
{
    return float(std::fmod(m_clockStartSeconds + double(ms) / 1000.0, double(SecondsPerDay)));
}

void RecallStageDriver::setNow(qint64 ms)
{
    m_nowMs = ms;
    m_clock.set(readingAt(ms));
}

void RecallStageDriver::open()
{
    if (m_opened || m_state.ended)
        return;
    m_attempt->startCountdown();
    m_trmConcentration = {true, m_nowMs};
    m_opened = true;
}

// Each of the three clocks decides once (the countdown ends, the stage time or the digit time is up), and
// whether a tick decides depends only on its time: the first deciding tick is found by bisection.
template <typename Decides>
std::optional<qint64> RecallStageDriver::firstDecidingTick(const Timer& timer, qint64 limitMs,
                                                           const Decides& decides) const
{
    if (!timer.active || limitMs <= m_nowMs)
        return std::nullopt;
    qint64 first = (m_nowMs - timer.startMs) / TickMs + 1;
    qint64 last = (limitMs - timer.startMs) / TickMs;
    const auto decidesAt = [&](qint64 tick) {
        StageState copy = m_state;
        return decides(copy, readingAt(timer.startMs + tick * TickMs));
    };
    if (first > last || !decidesAt(last))
        return std::nullopt;
    while (first < last) {
        const qint64 middle = first + (last - first) / 2;
        if (decidesAt(middle))
            last = middle;
        else
            first = middle + 1;
    }
    return timer.startMs + first * TickMs;
}

// The stage clock redraws the time display on its ticks, and what it keeps for the display decides how
// long a confirmation box waits: the last ticks before `ms` run as they would.
void RecallStageDriver::stageTicksBefore(qint64 ms)
{
    if (!m_trmSure.active)
        return;
    const qint64 last = (ms - m_trmSure.startMs) / TickMs;
    const qint64 first = std::max((m_nowMs - m_trmSure.startMs) / TickMs + 1, last - 1);
    for (qint64 tick = first; tick <= last && m_trmSure.active && !m_state.ended; ++tick) {
        setNow(m_trmSure.startMs + tick * TickMs);
        stageTick();
    }
}

void RecallStageDriver::runClocksTo(qint64 ms)
{
    while (!m_state.ended) {
        const auto countdownEnds = firstDecidingTick(m_trmConcentration, ms, [](StageState& state, float now) {
            return ::concentrationTick(state, now).finished;
        });
        const bool boxOpen = m_attempt->isBoxOpen();
        const auto stageTimeEnds = firstDecidingTick(m_trmSure, ms, [boxOpen](StageState& state, float now) {
            return ::stageTick(state, now, boxOpen).stopClock;
        });
        const auto digitTimeEnds = firstDecidingTick(
            m_trmEdit, ms, [](StageState& state, float now) { return ::digitTick(state, now).finish; });
        std::optional<qint64> next;
        for (const auto& at : {countdownEnds, stageTimeEnds, digitTimeEnds}) {
            if (at && (!next || *at < *next))
                next = at;
        }
        if (!next)
            break;
        stageTicksBefore(*next - 1);
        setNow(*next);
        // Timers due at the same moment tick in the order the window made them.
        if (countdownEnds == next)
            concentrationTick();
        if (stageTimeEnds == next)
            stageTick();
        if (digitTimeEnds == next)
            digitTick();
    }
    if (m_state.ended || ms <= m_nowMs)
        return;
    stageTicksBefore(ms);
    setNow(ms);
}

void RecallStageDriver::concentrationTick()
{
    if (m_state.ended || !m_trmConcentration.active)
        return;
    const ConcentrationFrame frame = m_attempt->concentrationTick();
    if (frame.finished) {
        m_trmConcentration.active = false;
        m_trmSure = {true, m_nowMs};
    }
}

void RecallStageDriver::stageTick()
{
    if (m_state.ended || !m_trmSure.active)
        return;
    const StageFrame frame = m_attempt->stageTick();
    if (frame.stopClock)
        m_trmSure.active = false;
    if (frame.finish)
        finishStage(EndReason::StageTime);
}

void RecallStageDriver::digitTick()
{
    if (m_state.ended || !m_trmEdit.active)
        return;
    const DigitFrame frame = m_attempt->digitTick();
    if (frame.finish) {
        m_trmEdit.active = false;
        finishStage(EndReason::DigitTime);
    }
}

// AnswerGrid::edit asks the stage before an editor opens: a locked cell stays closed.
bool RecallStageDriver::beforeEdit(GridCell cell)
{
    if (!m_attempt->mayOpen(cell.row, cell.column)) {
        ++m_refusedOpenings;
        return false;
    }
    m_editor = Editor{cell, sheet().cellText(cell.row, cell.column), true};
    return true;
}

void RecallStageDriver::typeDigit(QChar digit)
{
    if (m_state.ended || (!m_editor && !beforeEdit(m_current)))
        return;
    // The editor holds one character; a second one bounces off unless it replaces a selected text.
    if (!m_editor->selected && !m_editor->text.isEmpty())
        return;
    m_editor->text = QString(digit);
    m_editor->selected = false;
    // The cursor moves on as soon as the editor holds a character, which ends the edit.
    if (const auto next = cellAfterTyping(m_editor->cell, rowCount(), columnCount()))
        moveTo(*next);
}

void RecallStageDriver::pressBackspace()
{
    if (m_state.ended || (!m_editor && !beforeEdit(m_current)))
        return;
    m_editor->text.clear();
    m_editor->selected = false;
}

void RecallStageDriver::pressEnter()
{
    if (!m_state.ended && m_editor)
        commitEditor();
}

void RecallStageDriver::pressEditKey()
{
    if (!m_state.ended && !m_editor)
        beforeEdit(m_current);
}

void RecallStageDriver::moveTo(GridCell cell)
{
    if (m_state.ended || cell == m_current)
        return;
    // Another current cell commits the open edit first.
    if (m_editor)
        commitEditor();
    m_current = cell;
}

void RecallStageDriver::commitEditor()
{
    const Editor editor = *m_editor;
    m_editor.reset();
    m_attempt->enterText(editor.cell.row, editor.cell.column, editor.text);
    afterEdit(editor.cell);
}

void RecallStageDriver::afterEdit(GridCell cell)
{
    if (m_state.ended)
        return;
    const bool hadStamp = sheet().hasStamp(cell.row, cell.column);
    const float stampBefore = sheet().stamp(cell.row, cell.column);
    const RunningAttempt::EditOutcome outcome = m_attempt->editEnded(cell.row, cell.column);
    if (sheet().hasStamp(cell.row, cell.column) && (!hadStamp || sheet().stamp(cell.row, cell.column) != stampBefore))
        m_lastEntryMs[std::size_t(sheet().digitIndex(cell.row, cell.column) - 1)] = m_nowMs;
    if (outcome.restartDigitClock)
        m_trmEdit = {true, m_nowMs};
    if (outcome.finishStage) {
        m_trmEdit.active = false;
        finishStage(EndReason::WrongLockedDigit);
    }
}

void RecallStageDriver::askFinish(bool userSaysYes, qint64 userAnswersAfterMs)
{
    // FINISH shows once the recall has begun.
    if (m_state.recallStarted)
        confirm(BoxKind::Finish, userSaysYes, userAnswersAfterMs);
}

void RecallStageDriver::askLeave(bool userSaysYes, qint64 userAnswersAfterMs)
{
    confirm(BoxKind::Leave, userSaysYes, userAnswersAfterMs);
}

// askConfirmation and the two confirm handlers of the window, with the modal box's own countdown: it
// answers No by itself after answerDelaySeconds, counted in whole seconds from when it shows.
void RecallStageDriver::confirm(BoxKind kind, bool userSaysYes, qint64 userAnswersAfterMs)
{
    if (m_state.ended)
        return;
    // Pressing a button takes the focus from an open editor, which ends its edit.
    if (m_editor)
        commitEditor();
    if (m_state.ended)
        return;
    m_attempt->boxAsked(kind);
    const qint64 delayMs = qint64(m_attempt->answerDelaySeconds()) * 1000;
    const bool byItself = delayMs > 0 && userAnswersAfterMs >= delayMs;
    runClocksTo(m_nowMs + (byItself ? delayMs : userAnswersAfterMs));
    // A clock that ended the stage under the box closed it; the attempt told the journal so.
    if (m_state.ended)
        return;
    const bool yes = userSaysYes && !byItself;
    m_attempt->boxAnswered(yes ? BoxAnswer::Yes : BoxAnswer::No, byItself ? AnsweredBy::Countdown : AnsweredBy::User);
    if (yes && kind == BoxKind::Finish)
        finishStage(EndReason::Finish);
    else if (yes)
        leaveStage(m_state.recallStarted ? EndReason::Back : EndReason::Cancel);
    else if (m_attempt->stageTimeIsUp())
        finishStage(EndReason::StageTime);
}

bool RecallStageDriver::restoreDraft()
{
    if (m_state.ended)
        return false;
    // The access-code prompt takes the focus from an open editor.
    if (m_editor)
        commitEditor();
    return !m_state.ended && !m_attempt->restoreDraft();
}

void RecallStageDriver::clickTimeDisplay()
{
    if (!m_state.ended)
        m_attempt->toggleCountDown();
}

void RecallStageDriver::finishStage(EndReason reason)
{
    if (m_state.ended)
        return;
    m_trmConcentration.active = m_trmSure.active = m_trmEdit.active = false;
    // An open editor closes unruled; its text never reaches the attempt.
    m_editor.reset();
    m_attempt->end();
    m_attempt->finish(reason);
    const AttemptOutcome outcome = m_attempt->outcome();
    noteEnding(reason, outcome.usedSeconds, outcome.score);
}

void RecallStageDriver::leaveStage(EndReason reason)
{
    m_trmConcentration.active = m_trmSure.active = m_trmEdit.active = false;
    m_editor.reset();
    m_attempt->end();
    m_attempt->leave(reason);
    noteEnding(reason, std::nullopt, Scoring(m_attempt->AttemptRecord().questions(), sheet()).score());
}

void RecallStageDriver::noteEnding(EndReason reason, std::optional<double> usedSeconds, int score)
{
    Ending ending;
    ending.reason = reason;
    ending.score = score;
    ending.usedSeconds = usedSeconds;
    ending.answers = sheet().texts();
    ending.locked.reserve(ending.answers.size());
    for (int row = 1; row <= rowCount(); ++row) {
        for (int column = 1; column <= columnCount(); ++column)
            ending.locked.push_back(
                isCellLocked(sheet(), row, column, m_state.lockAfterSeconds, m_clock.seconds()) ? 1 : 0);
    }
    m_ending = std::move(ending);
}

QByteArray RecallStageDriver::ownDraft() const
{
    m_attempt->waitForPendingWrite();
    QFile file(m_attempt->draftPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString RecallStageDriver::journalPath() const
{
    return m_attempt->journalPath();
}

QString RecallStageDriver::draftPath() const
{
    return m_attempt->draftPath();
}

QByteArray RecallStageDriver::seal() const
{
    return m_attempt->evidence().seal;
}
