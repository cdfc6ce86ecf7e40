#pragma once

#include "base/GridCell.h"
#include "boxes/MsgBoxRequest.h"
#include "journal/JournalEvents.h"
#include "skin/PersistentSurface.h"
#include "stage/RunningAttempt.h"
#include "stage/StageState.h"

#include <QWidget>

#include <memory>

class AnswerGrid;
class Clock;
class ConcentrationPanel;
class QKeyEvent;
class QLabel;
class QTimer;
class SkinButton;
class StageDrafts;
class TimeDisplay;

// The recall stage: the answer grid `gCevap`, the concentration countdown, the time display, the three
// stage clocks and the ways the stage ends. It lies over the window that created it and closes itself
// (deleted later) when it ends, after telling that window how: `left` after BACK or CANCEL, `finished`
// once the attempt is recorded for the results. The attempt itself, its rules and its drafts belong to
// RunningAttempt; this window hands it the events and shows what it reports.
class frmSpecialNumber_Main final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSpecialNumber_Main)

public:
    // Owned by `owner`, a window of its own over it; the attempt is built from `settings` and the
    // selected digits.
    frmSpecialNumber_Main(QWidget* owner, const StageSettings& settings, const DigitSource& source, Clock& clock);
    ~frmSpecialNumber_Main() override;

    const StageState& state() const { return m_attempt->state(); }
    AnswerGrid& grid() { return *m_grid; }
    StageDrafts& drafts() { return *m_drafts; }
    RunningAttempt& attempt() { return *m_attempt; }
    // True from the moment the stage was finished or left; nothing of it acts afterwards.
    bool hasEnded() const { return m_attempt->hasEnded(); }
    // The stage has not been activated yet: its countdown starts with the first activation.
    bool awaitsFirstActivation() const { return m_firstActivation; }

    // The ticks of the three 10 ms clocks trmConcentration, trmSure and trmEdit.
    void concentrationTick();
    void stageTick();
    void digitTick();

    // BACK and CANCEL; FINISH. Each asks first in the Yes/No box that answers No by itself.
    void confirmLeave();
    void confirmFinish();

signals:
    // The stage was left with BACK or CANCEL; it closes next.
    void left(const AttemptEvidence& evidence);
    // The attempt is recorded for the results (and a rule's ending message was shown); the stage closes next.
    void finished(const AttemptOutcome& outcome);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Creation (frmSpecialNumber_Main.cpp).
    void createControls();
    void setUpGrid();
    bool previewKey(QKeyEvent* event, QWidget* receiver);

    // Layout (frmSpecialNumber_MainLayout.cpp).
    void layOutStage();
    void showCurrentGroup();

    // Entry (frmSpecialNumber_MainEntry.cpp).
    void beforeEdit(int row, int column, bool& cancel);
    void afterEdit(int row, int column);
    bool handleDraftKey(QKeyEvent* event);

    // Clocks (frmSpecialNumber_MainClocks.cpp).
    void startConcentration();
    void beginRecall();
    void showDigitBar(GridCell cell, float percent);
    void toggleCountDown();
    void stopClocks();

    // Ending (frmSpecialNumber_MainEnding.cpp).
    int askConfirmation(BoxKind kind, const QString& prompt);
    void finishStage(EndReason reason);
    void leaveStage(EndReason reason);

    PersistentSurface m_surface;
    const std::unique_ptr<RunningAttempt> m_attempt;
    // The attempt's state, which the stage's layout reads.
    const StageState& m_state;
    bool m_firstActivation = true;

    AnswerGrid* m_grid = nullptr;                  // gCevap
    QLabel* m_groupLabel = nullptr;                // lbGroup
    TimeDisplay* m_timeDisplay = nullptr;          // picTime
    ConcentrationPanel* m_concentration = nullptr; // picConcentration, with btnCancel
    SkinButton* m_back = nullptr;                  // btnBack
    SkinButton* m_finish = nullptr;                // btnFinish
    QTimer* m_trmConcentration = nullptr;
    QTimer* m_trmSure = nullptr;
    QTimer* m_trmEdit = nullptr;
    StageDrafts* m_drafts = nullptr;
    // The BACK and FINISH confirmations; its MsgBoxWindow tells the stage clock that one is open.
    MsgBoxRequest CurrentMsgBox;

    // The cell and painted width of the per-digit bar; -1: no bar painted since the last restart.
    GridCell m_barCell;
    int m_barPixels = -1;
};
