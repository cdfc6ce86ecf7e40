#include "journal/AttemptReplay.h"

#include "base/ClockText.h"
#include "journal/SheetTexts.h"
#include "results/Scoring.h"

#include <algorithm>
#include <cmath>

namespace {
void addToRuns(std::vector<CellRun>& runs, std::size_t cell)
{
    if (!runs.empty() && runs.back().last + 1 == cell)
        runs.back().last = cell;
    else
        runs.push_back({cell, cell});
}
} // namespace

AttemptReplay::AttemptReplay(VerificationResult& result)
    : m_result(result), m_surelyLocked(-TimingAllowanceMs, result.questions.size()),
      m_perhapsLocked(TimingAllowanceMs, result.questions.size()), m_lastEntryEvent(result.questions.size(), 0)
{
    m_result.answers.assign(result.questions.size(), QString());
    m_result.cells.assign(result.questions.size(), CellHistory{});
}

QString AttemptReplay::secondsText(qint64 ms)
{
    return QString::number(double(ms) / 1000.0, 'f', 2);
}

QString AttemptReplay::quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

void AttemptReplay::report(int event, ProblemKind kind, const QString& message)
{
    m_problems.push_back({event, kind, QStringLiteral("event %1: ").arg(event) + message});
}

void AttemptReplay::apply(int event, const QJsonObject& line)
{
    EventFields fields(line);
    const std::optional<EventKind> kind = eventKindNamed(fields.text(JournalKey::Event));
    const qint64 ms = fields.integer(JournalKey::Ms);
    if (!fields.ok() || !kind) {
        report(event, ProblemKind::Altered,
               fields.ok()
                   ? QStringLiteral("unknown kind of event %1").arg(quoted(line.value(JournalKey::Event).toString()))
                   : fields.problem());
        return;
    }
    if (m_ended) {
        report(event, ProblemKind::Altered, QStringLiteral("it follows the end of the attempt"));
        m_ended = false; // said once; what follows is replayed as if the end had not come
    }
    if (ms < m_lastMs)
        report(event, ProblemKind::Altered,
               QStringLiteral("its time %1 s lies before the time %2 s of the event before")
                   .arg(secondsText(ms), secondsText(m_lastMs)));
    m_lastMs = std::max(m_lastMs, ms);

    std::optional<EndReason> endReason;
    if (*kind == EventKind::End)
        endReason = endReasonNamed(line.value(JournalKey::Reason).toString());
    checkPendingEnd(event, kind, endReason);

    switch (*kind) {
    case EventKind::Start:
        report(event, ProblemKind::Altered, QStringLiteral("a second start"));
        break;
    case EventKind::CountdownEnd:
        applyCountdownEnd(event, ms);
        break;
    case EventKind::Edit:
        applyEdit(event, ms, fields);
        break;
    case EventKind::Restore:
        applyRestore(event, ms, fields);
        break;
    case EventKind::Box:
        applyBox(event, ms, fields);
        break;
    case EventKind::TimeDisplay:
        fields.boolean(JournalKey::CountDown);
        checkDigitClock(event, ms, std::nullopt);
        checkStageClock(event, ms, false);
        break;
    case EventKind::End:
        applyEnd(event, ms, fields);
        break;
    }
    if (!fields.ok())
        report(event, ProblemKind::Altered, fields.problem());
    m_previousKind = kind;
    if (*kind != EventKind::Box)
        m_previousBox.reset();
}

void AttemptReplay::applyCountdownEnd(int event, qint64 ms)
{
    if (m_countdownEndMs) {
        report(event, ProblemKind::Altered, QStringLiteral("a second end of the countdown"));
        return;
    }
    const qint64 countdownMs = qint64(m_result.header.settings.concentrationSeconds) * 1000;
    if (ms < countdownMs - TimingAllowanceMs)
        report(event, ProblemKind::BrokenRule,
               QStringLiteral("the countdown of %1 s ended after %2 s").arg(countdownMs / 1000).arg(secondsText(ms)));
    checkDigitClock(event, ms, std::nullopt);
    m_countdownEndMs = ms;
}

