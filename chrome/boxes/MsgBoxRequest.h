#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

// The description of one hooked Yes/No box, filled by its caller before ShowMsgBox.
struct MsgBoxRequest
{
    QWidget* HookWindow = nullptr;
    QWidget* OwnerWindow = nullptr;
    // Buttons and icon flags: 4 Yes and No, plus 16 error, 32 question, 48 warning or 64 information.
    quint32 Style = 0;
    bool CountdownOn = false;
    // The box answers by itself when TickCount reaches this; at 0 or below it never does.
    qint32 CountdownTicks = 0;
    qint32 TickInterval = 1000;
    // The answer code of the button the countdown clicks.
    qint32 AutoButton = 7;
    qint32 TickCount = 0;
    QString Title;
    QString Prompt;
};
