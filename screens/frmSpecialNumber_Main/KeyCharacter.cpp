#include "frmSpecialNumber_Main/KeyCharacter.h"

#include "stage/CellEditorRules.h"

#include <QKeyEvent>

namespace KeyCharacter {

int of(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
        return BackspaceKey;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return EnterKey;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return Tab;
    case Qt::Key_Escape:
        return Escape;
    case Qt::Key_Delete:
        return Delete;
    default:
        break;
    }
    const QString text = event.text();
    return text.isEmpty() ? None : int(text.at(0).unicode());
}

} // namespace KeyCharacter