void AttemptReplay::applyEdit(int event, qint64 ms, EventFields& fields)
{
    const qint64 row = fields.integer(JournalKey::Row);
    const qint64 column = fields.integer(JournalKey::Column);
    const QString oldText = fields.text(JournalKey::Old);
    const QString newText = fields.text(JournalKey::New);
    const qint64 openedMs = fields.has(JournalKey::Opened) ? fields.integer(JournalKey::Opened) : ms;
    if (!fields.ok())
        return;
    if (row < 1 || row > m_result.rows || column < 1 || column > m_result.columns) {
        report(event, ProblemKind::BrokenRule,
               QStringLiteral("row %1, column %2 lies outside the answer sheet of %3 rows and %4 columns")
                   .arg(row)
                   .arg(column)
                   .arg(m_result.rows)
                   .arg(m_result.columns));
        return;
    }
    const std::size_t cell = std::size_t(row - 1) * std::size_t(m_result.columns) + std::size_t(column - 1);
    const int digitIndex = int(cell) + 1;
    if (isEntry(newText) && !isDigitText(newText))
        report(event, ProblemKind::BrokenRule,
               QStringLiteral("%1 entered into %2 is not a digit").arg(quoted(newText), cellName(cell)));
    if (oldText != m_result.answers[cell])
        report(event, ProblemKind::Altered,
               QStringLiteral("%1 held %2, not %3 as the event says")
                   .arg(cellName(cell), quoted(m_result.answers[cell]), quoted(oldText)));

    CellHistory& history = m_result.cells[cell];
    if (history.lastEntryMs >= 0) {
        const qint64 age = openedMs - history.lastEntryMs;
        if (isLockedAtAgeMs(age - TimingAllowanceMs))
            report(event, ProblemKind::BrokenRule,
                   QStringLiteral("%1 was changed %2 s after its last entry (event %3), when it was locked")
                       .arg(cellName(cell), secondsText(age))
                       .arg(m_lastEntryEvent[cell]));
    }

    const bool newDigit = isNewDigit(newText, digitIndex, m_nextDigitIndex);
    checkDigitClock(event, ms, newDigit ? std::optional<std::size_t>(cell) : std::nullopt);
    checkStageClock(event, ms, false);

    if (!m_result.answers[cell].isEmpty() && newText != m_result.answers[cell]) {
        ++history.corrections;
        m_result.corrections.push_back({event, ms, int(row), int(column), m_result.answers[cell], newText});
    }
    if (newText != m_result.answers[cell]) {
        history.lastChangeMs = ms;
        history.restored = false;
    }
    setText(cell, newText);
    if (isEntry(newText))
        enterText(event, ms, cell);
    if (newDigit) {
        if (m_lastNewDigitMs) {
            history.gapBeforeMs = ms - *m_lastNewDigitMs;
            m_result.gaps.push_back({digitIndex, event, history.gapBeforeMs});
        }
        m_nextDigitIndex = nextDigitIndexAfter(digitIndex);
        m_lastNewDigitMs = ms;
        m_lastNewDigitEvent = event;
    }

    // The locked-digit rule runs after every ended edit, an emptied cell included.
    const auto wrong = [this](std::size_t index) { return isWrong(index); };
    m_surelyLocked.advanceTo(ms, wrong);
    m_perhapsLocked.advanceTo(ms, wrong);
    m_perhapsWrongAtLastEdit = m_perhapsLocked.hasWrongLockedCell();
    if (m_surelyLocked.hasWrongLockedCell()) {
        m_mustEndAfter = event;
        m_wrongLockedCell = m_surelyLocked.firstWrongLockedCell();
    }
    m_changedSinceLastEdit.clear();
    m_usedAtLastEdit = inHundredths(recordedUsedSecondsAt(ms));
}

