// The end of a replayed attempt: what may end it, how it ended, and its score against the recorded one.
#include "journal/AttemptReplay.h"

#include "base/ClockText.h"
#include "journal/SheetTexts.h"
#include "results/Scoring.h"

#include <cmath>

void AttemptReplay::checkPendingEnd(int event, std::optional<EventKind> kind, std::optional<EndReason> reason)
{
    if (m_mustEndAfter) {
        if (kind != EventKind::End || reason != EndReason::WrongLockedDigit) {
            const std::size_t cell = m_wrongLockedCell;
            report(*m_mustEndAfter, ProblemKind::BrokenRule,
                   QStringLiteral("after this entry %1 was locked and held %2 instead of %3, which ends the attempt, "
                                  "but event %4 follows")
                       .arg(cellName(cell), quoted(m_result.answers[cell]), quoted(m_result.questions[cell]))
                       .arg(event));
        }
        m_mustEndAfter.reset();
    }
    if (m_previousBox && m_previousBox->answer == BoxAnswer::Yes) {
        const bool finishes = m_previousBox->kind == BoxKind::Finish
                                  ? reason == EndReason::Finish
                                  : reason == EndReason::Back || reason == EndReason::Cancel;
        if (kind != EventKind::End || !finishes)
            report(m_previousBox->event, ProblemKind::BrokenRule,
                   QStringLiteral("the box was answered Yes, but the attempt did not end there"));
    }
}

void AttemptReplay::applyEnd(int event, qint64 ms, EventFields& fields)
{
    const std::optional<EndReason> reason = endReasonNamed(fields.text(JournalKey::Reason));
    const double recordedUsed = fields.number(JournalKey::Used);
    const qint64 recordedScore = fields.integer(JournalKey::Score);
    if (!fields.ok())
        return;
    if (!reason) {
        report(event, ProblemKind::Altered, QStringLiteral("an end the program does not know"));
        return;
    }
    m_result.end = RecordedEnd{event, ms, *reason, recordedUsed, int(recordedScore)};
    m_ended = true;
    checkEndReason(event, ms, *reason);

    m_result.usedSeconds = inHundredths(recordedUsedSecondsAt(ms, true));
    if (std::abs(recordedUsed - m_result.usedSeconds) > UsedTimeToleranceSeconds)
        report(event, ProblemKind::Altered,
               QStringLiteral("the recorded used time %1 (%2 s) differs from the %3 (%4 s) of the journal's clock")
                   .arg(clockText(float(recordedUsed)), QString::number(recordedUsed, 'f', 2),
                        clockText(float(m_result.usedSeconds)), QString::number(m_result.usedSeconds, 'f', 2)));
}

void AttemptReplay::checkEndReason(int event, qint64 ms, EndReason reason)
{
    const bool confirmed = m_previousBox && m_previousBox->answer == BoxAnswer::Yes;
    const bool timeIsUp = m_countdownEndMs && stageTimeIsUpAtUsedSeconds(usedSecondsAt(ms) + AllowanceSeconds);
    switch (reason) {
    case EndReason::Finish:
        // A box that closes after the stage time ran out under it finishes the stage whatever its answer.
        if (!(confirmed && m_previousBox->kind == BoxKind::Finish) && !(m_previousBox && timeIsUp))
            report(event, ProblemKind::BrokenRule,
                   QStringLiteral("the attempt was finished without a confirmed FINISH"));
        break;
    case EndReason::Back:
    case EndReason::Cancel:
        if (!(confirmed && m_previousBox->kind == BoxKind::Leave))
            report(event, ProblemKind::BrokenRule, QStringLiteral("the attempt was left without a confirmation"));
        else if ((reason == EndReason::Back) != m_countdownEndMs.has_value())
            report(event, ProblemKind::BrokenRule,
                   reason == EndReason::Back ? QStringLiteral("BACK during the countdown, where only CANCEL is shown")
                                             : QStringLiteral("CANCEL after the countdown, where only BACK is shown"));
        break;
    case EndReason::StageTime:
        if (!timeIsUp)
            report(event, ProblemKind::BrokenRule,
                   QStringLiteral("the attempt was ended for the 8-hour limit at a used time of %1")
                       .arg(clockText(float(m_countdownEndMs ? usedSecondsAt(ms) : 0.0))));
        break;
    case EndReason::DigitTime:
        if (!m_lastNewDigitMs || !digitTimeIsUpAfterMs(ms - *m_lastNewDigitMs + TimingAllowanceMs))
            report(event, ProblemKind::BrokenRule,
                   m_lastNewDigitMs ? QStringLiteral("the attempt was ended for the per-digit limit %1 s after the "
                                                     "last new digit (event %2)")
                                          .arg(secondsText(ms - *m_lastNewDigitMs))
                                          .arg(m_lastNewDigitEvent)
                                    : QStringLiteral("the attempt was ended for the per-digit limit before any digit"));
        break;
    case EndReason::WrongLockedDigit:
        if (m_previousKind != EventKind::Edit || !m_perhapsWrongAtLastEdit)
            report(event, ProblemKind::BrokenRule,
                   QStringLiteral("the attempt was ended for a wrong locked digit, but no locked digit was wrong at "
                                  "the last entry"));
        break;
    }
    // The per-digit clock ticks every 10 ms and may tick late on a busy machine: the end it makes is never
    // too late for its own rule, as long as no new digit came after the limit.
    if (reason != EndReason::DigitTime)
        checkDigitClock(event, ms, std::nullopt);
    // A box asked before the limit may close after it, and the end follows its answer.
    const bool afterOpenBox =
        m_previousBox && m_countdownEndMs &&
        !stageTimeIsUpAtUsedSeconds(clockUsedSecondsAt(m_previousBox->askedMs) - AllowanceSeconds);
    checkStageClock(event, ms, afterOpenBox);
}

void AttemptReplay::finish()
{
    const SheetTexts questions(m_result.questions, m_result.rows, m_result.columns);
    const SheetTexts answers(m_result.answers, m_result.rows, m_result.columns);
    const Scoring scoring(questions, answers);
    m_result.score = scoring.score();
    m_result.correct.resize(m_result.questions.size());
    for (int row = 1; row <= m_result.rows; ++row) {
        for (int column = 1; column <= m_result.columns; ++column)
            m_result.correct[std::size_t(row - 1) * std::size_t(m_result.columns) + std::size_t(column - 1)] =
                scoring.isCorrect(row, column) ? 1 : 0;
    }
    for (const NewDigitGap& gap : m_result.gaps) {
        if (gap.gapMs > m_result.longestGapMs) {
            m_result.longestGapMs = gap.gapMs;
            m_result.longestGapDigit = gap.digitIndex;
        }
    }
    if (m_result.end) {
        if (m_result.end->score != m_result.score)
            report(m_result.end->event, ProblemKind::Altered,
                   QStringLiteral("the recorded score %1 differs from the score %2 of the answers")
                       .arg(m_result.end->score)
                       .arg(m_result.score));
    } else {
        const double used = m_countdownEndMs ? recordedUsedSecondsAt(m_lastMs) : 0.0;
        m_result.usedSeconds = inHundredths(used);
    }
}
