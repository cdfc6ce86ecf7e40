#pragma once

#include <QTest>
#include <QWindow>

// A window of no widget of ours: it stands for another program taking the activation away.
class OtherProgramWindow : public QWindow
{
public:
    // True once it is the active window.
    bool takeActivation()
    {
        resize(100, 100);
        show();
        requestActivate();
        return QTest::qWaitForWindowActive(this);
    }
};
