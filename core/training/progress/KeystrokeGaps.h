#pragma once

#include "training/progress/ProgressHistory.h"

#include <vector>

// Whether the time before each digit of such a session is the competitor's recall pace. A learning
// session's clock runs from the block shown, so its times hold the learning too.
bool timesRecall(TrainingActivity activity);

// Visits every keystroke of a known session in order, as visit(session, keystroke, gapMs): the time since
// the session's previous keystroke, or since its start for its first. Keystrokes of an unknown session
// are passed over.
template <class Visit> void forEachKeystroke(const ProgressHistory& history, Visit&& visit)
{
    const HistorySession* session = nullptr;
    qint32 previousMs = 0;
    for (const HistoryKeystroke& keystroke : history.keystrokes) {
        if (!session || session->sessionId != keystroke.sessionId) {
            session = history.session(keystroke.sessionId);
            previousMs = 0;
        }
        if (!session)
            continue;
        visit(*session, keystroke, keystroke.ms - previousMs);
        previousMs = keystroke.ms;
    }
}

// The value below which `share` (0 to 1) of `values` lie, the nearest rank; 0 for none. Reorders them.
double percentileOf(std::vector<qint32>& values, double share);
