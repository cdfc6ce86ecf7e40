// The full-screen background behind the program, and the window's place on the work area that goes with it.
#include "frmMain/frmMain.h"

#include "base/WindowPlacement.h"

void frmMain::ToggleBackground()
{
    if (m_background.shown()) {
        m_background.hide();
        return;
    }
    CenterMainWindow();
    m_background.show();
}

void frmMain::CenterMainWindow()
{
    const QRect placed = centredOnWorkArea(m_workArea(), frameGeometry().width(), frameGeometry().height());
    move(placed.topLeft());
    if (QWidget* screen = workingScreen())
        screen->setGeometry(childScreenRect(geometry()));
}

void frmMain::minimiseClicked()
{
    showMinimized();
    m_background.hideWhileMinimised();
}