void AttemptReplay::applyRestore(int event, qint64 ms, EventFields& fields)
{
    const QString draftSha256 = fields.text(JournalKey::DraftSha256);
    const QJsonArray cells = fields.array(JournalKey::Cells);
    const double added = fields.number(JournalKey::Added);
    if (!fields.ok())
        return;
    checkDigitClock(event, ms, std::nullopt);
    checkStageClock(event, ms, false);
    RestoreEntry entry;
    for (const QJsonValue& value : cells) {
        const QJsonArray change = value.toArray();
        const bool wellFormed = change.size() == 4 && isWholeNumber(change.at(0)) && isWholeNumber(change.at(1)) &&
                                change.at(2).isString() && change.at(3).isString();
        const qint64 row = change.at(0).toInteger();
        const qint64 column = change.at(1).toInteger();
        if (!wellFormed || row < 1 || row > m_result.rows || column < 1 || column > m_result.columns) {
            report(event, ProblemKind::Altered, QStringLiteral("a changed cell that is not a cell of the sheet"));
            continue;
        }
        const std::size_t cell = std::size_t(row - 1) * std::size_t(m_result.columns) + std::size_t(column - 1);
        const QString oldText = change.at(2).toString();
        const QString newText = change.at(3).toString();
        if (oldText != m_result.answers[cell])
            report(event, ProblemKind::Altered,
                   QStringLiteral("%1 held %2, not %3 as the restore says")
                       .arg(cellName(cell), quoted(m_result.answers[cell]), quoted(oldText)));
        // The program refuses a draft that holds anything else, so it never writes one.
        if (isEntry(newText) && !isDigitText(newText))
            report(event, ProblemKind::Altered,
                   QStringLiteral("%1 restored into %2 is not a digit").arg(quoted(newText), cellName(cell)));
        // Read from the sheet as replayed, not from the event's own list of them.
        if (!m_result.answers[cell].isEmpty() && !newText.isEmpty() && newText != m_result.answers[cell])
            entry.overwritten.push_back({event, ms, int(row), int(column), m_result.answers[cell], newText});
        addToRuns(entry.cellRuns, cell);
        m_changedSinceLastEdit.emplace_back(cell, m_result.answers[cell]);
        setText(cell, newText);
        m_result.cells[cell].lastChangeMs = ms;
        m_result.cells[cell].restored = !newText.isEmpty();
        ++entry.cellsChanged;
    }
    if (added < 0.0)
        report(event, ProblemKind::Altered, QStringLiteral("a restored draft cannot bring a negative used time"));
    const double timeLeft = std::max(MaxStageSeconds - clockUsedSecondsAt(ms), 0.0);
    m_restoredWithinLimitSeconds += std::min(std::max(added, 0.0), timeLeft);
    m_restoredSeconds += std::max(added, 0.0);
    entry.event = event;
    entry.ms = ms;
    entry.draftSha256 = draftSha256;
    entry.addedSeconds = added;
    // Written by later versions of the program; a journal without them reads as before.
    if (fields.has(JournalKey::Draft))
        entry.draftNumber = int(fields.integer(JournalKey::Draft));
    if (fields.has(JournalKey::DraftSeal))
        entry.draftSeal = fields.text(JournalKey::DraftSeal);
    if (!cells.isEmpty()) {
        const QJsonArray first = cells.first().toArray();
        const QJsonArray last = cells.last().toArray();
        entry.firstCell = {first.at(0).toInt(), first.at(1).toInt()};
        entry.lastCell = {last.at(0).toInt(), last.at(1).toInt()};
    }
    m_result.restores.push_back(entry);
}

void AttemptReplay::applyBox(int event, qint64 ms, EventFields& fields)
{
    const std::optional<BoxKind> kind = boxKindNamed(fields.text(JournalKey::Box));
    const std::optional<BoxAnswer> answer = boxAnswerNamed(fields.text(JournalKey::Answer));
    const std::optional<AnsweredBy> by = answeredByNamed(fields.text(JournalKey::By));
    const qint64 askedMs = fields.integer(JournalKey::Asked);
    if (!fields.ok())
        return;
    if (!kind || !answer || !by) {
        report(event, ProblemKind::Altered, QStringLiteral("a box, answer or answerer the program does not know"));
        return;
    }
    if (askedMs > ms || askedMs < 0)
        report(event, ProblemKind::Altered, QStringLiteral("the box was answered before it was asked"));
    if (*by == AnsweredBy::Countdown && *answer == BoxAnswer::Yes)
        report(event, ProblemKind::BrokenRule, QStringLiteral("a box that answers by itself answers No"));
    if (*kind == BoxKind::Finish && !m_countdownEndMs)
        report(event, ProblemKind::BrokenRule, QStringLiteral("FINISH was asked before the recall began"));
    checkDigitClock(event, ms, std::nullopt);
    // The stage clock does not end the stage under an open box: a box asked in time may close after the limit.
    checkStageClock(event, askedMs, false);
    m_previousBox = AnsweredBox{event, *kind, *answer, askedMs};
}

