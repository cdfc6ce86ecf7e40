#pragma once

#include <QPointer>
#include <QWidget>

// The screens frmMain shows in turn: the settings are frmMain itself; a stage or results window lies over
// it as its working screen.
enum class MainScreen
{
    Settings,
    Stage,
    Results,
};

// The ways out of a screen.
enum class ScreenExit
{
    Start,         // START on the settings, once the start check let it through
    StageLeft,     // BACK or CANCEL
    StageFinished, // the attempt is recorded
    ResultsDone,   // the results screen's own way back
};

// Which screen frmMain shows, and the table of which one each way out leads to.
class ScreenNavigation final
{
public:
    static MainScreen next(ScreenExit exit);

    // The settings as soon as the working screen is gone, however it went.
    MainScreen current() const { return m_window ? m_screen : MainScreen::Settings; }
    QWidget* workingScreen() const { return m_window; }
    // `window` is now shown as `screen`; the settings have none.
    void show(MainScreen screen, QWidget* window);

private:
    QPointer<QWidget> m_window;
    MainScreen m_screen = MainScreen::Settings;
};
