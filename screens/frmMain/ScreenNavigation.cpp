#include "frmMain/ScreenNavigation.h"

#include <array>

namespace {
struct ScreenStep
{
    ScreenExit exit;
    MainScreen next;
};

constexpr std::array<ScreenStep, 4> ScreenSteps = {{
    {ScreenExit::Start, MainScreen::Stage},
    {ScreenExit::StageLeft, MainScreen::Settings},
    {ScreenExit::StageFinished, MainScreen::Results},
    {ScreenExit::ResultsDone, MainScreen::Settings},
}};
} // namespace

MainScreen ScreenNavigation::next(ScreenExit exit)
{
    for (const ScreenStep& step : ScreenSteps) {
        if (step.exit == exit)
            return step.next;
    }
    return MainScreen::Settings;
}

void ScreenNavigation::show(MainScreen screen, QWidget* window)
{
    m_screen = window ? screen : MainScreen::Settings;
    m_window = window;
}
