#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <QtGlobal>

// One hooked Yes/No box: its description, filled by the caller before ShowMsgBox, and the box itself while
// ShowMsgBox waits on it. The window that asks keeps its own request (as `CurrentMsgBox`); the request must
// outlive the box, which a member of the box's owner does.
class MsgBoxRequest
{
public:
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
    // Counted by the countdown from 0, which ShowMsgBox sets.
    qint32 TickCount = 0;
    QString Title;
    QString Prompt;

    // The box while it is on the screen and still counting down, null otherwise: the stage clock asks it.
    QWidget* MsgBoxWindow() const { return m_counting; }
    // The box from the moment ShowMsgBox makes it until it returns, shown yet or not.
    QWidget* openBox() const { return m_box; }

private:
    friend class OpenMsgBox;

    QPointer<QWidget> m_box;
    QPointer<QWidget> m_counting;
};
