#include "frmMain/ProgramActivation.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

ProgramActivation::ProgramActivation(QObject* parent)
    : QObject(parent), m_programActive(QApplication::activeWindow() != nullptr)
{
    // The application sees a window's activation before the window itself does.
    qApp->installEventFilter(this);
}

bool ProgramActivation::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::WindowActivate && type != QEvent::WindowDeactivate) || !watched->isWidgetType() ||
        !static_cast<QWidget*>(watched)->isWindow())
        return false;
    auto* window = static_cast<QWidget*>(watched);
    if (type == QEvent::WindowActivate) {
        m_activatedFromWithin = m_programActive;
        m_programActive = true;
    } else if (!QApplication::activeWindow() && !window->isHidden()) {
        // A window handing over to another of ours finds that one already active, and a window that
        // closes gives up the activation before the next one of ours takes it.
        m_programActive = false;
    }
    return false;
}
