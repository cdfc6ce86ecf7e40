#include "frmMain/StartCheck.h"

#include "base/ProgramTitle.h"
#include "boxes/modMsgBox.h"
#include "files/FolderAccess.h"
#include "files/ProgramDirectory.h"
#include "frmMain/SettingsWriteNotice.h"
#include "settings/SettingsController.h"

#include <QPointer>

bool StartCheck::run()
{
    if (!draftsCanBeSavedOrUserAccepts())
        return false;
    m_notice.report(m_settings.StoreSettings());
    return true;
}

bool StartCheck::draftsCanBeSavedOrUserAccepts()
{
    const FolderAccess access = checkFolderWritable(programDirectory());
    if (access.writable)
        return true;
    MsgBoxRequest CurrentMsgBox;
    CurrentMsgBox.HookWindow = &m_window;
    CurrentMsgBox.OwnerWindow = &m_window;
    CurrentMsgBox.Style = 4 | 48; // Yes and No, warning
    CurrentMsgBox.Title = ProgramTitle;
    CurrentMsgBox.Prompt =
        QStringLiteral("The drafts of this attempt cannot be saved:\n%1\n\nStart anyway?").arg(access.reason);
    const QPointer<QWidget> alive(&m_window);
    const bool accepted = ShowMsgBox(CurrentMsgBox, &m_window) == MsgBoxYes;
    if (!alive)
        return false;
    // The box has said why; the settings store that follows fails for the same reason.
    m_notice.alreadySaid();
    return accepted;
}
