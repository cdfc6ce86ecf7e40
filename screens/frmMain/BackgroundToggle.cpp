#include "frmMain/BackgroundToggle.h"

#include "frmZFon/frmZFon.h"

BackgroundToggle::BackgroundToggle(std::function<QWidget*()> workingScreen, std::function<bool()> mainMinimised)
    : m_workingScreen(std::move(workingScreen)), m_mainMinimised(std::move(mainMinimised))
{
}

BackgroundToggle::~BackgroundToggle() = default;

void BackgroundToggle::show()
{
    m_shown = true;
    if (!m_window)
        m_window = std::make_unique<frmZFon>(m_workingScreen, m_mainMinimised);
    m_window->show();
}

void BackgroundToggle::hide()
{
    m_shown = false;
    if (m_window)
        m_window->hide();
}

void BackgroundToggle::hideWhileMinimised()
{
    if (m_shown && m_window)
        m_window->hide();
}

void BackgroundToggle::close()
{
    if (m_window)
        m_window->close();
}
