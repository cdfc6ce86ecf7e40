#pragma once

#include "files/DraftWriter.h"
#include "journal/AttemptJournal.h"
#include "stage/LockedDigitCheck.h"
#include "stage/StageState.h"

#include <QObject>
#include <QString>

#include <optional>
#include <utility>

class AnswerSheet;
class AttemptRecordDocument;
class Clock;

// The number an attempt recalls: its position in the type list, the list's text and its digits.
struct DigitSource
{
    int position = 0;
    QString caption;
    QString digits;
};

// What an arbiter needs of a finished attempt: its journal and the journal's seal.
struct AttemptEvidence
{
    int draftNumber = 0;
    QString journalPath;
    QByteArray seal;
};

// The attempt running on the recall stage, and the one owner of what it keeps: the stage state, the
// attempt record, the draft file and its writer, the attempt's journal, and the used time restored
// from drafts. Every event the stage hands over is also written to the journal. The stage
// window hands it what happened (an ended edit, a restore, the recall starting, the end) and shows what
// it reports, so a keystroke's way runs from the window through here to the disk and never back.
//
// Everything here runs on the user-interface thread. The draft writer is given the record's changes and
// keeps a copy of its own, so the record is never shared with the writer's thread.
class RunningAttempt final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RunningAttempt)

public:
    // Builds `record` anew from the whole rows of the source's digits; its draft and its journal go to
    // the files of `draftNumber` in the program directory. `record` and `clock` must outlive this object.
    RunningAttempt(const StageSettings& settings, const DigitSource& source, int draftNumber,
                   AttemptRecordDocument& record, const Clock& clock, QObject* parent = nullptr);
    // Waits for the last draft to be on disk.
    ~RunningAttempt() override;

    // A number whose draft does not exist yet, drawn from a generator seeded with the clock: each stage
    // draws its own, and no earlier draft is overwritten.
    static int chooseDraftNumber(const Clock& clock);
    static QString draftFileName(int draftNumber);

    StageState& state() { return m_state; }
    const StageState& state() const { return m_state; }
    const AttemptRecordDocument& record() const { return m_record; }
    QString draftPath() const { return m_draftPath; }
    QString journalPath() const { return m_journalPath; }
    AttemptEvidence evidence() const { return {m_state.draftNumber, m_journalPath, m_journal.seal()}; }
    bool isDraftWriteIdle() const { return m_writer.isIdle(); }

    struct EditOutcome
    {
        // A digit at or beyond every earlier one: remove the per-digit bars and restart the per-digit clock.
        bool restartDigitClock = false;
        // A locked digit is wrong: stop the per-digit clock and finish the stage.
        bool finishStage = false;
    };
    // The concentration countdown starts: the journal's first event, the zero of its times.
    void countdownStarted();
    // The editor of (row, column) opened: its lock was judged now.
    void editOpened(int row, int column);
    // An edit of (row, column) ended, its text already in `sheet`: the entry is stamped, the draft
    // saved and the locked-digit rule run.
    EditOutcome editEnded(AnswerSheet& sheet, int row, int column);
    // A confirmation box is asked, and how it was answered.
    void boxAsked(BoxKind kind);
    void boxAnswered(BoxAnswer answer, AnsweredBy by);
    // The time display switches between counting down and up.
    void toggleCountDown();

    // Brings the record up to date with `sheet` (stageSeconds becomes the used time) and hands the
    // changes to the writer; returns without waiting for the disk, unless the attempt has ended.
    void saveDraft(const AnswerSheet& sheet);

    // Replaces the record with draft_record.xml when it holds `rows` x `columns` cells and a readable
    // used time; otherwise nothing changes and the reason is returned. The restored used time moves the
    // stage clock back, or during the countdown is kept until the recall starts, so the countdown stays
    // as long as it was. Nothing is restored once the attempt has ended.
    std::optional<QString> restoreDraft(int rows, int columns);
    // Used seconds of drafts restored during the countdown, not yet given to the stage clock.
    float pendingRestoredSeconds() const { return m_pendingRestoredSeconds; }

    // The countdown is over and stageStartTime was set to this moment: the stage clock counts on from
    // the restored time.
    void startRecall();

    // The attempt is over: no draft is restored any more, and the pending draft is written.
    void end();
    // Ends the attempt and records it a last time from `sheet`; stageSeconds becomes the used time.
    // The journal ends with `reason`, the used time and the score.
    void finish(const AnswerSheet& sheet, EndReason reason);
    // Ends an abandoned attempt (BACK or CANCEL); the journal ends with the answers of `sheet` scored.
    void leave(const AnswerSheet& sheet, EndReason reason);

    // Blocks until the last submitted draft is on disk; its outcome is reported before this returns.
    void waitForPendingWrite();

signals:
    // The outcome of the newest draft write; `error` says why it failed.
    void draftWritten(bool ok, const QString& error);
    // The outcome of the newest journal append.
    void journalWritten(bool ok, const QString& error);

private:
    // The reading the used time is measured from: the start of the recall moved back by every restored
    // time. Before the recall the countdown counts only when the attempt ends under it.
    float usedTimeOrigin(float now, bool ending) const;
    void startJournalIfNeeded();
    qint64 journalMs() const;
    void writeJournal(const QByteArray& line);
    void endJournal(EndReason reason, float usedSeconds, int score);

    StageState m_state;
    AttemptRecordDocument& m_record;
    const Clock& m_clock;
    QString m_draftPath;
    QString m_journalPath;
    DigitSource m_source;
    AttemptJournal m_journal;
    float m_journalStart = 0.0f;
    // The cell whose editor is open and when it opened; the box that is open and when it was asked.
    std::optional<std::pair<int, int>> m_openedCell;
    qint64 m_openedMs = 0;
    std::optional<BoxKind> m_openBox;
    qint64 m_boxAskedMs = 0;
    LockedDigitCheck m_lockedDigitCheck;
    float m_pendingRestoredSeconds = 0.0f;
    // A build or load of the record that the writer's copy has not been told of yet.
    RecordChanges m_unsentChanges;
    DraftWriter m_writer;
};
