// Ending the recall stage: leaving with BACK or CANCEL, and finishing into the results. A stage ends
// once; whatever ends it first wins, and nothing of it acts afterwards.
#include "frmSpecialNumber_Main/frmSpecialNumber_Main.h"

#include "base/ProgramTitle.h"
#include "boxes/modMsgBox.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "frmSpecialNumber_Main/StageDrafts.h"
#include "stage/RunningAttempt.h"

#include <QPointer>

namespace {
const QString LeavePrompt = QStringLiteral("Do you want to go back?");
const QString FinishPrompt = QStringLiteral("Do you want to finish this stage?");
constexpr quint32 YesNoQuestionStyle = 36;
constexpr qint32 AnswerTickMilliseconds = 1000;
} // namespace

// The stage may be gone when this returns: callers check a guard before they touch it.
int frmSpecialNumber_Main::askConfirmation(BoxKind kind, const QString& prompt)
{
    m_attempt->boxAsked(kind);
    const int delay = m_attempt->answerDelaySeconds();
    CurrentMsgBox.HookWindow = this;
    CurrentMsgBox.OwnerWindow = this;
    CurrentMsgBox.Style = YesNoQuestionStyle;
    CurrentMsgBox.CountdownOn = true;
    CurrentMsgBox.CountdownTicks = delay;
    CurrentMsgBox.TickInterval = AnswerTickMilliseconds;
    CurrentMsgBox.AutoButton = MsgBoxNo;
    CurrentMsgBox.TickCount = 0;
    CurrentMsgBox.Title = ProgramTitle;
    CurrentMsgBox.Prompt = prompt;
    QPointer<frmSpecialNumber_Main> alive(this);
    const int answer = ShowMsgBox(CurrentMsgBox, this);
    // A box closed because the stage ended under it is told by the attempt's end.
    if (alive && !hasEnded()) {
        const bool byItself = CurrentMsgBox.CountdownOn && CurrentMsgBox.CountdownTicks > 0 &&
                              CurrentMsgBox.TickCount >= CurrentMsgBox.CountdownTicks;
        m_attempt->boxAnswered(answer == MsgBoxYes ? BoxAnswer::Yes : BoxAnswer::No,
                               byItself ? AnsweredBy::Countdown : AnsweredBy::User);
    }
    return answer;
}

void frmSpecialNumber_Main::confirmLeave()
{
    if (hasEnded())
        return;
    QPointer<frmSpecialNumber_Main> alive(this);
    const int answer = askConfirmation(BoxKind::Leave, LeavePrompt);
    if (!alive || hasEnded())
        return;
    if (answer == MsgBoxYes)
        leaveStage(m_state.recallStarted ? EndReason::Back : EndReason::Cancel);
    else if (m_attempt->stageTimeIsUp())
        // The maximum stage time ran out while the box was open; the stage cannot go on without a clock.
        finishStage(EndReason::StageTime);
}

void frmSpecialNumber_Main::confirmFinish()
{
    if (hasEnded())
        return;
    QPointer<frmSpecialNumber_Main> alive(this);
    const int answer = askConfirmation(BoxKind::Finish, FinishPrompt);
    if (!alive || hasEnded())
        return;
    if (answer == MsgBoxYes)
        finishStage(EndReason::Finish);
    else if (m_attempt->stageTimeIsUp())
        finishStage(EndReason::StageTime);
}

void frmSpecialNumber_Main::leaveStage(EndReason reason)
{
    stopClocks();
    m_drafts->stageEnding();
    m_attempt->leave(reason);
    emit left(m_attempt->evidence());
    close();
}

void frmSpecialNumber_Main::finishStage(EndReason reason)
{
    if (hasEnded())
        return;
    stopClocks();
    // A rule can end the stage under an open confirmation box; the box goes, and its caller does nothing more.
    closeOpenMsgBox(CurrentMsgBox, MsgBoxNo);
    // An open access-code prompt goes too, and the pending draft write ends before the record is final.
    m_drafts->stageEnding();
    m_attempt->finish(reason);
    if (m_state.endedByRule) {
        QPointer<frmSpecialNumber_Main> alive(this);
        ShowMessage(this, ProgramTitle, m_state.endMessage, QMessageBox::Information);
        if (!alive)
            return;
    }
    emit finished(m_attempt->outcome());
    close();
}
