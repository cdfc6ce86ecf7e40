#pragma once

#include <functional>
#include <memory>

class QWidget;
class frmZFon;

// The operator's choice of the full-screen background and its window frmZFon, made on first use and kept
// for the rest of the run.
class BackgroundToggle final
{
public:
    // As frmZFon takes them: the window that keeps the focus, and whether the settings window is minimised.
    BackgroundToggle(std::function<QWidget*()> workingScreen, std::function<bool()> mainMinimised);
    ~BackgroundToggle();
    BackgroundToggle(const BackgroundToggle&) = delete;
    BackgroundToggle& operator=(const BackgroundToggle&) = delete;

    bool shown() const { return m_shown; }
    frmZFon* window() const { return m_window.get(); }

    void show();
    void hide();
    // The settings window goes to the task bar: the background goes with it but stays chosen.
    void hideWhileMinimised();
    void close();

private:
    std::function<QWidget*()> m_workingScreen;
    std::function<bool()> m_mainMinimised;
    std::unique_ptr<frmZFon> m_window;
    bool m_shown = false;
};
