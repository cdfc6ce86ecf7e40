#pragma once

#include "journal/EventFields.h"
#include "journal/JournalFormat.h"
#include "journal/LockWatch.h"
#include "journal/VerificationResult.h"
#include "rules/AttemptRules.h"

#include <QJsonObject>

#include <optional>
#include <vector>

// Replays the events of a journal against the rules of the recall stage: entries only into cells of
// the sheet that are not locked, a new digit within 15 s of the previous one, nothing after the 8-hour
// limit, and the end at the first entry after which a locked digit is wrong. It rebuilds the answers
// and the history of every cell, and checks the recorded end against them.
//
// The rules are those the stage judged by (rules/AttemptRules.h). The journal's times come from a
// monotonic clock, the stage's from the time of day, and the stage looks at its clocks every 10 ms; a
// time rule counts as broken only when it is broken even with the journal's times moved
// TimingAllowanceMs in the attempt's favour.
class AttemptReplay final
{
public:
    static constexpr qint64 TimingAllowanceMs = 100;
    static constexpr double AllowanceSeconds = TimingAllowanceMs / 1000.0;
    // How far the recorded used time may lie from the journal's clock: the two clocks drift apart.
    static constexpr double UsedTimeToleranceSeconds = 1.0;

    // `result` already holds the header, the shape of the sheet and its question digits.
    explicit AttemptReplay(VerificationResult& result);

    // Events in order, after the start.
    void apply(int event, const QJsonObject& line);
    // After the last event: the score of the answers, and its comparison with the recorded end.
    void finish();

    const std::vector<JournalProblem>& problems() const { return m_problems; }

    // The answers and the used time as the last committed edit left them: what its draft save wrote.
    // No used time when nothing was committed.
    std::vector<QString> answersAtLastEdit() const;
    std::optional<double> usedSecondsAtLastEdit() const { return m_usedAtLastEdit; }

private:
    struct AnsweredBox
    {
        int event = 0;
        BoxKind kind = BoxKind::Finish;
        BoxAnswer answer = BoxAnswer::No;
        qint64 askedMs = 0;
    };

    void applyCountdownEnd(int event, qint64 ms);
    void applyEdit(int event, qint64 ms, EventFields& fields);
    void applyRestore(int event, qint64 ms, EventFields& fields);
    void applyBox(int event, qint64 ms, EventFields& fields);
    void applyEnd(int event, qint64 ms, EventFields& fields);
    void checkEndReason(int event, qint64 ms, EndReason reason);

    // The time rules every event is held to; `newDigit` names the new digit an edit brings.
    void checkDigitClock(int event, qint64 ms, std::optional<std::size_t> newDigit);
    void checkStageClock(int event, qint64 ms, bool mayFollowTheLimit);
    void checkPendingEnd(int event, std::optional<EventKind> kind, std::optional<EndReason> reason);

    void setText(std::size_t cell, const QString& text);
    void enterText(int event, qint64 ms, std::size_t cell);
    bool isWrong(std::size_t cell) const { return isWrongAnswer(m_result.answers[cell], m_result.questions[cell]); }
    // Used seconds of the stage at `ms`, counted as the stage counts them (countdownCountsAsUsed).
    double usedSecondsAt(qint64 ms, bool attemptEnds = false) const;
    // The used time recorded at `ms`: that of usedSecondsAt, at most the maximum.
    double recordedUsedSecondsAt(qint64 ms, bool attemptEnds = false) const;
    // The used seconds the stage clock holds against its limit: those of usedSecondsAt, except that a
    // restored draft that brought more than the time left brought the limit, at which the clock ends
    // the stage with its next tick.
    double clockUsedSecondsAt(qint64 ms) const;
    QString cellName(std::size_t cell) const;
    static QString secondsText(qint64 ms); // "15.20"
    static QString quoted(const QString& text);

    void report(int event, ProblemKind kind, const QString& message);

    VerificationResult& m_result;
    std::vector<JournalProblem> m_problems;
    // Locked for certain, and perhaps locked (within the timing allowance of the lock).
    LockWatch m_surelyLocked;
    LockWatch m_perhapsLocked;
    std::vector<int> m_lastEntryEvent;

    qint64 m_lastMs = 0;
    std::optional<qint64> m_countdownEndMs;
    double m_restoredSeconds = 0.0;
    double m_restoredWithinLimitSeconds = 0.0;
    int m_nextDigitIndex = NoDigitYet;
    std::optional<qint64> m_lastNewDigitMs;
    int m_lastNewDigitEvent = 0;
    bool m_digitClockReported = false;
    bool m_stageClockReported = false;
    bool m_ended = false;

    std::optional<EventKind> m_previousKind;
    std::optional<AnsweredBox> m_previousBox;
    // The edit after which a locked wrong digit must end the attempt, and that digit.
    std::optional<int> m_mustEndAfter;
    std::size_t m_wrongLockedCell = 0;
    bool m_perhapsWrongAtLastEdit = false;

    // Cells that restores changed since the last edit, with their texts before, oldest first.
    std::vector<std::pair<std::size_t, QString>> m_changedSinceLastEdit;
    std::optional<double> m_usedAtLastEdit;
};
