#pragma once

#include "PersistentSurface.h"

#include <QWidget>

class Clock;
class frmMain;

// The recall stage: the answer grid, its clocks and the ways the stage ends.
class frmSpecialNumber_Main final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSpecialNumber_Main)

public:
    frmSpecialNumber_Main(frmMain& mainWindow, Clock& clock);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOutStage();

    frmMain& m_main;
    Clock& m_clock;
    PersistentSurface m_surface;
};