void AttemptReplay::checkDigitClock(int event, qint64 ms, std::optional<std::size_t> newDigit)
{
    // The per-digit clock starts with the first digit and ends the stage 15 s after the latest new one.
    if (!m_lastNewDigitMs || m_digitClockReported)
        return;
    const qint64 gap = ms - *m_lastNewDigitMs;
    if (!digitTimeIsUpAfterMs(gap - TimingAllowanceMs))
        return;
    m_digitClockReported = true;
    if (newDigit)
        report(
            event, ProblemKind::BrokenRule,
            QStringLiteral("the new digit in %1 came %2 s after the previous new digit (event %3); the limit is %4 s")
                .arg(cellName(*newDigit), secondsText(gap))
                .arg(m_lastNewDigitEvent)
                .arg(MaxDigitMs / 1000));
    else
        report(event, ProblemKind::BrokenRule,
               QStringLiteral("it came %1 s after the last new digit (event %2); the attempt ends after %3 s")
                   .arg(secondsText(gap))
                   .arg(m_lastNewDigitEvent)
                   .arg(MaxDigitMs / 1000));
}

void AttemptReplay::checkStageClock(int event, qint64 ms, bool mayFollowTheLimit)
{
    if (!m_countdownEndMs || m_stageClockReported || mayFollowTheLimit)
        return;
    const double used = clockUsedSecondsAt(ms);
    if (!stageTimeIsUpAtUsedSeconds(used - AllowanceSeconds))
        return;
    m_stageClockReported = true;
    report(event, ProblemKind::BrokenRule,
           QStringLiteral("it came at a used time of %1, after the 8-hour limit").arg(clockText(float(used))));
}

void AttemptReplay::setText(std::size_t cell, const QString& text)
{
    m_result.answers[cell] = text;
    const bool wrong = isWrong(cell);
    m_surelyLocked.textChanged(cell, wrong);
    m_perhapsLocked.textChanged(cell, wrong);
}

void AttemptReplay::enterText(int event, qint64 ms, std::size_t cell)
{
    CellHistory& history = m_result.cells[cell];
    if (history.firstEntryMs < 0)
        history.firstEntryMs = ms;
    history.lastEntryMs = ms;
    m_lastEntryEvent[cell] = event;
    m_surelyLocked.entered(cell, ms);
    m_perhapsLocked.entered(cell, ms);
}

double AttemptReplay::usedSecondsAt(qint64 ms, bool attemptEnds) const
{
    // The journal's times count from the start of the countdown.
    const qint64 countedFrom = m_countdownEndMs.value_or(countdownCountsAsUsed(attemptEnds) ? 0 : ms);
    return double(ms - countedFrom) / 1000.0 + m_restoredSeconds;
}

double AttemptReplay::recordedUsedSecondsAt(qint64 ms, bool attemptEnds) const
{
    return cappedUsedSeconds(usedSecondsAt(ms, attemptEnds));
}

double AttemptReplay::clockUsedSecondsAt(qint64 ms) const
{
    return double(ms - m_countdownEndMs.value_or(ms)) / 1000.0 + m_restoredWithinLimitSeconds;
}

QString AttemptReplay::cellName(std::size_t cell) const
{
    const std::size_t columns = std::size_t(std::max(m_result.columns, 1));
    return QStringLiteral("the cell in row %1, column %2").arg(cell / columns + 1).arg(cell % columns + 1);
}

std::vector<QString> AttemptReplay::answersAtLastEdit() const
{
    std::vector<QString> answers = m_result.answers;
    for (auto change = m_changedSinceLastEdit.rbegin(); change != m_changedSinceLastEdit.rend(); ++change)
        answers[change->first] = change->second;
    return answers;
}
