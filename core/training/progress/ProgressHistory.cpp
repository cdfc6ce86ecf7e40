#include "training/progress/ProgressHistory.h"

#include <algorithm>

const HistorySession* ProgressHistory::session(qint64 sessionId) const
{
    const auto found = std::lower_bound(sessions.begin(), sessions.end(), sessionId,
                                        [](const HistorySession& s, qint64 id) { return s.sessionId < id; });
    return found != sessions.end() && found->sessionId == sessionId ? &*found : nullptr;
}
