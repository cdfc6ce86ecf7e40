#include "boxes/ScriptedDialog.h"

#include <QApplication>
#include <QTimer>

#include <deque>

namespace {
std::deque<ScriptedDialog::Step>& script()
{
    static std::deque<ScriptedDialog::Step> steps;
    return steps;
}
} // namespace

ScriptedDialog::ScriptedDialog(QWidget* parent) : QDialog(parent) {}

void ScriptedDialog::scriptNext(Step step)
{
    script().push_back(std::move(step));
}

void ScriptedDialog::clearScript()
{
    script().clear();
}

qsizetype ScriptedDialog::scriptedStepsLeft()
{
    return static_cast<qsizetype>(script().size());
}

void ScriptedDialog::setVisible(bool visible)
{
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    // The dialog's own activation may still be on its way, with the owner active until it arrives.
    const QWidget* active = QApplication::activeWindow();
    const bool handBack = !visible && owner && isVisible() && (active == this || active == owner);
    QDialog::setVisible(visible);
    // A window manager activates the owner when its dialog goes; on a bare X server nobody does, and the
    // program would be left with no active window and no focus widget for the keys that still reach it.
    if (handBack && owner->isVisible())
        owner->activateWindow();
}

void ScriptedDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    emit firstShown();
    runNextStep(*this);
}

void ScriptedDialog::runNextStep(QDialog& dialog)
{
    if (script().empty())
        return;
    // Queued, so that the step runs inside the modal loop rather than before it starts.
    QTimer::singleShot(0, &dialog, [&dialog, step = std::move(script().front())] { step(dialog); });
    script().pop_front();
}
