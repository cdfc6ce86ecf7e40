#pragma once

#include "base/GridCell.h"
#include "skin/PersistentSurface.h"
#include "stage/LockedDigitCheck.h"
#include "stage/StageState.h"

#include <QWidget>

#include <functional>

class AnswerGrid;
class Clock;
class ConcentrationPanel;
class QKeyEvent;
class QLabel;
class QTimer;
class SkinButton;
class StageDrafts;
class TimeDisplay;
class frmMain;

// The recall stage: the answer grid `gCevap`, the concentration countdown, the time display, the three
// stage clocks and the ways the stage ends. It lies over the settings window, which created it, and
// closes itself (deleted later) when it ends.
class frmSpecialNumber_Main final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSpecialNumber_Main)

public:
    // Creates the results screen of the attempt just recorded; the stage shows it over the settings window.
    using ResultsScreenFactory = std::function<QWidget*(frmMain&)>;

    frmSpecialNumber_Main(frmMain& mainWindow, Clock& clock);
    ~frmSpecialNumber_Main() override;

    // Program-wide: the factory every later stage opens its results with (the results screen unless
    // replaced). Without one a finished stage returns to the settings window.
    static void setResultsScreenFactory(ResultsScreenFactory factory);
    static ResultsScreenFactory defaultResultsScreenFactory();

    const StageState& state() const { return m_state; }
    AnswerGrid& grid() { return *m_grid; }
    StageDrafts& drafts() { return *m_drafts; }
    // True from the moment the stage was finished or left; nothing of it acts afterwards.
    bool hasEnded() const { return m_ended; }

    // The ticks of the three 10 ms clocks trmConcentration, trmSure and trmEdit.
    void concentrationTick();
    void stageTick();
    void digitTick();

    // BACK and CANCEL; FINISH. Each asks first in the Yes/No box that answers No by itself.
    void confirmLeave();
    void confirmFinish();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Creation (frmSpecialNumber_Main.cpp).
    void createControls();
    void readSettings();
    void setUpGrid();
    int chooseDraft();
    float now() const;
    bool previewKey(QKeyEvent* event, QWidget* receiver);

    // Layout (frmSpecialNumber_MainLayout.cpp).
    void layOutStage();
    void showCurrentGroup();

    // Entry (frmSpecialNumber_MainEntry.cpp).
    void beforeEdit(int row, int column, bool& cancel);
    void afterEdit(int row, int column);
    void saveDraft();
    bool handleDraftKey(QKeyEvent* event);

    // Clocks (frmSpecialNumber_MainClocks.cpp).
    void startConcentration();
    void beginRecall();
    void showDigitBar(GridCell cell, float percent);
    void toggleCountDown();
    void stopClocks();
    bool stageTimeIsUp() const;

    // Ending (frmSpecialNumber_MainEnding.cpp).
    int askConfirmation(const QString& prompt);
    void finishStage();
    void leaveStage();
    void openResults();

    frmMain& m_main;
    Clock& m_clock;
    PersistentSurface m_surface;
    StageState m_state;

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
    LockedDigitCheck m_lockedDigitCheck;

    // The cell and painted width of the per-digit bar; -1: no bar painted since the last restart.
    GridCell m_barCell;
    int m_barPixels = -1;
    bool m_recallStarted = false;
    bool m_ended = false;
};
