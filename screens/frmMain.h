#pragma once

#include <QWidget>

class Clock;

// The settings window: the program's start window and the owner of every other window.
class frmMain final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmMain)

public:
    explicit frmMain(Clock& clock, QWidget* parent = nullptr);

private:
    Clock& m_clock;
};
