#pragma once

#include "training/TrainingNumber.h"

#include <QObject>
#include <QPointer>

struct AttemptEvidence;
class Clock;
class TrainingRecorder;
class frmMain;

// A rehearsal under the record rules, started from training: the program's own settings window with the
// number picked, whose every attempt is a rehearsal (its journal says so). When one ends its journal is
// checked off the user-interface thread and its outcome goes into the training history.
class RehearsalLauncher final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RehearsalLauncher)

public:
    // `clock` and `recorder` must outlive this object.
    RehearsalLauncher(Clock& clock, TrainingRecorder& recorder, QObject* parent = nullptr);
    ~RehearsalLauncher() override;

    // Opens the settings window for a rehearsal of `number`, or brings back the one open (with its
    // number). False when this screen is too small for it, which the window has said.
    bool start(TrainingNumber number);
    frmMain* window() const;

signals:
    // A rehearsal's outcome is in the history as the session `sessionId`.
    void recorded(qint64 sessionId);

private:
    void attemptEnded(const AttemptEvidence& evidence);

    Clock& m_clock;
    TrainingRecorder& m_recorder;
    QPointer<frmMain> m_window;
};
