#include "boxes/ScriptedDialog.h"

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

void ScriptedDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    emit firstShown();
    if (script().empty())
        return;
    // Queued, so that the step runs inside the modal loop rather than before it starts.
    QTimer::singleShot(0, this, [this, step = std::move(script().front())] { step(*this); });
    script().pop_front();
}
