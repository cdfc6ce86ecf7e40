#include "frmMain.h"

#include "Clock.h"

frmMain::frmMain(Clock& clock, QWidget* parent) : QWidget(parent), m_clock(clock)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("KORVALIN"));
    resize(1280, 800);
}
