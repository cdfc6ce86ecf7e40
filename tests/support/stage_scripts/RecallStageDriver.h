#pragma once

#include "StageScript.h"

#include "FakeClock.h"
#include "base/Clock.h"
#include "base/GridCell.h"
#include "journal/JournalEvents.h"
#include "record/AttemptRecordDocument.h"
#include "stage/AnswerSheet.h"
#include "stage/StageState.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class RunningAttempt;

// The recall stage window without its widgets: for every key, click and clock tick it calls what
// frmSpecialNumber_Main, its answer grid, its drafts and its confirmation boxes call in RunningAttempt and
// the stage's rules, in the same order, on a fake clock. Time passes only through runClocksTo, which ticks
// the window's three 10 ms clocks as its timers would; ticks that can decide nothing are not called one by
// one, the clock that decides next is found by trying it on a copy of the stage's state.
//
// This is the one file that knows how the window drives the running attempt.
class RecallStageDriver final
{
public:
    // What the stage showed and decided when it ended.
    struct Ending
    {
        EndReason reason = EndReason::Finish;
        // What the results show; for an abandoned attempt, the score of its answers then.
        int score = 0;
        // The used time the results show; none for an abandoned attempt, which shows no results.
        std::optional<double> usedSeconds;
        std::vector<QString> answers;
        // 1 for each cell the stage would no longer open, row-major.
        std::vector<unsigned char> locked;
    };

    // An attempt with the settings of `script`, whose draft and journal take `draftNumber` in the program
    // directory. Times are milliseconds since the stage window opened.
    RecallStageDriver(const StageScript& script, int draftNumber);
    ~RecallStageDriver();
    RecallStageDriver(const RecallStageDriver&) = delete;
    RecallStageDriver& operator=(const RecallStageDriver&) = delete;

    // The stage window is activated for the first time: the countdown starts.
    void open();
    // Time passes up to `ms` while nobody touches anything; the clocks may end the stage meanwhile.
    void runClocksTo(qint64 ms);

    void typeDigit(QChar digit);
    void pressBackspace();
    void pressEnter();
    void pressEditKey();
    // An arrow key or a click on another cell.
    void moveTo(GridCell cell);
    // FINISH, or BACK (CANCEL during the countdown): the user answers after `userAnswersAfterMs` unless
    // the box answers No by itself first.
    void askFinish(bool userSaysYes, qint64 userAnswersAfterMs);
    void askLeave(bool userSaysYes, qint64 userAnswersAfterMs);
    // Ctrl+F12 and the access code, with draft_record.xml in the program directory; false when the stage
    // refused the draft or was no longer there to restore into.
    bool restoreDraft();
    void clickTimeDisplay();

    bool hasEnded() const { return m_ending.has_value(); }
    const std::optional<Ending>& ending() const { return m_ending; }
    qint64 nowMs() const { return m_nowMs; }
    GridCell currentCell() const { return m_current; }
    int rowCount() const { return sheet().rowCount(); }
    int columnCount() const { return sheet().columnCount(); }
    const QString& digits() const { return m_digits; }
    QString answer(GridCell cell) const { return sheet().cellText(cell.row, cell.column); }
    // When the stage last stamped an entry into the cell of `digitIndex`; -1 for never.
    qint64 lastEntryMs(int digitIndex) const { return m_lastEntryMs[std::size_t(digitIndex - 1)]; }
    // How many times a cell refused to open because it was locked.
    int refusedOpenings() const { return m_refusedOpenings; }

    // The attempt's own draft as it is on disk now, as an operator would copy it; empty before the first.
    QByteArray ownDraft() const;
    QString journalPath() const;
    QString draftPath() const;
    QByteArray seal() const;

private:
    struct Editor
    {
        GridCell cell;
        QString text;
        bool selected = true; // a typed character replaces a selected text
    };
    // A 10 ms timer of the window: it ticks at startMs + 10, + 20, ... while it is active.
    struct Timer
    {
        bool active = false;
        qint64 startMs = 0;
    };

    const AnswerSheet& sheet() const;
    float readingAt(qint64 ms) const;
    void setNow(qint64 ms);
    template <typename Decides>
    std::optional<qint64> firstDecidingTick(const Timer& timer, qint64 limitMs, const Decides& decides) const;
    void stageTicksBefore(qint64 ms);

    // The window's handlers, each as the window has it.
    void concentrationTick();
    void stageTick();
    void digitTick();
    bool beforeEdit(GridCell cell);
    void commitEditor();
    void afterEdit(GridCell cell);
    void confirm(BoxKind kind, bool userSaysYes, qint64 userAnswersAfterMs);
    void finishStage(EndReason reason);
    void leaveStage(EndReason reason);
    void noteEnding(EndReason reason, std::optional<double> usedSeconds, int score);

    double m_clockStartSeconds;
    QString m_digits;
    FakeClock m_clock;
    std::unique_ptr<RunningAttempt> m_attempt;
    const StageState& m_state;
    bool m_opened = false;
    std::vector<qint64> m_lastEntryMs;
    qint64 m_nowMs = 0;
    GridCell m_current{1, 1};
    std::optional<Editor> m_editor;
    Timer m_trmConcentration;
    Timer m_trmSure;
    Timer m_trmEdit;
    int m_refusedOpenings = 0;
    std::optional<Ending> m_ending;
};
