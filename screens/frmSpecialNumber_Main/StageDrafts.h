#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class AnswerGrid;
class QKeyEvent;
class QLabel;
class QWidget;
class RunningAttempt;

// What the recall stage shows of its drafts: the Ctrl+F12 prompt that restores draft_record.xml into the
// grid, and a small notice inside the stage window (objectName "draftNotice") that tells a failed save,
// journal entry or restore. Neither ever stops the stage, and neither is shown in a box. The attempt itself saves and
// restores; this object asks for the access code, refills the grid and shows what the attempt reports.
//
// The attempt saves a draft after every ended edit by itself. The stage calls, in this order of its life:
// - handleKeyPress() first in its key handler, for every key; the focus then goes back to the grid;
// - stageEnding() first thing whenever the stage ends or is left, before any box is shown.
class StageDrafts final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StageDrafts)

public:
    static constexpr int NoticeMargin = 8;

    // Parented to `stageWindow`; `grid` and `attempt` must outlive this object. `showCurrentGroup`
    // redraws the group label and highlight for the current cell.
    StageDrafts(QWidget* stageWindow, AnswerGrid& grid, RunningAttempt& attempt,
                std::function<void()> showCurrentGroup);

    // Ctrl+F12 (neither Shift nor Alt held): asks for the access code and loads the draft when it is
    // exactly "qvz". Returns true when the key was that combination; any other key is left alone.
    bool handleKeyPress(QKeyEvent* event);

    // Restores draft_record.xml into the attempt, and the grid shows it; a file that does not fit changes
    // nothing and the notice says why.
    void loadDraft();

    // The stage is ending: an open access-code prompt is cancelled and the pending draft is written.
    void stageEnding();
    // Blocks until the last draft is on disk, and shows its outcome in the notice.
    void waitForPendingWrite();

    // The text the notice shows; empty while it is hidden.
    QString noticeText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void draftWritten(bool ok, const QString& error);
    void journalWritten(bool ok, const QString& error);
    void updateNotice();
    void placeNotice();

    QWidget* m_stageWindow;
    AnswerGrid& m_grid;
    RunningAttempt& m_attempt;
    std::function<void()> m_showCurrentGroup;
    // A child of the stage window, which may delete it before this object.
    QPointer<QLabel> m_notice;
    QString m_saveError;
    QString m_journalError;
    QString m_loadError;
};
