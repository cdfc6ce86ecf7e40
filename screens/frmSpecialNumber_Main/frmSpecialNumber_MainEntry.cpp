// Digit entry on the recall stage: the lock on opening a cell and the rules after every ended edit.
#include "frmSpecialNumber_Main/frmSpecialNumber_Main.h"

#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "frmSpecialNumber_Main/StageDrafts.h"
#include "stage/EntryRules.h"
#include "stage/RunningAttempt.h"

#include <QTimer>

void frmSpecialNumber_Main::beforeEdit(int row, int column, bool& cancel)
{
    if (isCellLocked(m_grid->answers().sheet(), row, column, m_state.lockAfterSeconds, now()))
        cancel = true;
    else
        m_attempt->editOpened(row, column);
    m_grid->setEditMaxLength(1);
}

void frmSpecialNumber_Main::afterEdit(int row, int column)
{
    // An editor can still close while the stage ends (its message takes the focus); that edit is not ruled on.
    if (m_state.ended)
        return;
    AnswerGridModel& model = m_grid->answers();
    const RunningAttempt::EditOutcome outcome = m_attempt->editEnded(model.rulesSheet(), row, column);
    if (outcome.restartDigitClock) {
        model.clearFlood();
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
    return !m_state.ended && m_drafts->handleKeyPress(event);
}
