#include "frmMain/SettingsWriteNotice.h"

#include "base/ProgramTitle.h"
#include "boxes/modMsgBox.h"
#include "files/AtomicFile.h"

void SettingsWriteNotice::report(const WriteResult& result)
{
    if (result.ok || m_reported)
        return;
    m_reported = true;
    ShowMessage(&m_owner, ProgramTitle, QStringLiteral("The settings could not be saved.\n") + result.error,
                QMessageBox::Warning);
}
