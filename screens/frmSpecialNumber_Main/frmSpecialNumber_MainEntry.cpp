// Digit entry on the recall stage: the lock on opening a cell and the rules after every ended edit.
#include "frmSpecialNumber_Main/frmSpecialNumber_Main.h"

#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "frmSpecialNumber_Main/StageDrafts.h"
#include "record/AttemptRecord.h"
#include "stage/EntryRules.h"

#include <QTimer>

void frmSpecialNumber_Main::beforeEdit(int row, int column, bool& cancel)
{
    if (isCellLocked(m_grid->answers().sheet(), row, column, m_state.lockAfterSeconds, now()))
        cancel = true;
    m_grid->setEditMaxLength(1);
}

void frmSpecialNumber_Main::afterEdit(int row, int column)
{
    // An editor can still close while the stage ends (its message takes the focus); that edit is not ruled on.
    if (m_ended)
        return;
    AnswerGridModel& model = m_grid->answers();
    const CommitOutcome outcome = commitEdit(model.rulesSheet(), m_state, row, column, now());
    if (outcome.restartDigitClock) {
        model.clearFlood();
        m_barPixels = -1;
        m_trmEdit->stop();
        m_trmEdit->start();
    }
    saveDraft();
    if (checkLockedDigits(m_state, m_lockedDigitCheck, model.sheet(), AttemptRecord.questions(), now())) {
        m_trmEdit->stop();
        finishStage();
    }
}

void frmSpecialNumber_Main::saveDraft()
{
    m_drafts->saveDraft();
}

bool frmSpecialNumber_Main::handleDraftKey(QKeyEvent* event)
{
    // The access-code prompt is modal: a clock may end the stage before it returns.
    return !m_ended && m_drafts->handleKeyPress(event);
}
