#pragma once

#include "files/DraftWriter.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <mutex>

class AnswerGrid;
class Clock;
class QKeyEvent;
class QLabel;
class QWidget;
struct StageState;

// The draft records of one recall stage. After every committed edit the whole attempt is saved as the
// stage's draft file, draft_record_<draftNumber>.xml, by a background writer; Ctrl+F12 and the access code
// put draft_record.xml back into the grid. Neither ever stops the stage: a failed save or restore is told
// in a small notice inside the stage window (objectName "draftNotice"), never in a box.
//
// The writer thread serialises AttemptRecord itself, so a keystroke pays only for updating the record.
// While the stage runs, AttemptRecord therefore changes only through this object; once stageEnding() has
// returned, the stage may record into it again.
//
// The stage calls, in this order of its life:
// - saveDraft() after every ended edit of a cell, also one that emptied it, before the locked-digit check;
// - handleKeyPress() first in its key handler, for every key; the focus then goes back to the grid;
// - recallStarted() when the concentration countdown hands over: after stageStartTime was set to the
//   current reading and before the stage clock is switched on;
// - stageEnding() first thing whenever the stage ends or is left, before any box is shown;
// - waitForPendingWrite() before the stage window closes (destroying this object waits as well).
class StageDrafts final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StageDrafts)

public:
    static constexpr int NoticeMargin = 8;

    // Parented to `stageWindow`; `grid`, `state` and `clock` must outlive this object. `showCurrentGroup`
    // redraws the group label and highlight for the current cell.
    StageDrafts(QWidget* stageWindow, AnswerGrid& grid, StageState& state, const Clock& clock,
                std::function<void()> showCurrentGroup);
    ~StageDrafts() override;

    // Brings AttemptRecord up to date (stageSeconds becomes the used time) and hands it to the writer.
    // Returns without waiting for the disk.
    void saveDraft();

    // Ctrl+F12 (neither Shift nor Alt held): asks for the access code and loads the draft when it is
    // exactly "qvz". Returns true when the key was that combination; any other key is left alone.
    bool handleKeyPress(QKeyEvent* event);

    // Replaces AttemptRecord with draft_record.xml when it has the grid's shape, refills the grid from it and
    // moves the stage clock back by its used time. Otherwise nothing changes and the notice says why.
    // During the countdown the used time is kept for recallStarted(), so the countdown stays as long as it was.
    void loadDraft();

    // The recall starts now: adds the used time of drafts restored during the countdown to the stage
    // clock, which then counts on from there. Loads from now on move stageStartTime at once.
    void recallStarted();
    bool isRecallStarted() const { return m_recallStarted; }
    // Used seconds of drafts restored during the countdown, not yet given to the stage clock.
    float pendingRestoredSeconds() const { return m_pendingRestoredSeconds; }

    // The stage is ending: an open access-code prompt is cancelled, no draft is loaded any more and the
    // pending draft is written, so the stage may record the attempt into AttemptRecord itself.
    void stageEnding();
    // Blocks until the last submitted draft is on disk, and shows its outcome in the notice.
    void waitForPendingWrite();

    // The text the notice shows; empty while it is hidden.
    QString noticeText() const;
    DraftWriter& writer() { return m_writer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WriteResult serializeAndWrite(const QString& path);
    void writeFinished(const QString& path, bool ok, const QString& error);
    void updateNotice();
    void placeNotice();

    QWidget* m_stageWindow;
    AnswerGrid& m_grid;
    StageState& m_state;
    const Clock& m_clock;
    std::function<void()> m_showCurrentGroup;
    // Held by the writer thread while it serialises AttemptRecord, and here while this thread changes it.
    std::mutex m_recordMutex;
    // Declared after the mutex, so that its thread has stopped before the mutex goes.
    DraftWriter m_writer;
    // A child of the stage window, which may delete it before this object.
    QPointer<QLabel> m_notice;
    QString m_saveError;
    QString m_loadError;
    bool m_recallStarted = false;
    bool m_stageEnded = false;
    float m_pendingRestoredSeconds = 0.0f;
};
