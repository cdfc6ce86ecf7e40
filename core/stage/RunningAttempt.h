#pragma once

#include "files/DraftWriter.h"
#include "journal/AttemptJournal.h"
#include "record/AttemptRecordDocument.h"
#include "stage/AnswerSheet.h"
#include "stage/AttemptOutcome.h"
#include "stage/LockedDigitCheck.h"
#include "stage/SheetEntry.h"
#include "stage/StageClocks.h"
#include "stage/StageState.h"

#include <QObject>
#include <QString>

#include <optional>
#include <utility>

class Clock;

// The number an attempt recalls: its position in the type list, the list's text and its digits.
struct DigitSource
{
    int position = 0;
    QString caption;
    QString digits;
};

// One attempt under the record rules, and the one owner of all it keeps: the answer sheet (texts and entry
// stamps), the attempt record `AttemptRecord`, the digit source, the stage state with its clocks, the
// draft file and its writer, and the journal. A window (or a test, or a rehearsal) hands it what happened
// (an opened and an ended edit, a clock tick, a box, a restore, the end) and shows what it reports; it never
// decides a rule itself. Every event is also written to the journal.
//
// Everything here runs on the user-interface thread. The draft writer is given the record's changes and
// keeps a copy of its own, so the record is never shared with the writer's thread.
class RunningAttempt final : public QObject, public SheetEntry
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RunningAttempt)

public:
    // Builds the record anew from the whole rows of the source's digits; its draft and its journal go to
    // the files of `draftNumber` in the program directory. `clock` must outlive this object.
    RunningAttempt(const StageSettings& settings, const DigitSource& source, int draftNumber, const Clock& clock,
                   QObject* parent = nullptr);
    // Waits for the last draft to be on disk.
    ~RunningAttempt() override;

    // A number of which no draft, journal or report exists yet, drawn from a generator seeded with the
    // clock; its journal is made here, empty, so the number is this attempt's alone. No earlier file of
    // an attempt is overwritten or appended to.
    static int chooseDraftNumber(const Clock& clock);
    static QString draftFileName(int draftNumber);

    // Makes this attempt a rehearsal from training, which its journal's start says; only before that start.
    void markAsRehearsal();
    bool isRehearsal() const { return m_rehearsal; }

    const StageState& state() const { return m_state; }
    const DigitSource& source() const { return m_source; }
    const AttemptRecordDocument& AttemptRecord() const { return m_record; }
    QString draftPath() const { return m_draftPath; }
    QString journalPath() const { return m_journalPath; }
    // The journal and its seal. The seal is given only for a journal whose file holds every line this
    // attempt wrote, and nothing else; otherwise `journalProblem` says why there is none.
    AttemptEvidence evidence() const;
    bool isDraftWriteIdle() const { return m_writer.isIdle(); }

    // The answer sheet, as the grid shows it.
    const AnswerSheet& sheet() const override { return m_sheet; }
    void enterText(int row, int column, const QString& text) override;

    // Whether the editor of (row, column) may open now: not once the attempt has ended, nor on a locked
    // cell. A yes is noted as the moment the edit opened, when its lock was judged.
    bool mayOpen(int row, int column);

    struct EditOutcome
    {
        // A digit at or beyond every earlier one: remove the per-digit bars and restart the per-digit clock.
        bool restartDigitClock = false;
        // A locked digit is wrong: stop the per-digit clock and finish the stage.
        bool finishStage = false;
    };
    // The edit of (row, column) ended with the text handed in last: the entry is stamped, the draft saved
    // and the locked-digit rule run.
    EditOutcome editEnded(int row, int column);

    // The three stage clocks. The countdown starts (the journal's first event, the zero of its times) and
    // returns its first text; every tick reads the clock and says what to show and whether to finish.
    QString startCountdown();
    ConcentrationFrame concentrationTick();
    StageFrame stageTick();
    DigitFrame digitTick();
    // The stage clock has reached the maximum stage time; a box open then kept the stage from finishing.
    bool stageTimeIsUp() const { return m_stageTimeIsUp; }
    // Seconds after which a confirmation box answers No by itself (zero or less: it waits).
    int answerDelaySeconds() const { return ::answerDelaySeconds(m_state); }

    // A confirmation box is asked, and how it was answered.
    void boxAsked(BoxKind kind);
    void boxAnswered(BoxAnswer answer, AnsweredBy by);
    bool isBoxOpen() const { return m_openBox.has_value(); }
    // The time display switches between counting down and up.
    void toggleCountDown();

    // Replaces the record and the sheet's texts with draft_record.xml when it fits this attempt's sheet
    // and holds a readable used time; otherwise nothing changes and the reason is returned. The restored
    // used time moves the stage clock back, or during the countdown is kept until the recall starts, so
    // the countdown stays as long as it was. Nothing is restored once the attempt has ended.
    std::optional<QString> restoreDraft();
    // Used seconds of drafts restored during the countdown, not yet given to the stage clock.
    float pendingRestoredSeconds() const { return m_pendingRestoredSeconds; }

    bool hasEnded() const { return m_state.ended; }
    // The attempt is over (however it ends, the window closing included): nothing is entered or restored
    // any more, and the pending draft is written.
    void end();
    // Ends the attempt and records it a last time; the journal ends with `reason`, the used time and the score.
    void finish(EndReason reason);
    // Ends an abandoned attempt (BACK or CANCEL); the journal ends with the answers scored.
    void leave(EndReason reason);
    // What the results screen shows of the finished attempt.
    AttemptOutcome outcome() const;

    // Blocks until the last submitted draft is on disk; its outcome is reported before this returns.
    void waitForPendingWrite();

signals:
    // The outcome of the newest draft write; `error` says why it failed.
    void draftWritten(bool ok, const QString& error);
    // The outcome of the newest journal append.
    void journalWritten(bool ok, const QString& error);

private:
    float now() const;
    bool contains(int row, int column) const;
    // Brings the record up to date with the sheet (stageSeconds becomes the used time) and hands the
    // changes to the writer; returns without waiting for the disk, unless the attempt has ended.
    void saveDraft();
    // The countdown is over and stageStartTime was set to this moment: the stage clock counts on from
    // the restored time.
    void startRecall();
    // The reading the used time is measured from: the start of the recall moved back by every restored
    // time. Before the recall the countdown counts only when the attempt ends under it.
    float usedTimeOrigin(float now, bool ending) const;
    void startJournalIfNeeded();
    qint64 journalMs() const;
    void writeJournal(const QByteArray& line);
    std::optional<QString> journalFileProblem() const;
    void endJournal(EndReason reason, float usedSeconds, int score);

    StageState m_state;
    const Clock& m_clock;
    DigitSource m_source;
    bool m_rehearsal = false;
    AnswerSheet m_sheet;
    AttemptRecordDocument m_record;
    QString m_draftPath;
    QString m_journalPath;
    AttemptJournal m_journal;
    // What the journal's file must hold: the length of every line handed to the writer, and the last.
    qint64 m_journalBytes = 0;
    QByteArray m_lastJournalLine;
    float m_journalStart = 0.0f;
    std::optional<EndReason> m_endReason;
    bool m_stageTimeIsUp = false;
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
