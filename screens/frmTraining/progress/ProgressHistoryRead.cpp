#include "frmTraining/progress/ProgressHistoryRead.h"

#include "TrainingStore.h"
#include "frmTraining/TrainingHistory.h"
#include "training/TrainingDays.h"

namespace {

TrainingActivity activityOf(TrainingMode mode)
{
    switch (mode) {
    case TrainingMode::Learn:
        return TrainingActivity::Learn;
    case TrainingMode::Review:
        return TrainingActivity::Review;
    case TrainingMode::Recite:
        return TrainingActivity::Recite;
    case TrainingMode::Drill:
        return TrainingActivity::Drill;
    case TrainingMode::Rehearse:
        break;
    }
    return TrainingActivity::Rehearse;
}

} // namespace

ProgressHistory readProgressHistory(TrainingStore& store, std::vector<HistoryKeystroke> keystrokes)
{
    ProgressHistory history;
    TrainingHistory training = TrainingHistory::read(store);
    history.progress = std::move(training.progress);
    history.pace = training.pace;
    history.notes = std::move(training.notes);
    const std::vector<StoredSession> sessions = store.sessionSummaries();
    history.sessions.reserve(sessions.size());
    for (const StoredSession& s : sessions)
        history.sessions.push_back({s.sessionId, activityOf(s.mode), s.number, s.firstPosition,
                                    trainingDay(s.startedUtc), s.seconds, s.typed, s.correct});
    const std::vector<StoredReview> reviews = store.reviews();
    history.reviews.reserve(reviews.size());
    for (const StoredReview& r : reviews)
        history.reviews.push_back({r.itemId, trainingDay(r.reviewedUtc), r.rating});
    history.keystrokes = std::move(keystrokes);
    return history;
}
