#pragma once

#include <QObject>

// Watches the activation of the program's windows, to tell an activation from within the program
// (another of its windows was active just before) from the program as a whole coming back from another
// program.
class ProgramActivation final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgramActivation)

public:
    explicit ProgramActivation(QObject* parent = nullptr);

    // For a window handling its WindowActivate: whether one of the program's windows was active before.
    bool activatedFromWithin() const { return m_activatedFromWithin; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_programActive;
    bool m_activatedFromWithin = false;
};
