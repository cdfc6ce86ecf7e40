#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

// The optional full-screen background behind the settings window. It never keeps the focus: whenever
// it is activated it hands the focus on to the working screen, so it always stays behind.
class frmZFon final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmZFon)

public:
    // `workingScreen` names the window that should have the focus instead (the stage or results
    // window, else the settings window); `mainMinimised` tells when the settings window is minimised.
    frmZFon(std::function<QWidget*()> workingScreen, std::function<bool()> mainMinimised);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void load();
    void passFocusOn();

    std::function<QWidget*()> m_workingScreen;
    std::function<bool()> m_mainMinimised;
    QImage m_surface;
    bool m_loaded = false;
};
