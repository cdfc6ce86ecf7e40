// Digit entry on the recall stage: the lock on opening a cell and the rules after every ended edit.
#include "frmSpecialNumber_Main/frmSpecialNumber_Main.h"

#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "frmSpecialNumber_Main/StageDrafts.h"
#include "stage/RunningAttempt.h"

#include <QTimer>

void frmSpecialNumber_Main::beforeEdit(int row, int column, bool& cancel)
{
    cancel = !m_attempt->mayOpen(row, column);
    m_grid->setEditMaxLength(1);
}

void frmSpecialNumber_Main::afterEdit(int row, int column)
{
    const RunningAttempt::EditOutcome outcome = m_attempt->editEnded(row, column);
    if (outcome.restartDigitClock) {
        m_grid->answers().clearFlood();
        m_barPixels = -1;
        m_trmEdit->stop();
        m_trmEdit->start();
    }
    if (outcome.finishStage) {
        m_trmEdit->stop();
        finishStage(EndReason::WrongLockedDigit);
    }
}

bool frmSpecialNumber_Main::handleDraftKey(QKeyEvent* event)
{
    // The access-code prompt is modal: a clock may end the stage before it returns.
    return !hasEnded() && m_drafts->handleKeyPress(event);
}
