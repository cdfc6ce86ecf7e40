// The recall stage's three clocks: the concentration countdown, the stage clock and the per-digit clock.
// Each tick is a plain call; a tick of a clock that is switched off does nothing.
#include "frmSpecialNumber_Main/frmSpecialNumber_Main.h"

#include "buttons/SkinButton.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "frmSpecialNumber_Main/ConcentrationPanel.h"
#include "frmSpecialNumber_Main/TimeDisplay.h"
#include "stage/RunningAttempt.h"
#include "stage/StageClocks.h"

#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {
const QColor DigitBarColour(242, 254, 188);
}

void frmSpecialNumber_Main::startConcentration()
{
    m_concentration->showShadowedText(::startConcentration(m_state, now()));
    m_attempt->countdownStarted();
    m_concentration->placeCancelButton();
    m_trmConcentration->start();
}

void frmSpecialNumber_Main::concentrationTick()
{
    if (m_state.ended || !m_trmConcentration->isActive())
        return;
    const ConcentrationFrame frame = ::concentrationTick(m_state, now());
    if (frame.finished)
        m_trmConcentration->stop();
    m_concentration->showShadowedText(frame.text);
    if (frame.finished)
        beginRecall();
}

// The countdown is over: the stage clock starts from this tick's reading and the recall controls appear.
void frmSpecialNumber_Main::beginRecall()
{
    m_concentration->hide();
    // A draft restored during the countdown counts from here, so the countdown itself stays whole.
    m_attempt->startRecall();
    m_trmSure->start();
    m_back->show();
    m_finish->show();
    m_groupLabel->show();
}

void frmSpecialNumber_Main::stageTick()
{
    if (m_state.ended || !m_trmSure->isActive())
        return;
    const StageFrame frame = ::stageTick(m_state, now(), CurrentMsgBox.MsgBoxWindow() != nullptr);
    if (frame.stopClock)
        m_trmSure->stop();
    if (frame.displayText)
        m_timeDisplay->showShadowedText(*frame.displayText);
    if (frame.finish)
        finishStage(EndReason::StageTime);
}

void frmSpecialNumber_Main::digitTick()
{
    if (m_state.ended || !m_trmEdit->isActive())
        return;
    const DigitFrame frame = ::digitTick(m_state, now());
    // Past the last cell of the grid there is no cell to draw the bar in; the limit still applies.
    if (frame.barCell)
        showDigitBar(*frame.barCell, frame.barPercent);
    if (frame.finish) {
        m_trmEdit->stop();
        finishStage(EndReason::DigitTime);
    }
}

// The bar grows by one pixel every few ticks; a tick that would paint the same bar paints nothing, which
// spares a repaint of the grid a hundred times a second.
void frmSpecialNumber_Main::showDigitBar(GridCell cell, float percent)
{
    const double share = std::clamp(double(percent), 0.0, 100.0) / 100.0;
    const int pixels = int(std::lround(m_grid->columnWidth(cell.column - 1) * share));
    if (cell == m_barCell && pixels == m_barPixels)
        return;
    if (m_grid->answers().setFlood(cell.row, cell.column, DigitBarColour, percent)) {
        m_barCell = cell;
        m_barPixels = pixels;
    }
}

void frmSpecialNumber_Main::toggleCountDown()
{
    m_attempt->toggleCountDown();
}

void frmSpecialNumber_Main::stopClocks()
{
    for (QTimer* clock : {m_trmConcentration, m_trmSure, m_trmEdit}) {
        if (clock)
            clock->stop();
    }
}

// The stage clock ran and has stopped at the maximum stage time.
bool frmSpecialNumber_Main::stageTimeIsUp() const
{
    return m_state.recallStarted && !m_trmSure->isActive();
}
