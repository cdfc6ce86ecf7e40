#include "frmTraining/progress/ProgressHistoryRead.h"

#include "TrainingStore.h"
#include "TrainingVocabulary.h"
#include "frmTraining/TrainingHistory.h"
#include "training/TrainingDays.h"

#include <unordered_map>

namespace {

// Thousands of times, mostly on a few hundred days: the local calendar is asked once a quarter of an hour,
// the step every time zone's offset is a multiple of.
class DayOfMoment
{
public:
    int operator()(const QDateTime& moment)
    {
        const qint64 quarter = moment.toMSecsSinceEpoch() / (15 * 60 * 1000);
        const auto found = m_days.find(quarter);
        if (found != m_days.end())
            return found->second;
        return m_days.emplace(quarter, trainingDay(moment)).first->second;
    }

private:
    std::unordered_map<qint64, int> m_days;
};

} // namespace

ProgressHistory readProgressHistory(TrainingStore& store, std::vector<HistoryKeystroke> keystrokes)
{
    ProgressHistory history;
    TrainingHistory training = TrainingHistory::read(store);
    history.progress = std::move(training.progress);
    history.pace = training.pace;
    history.notes = std::move(training.notes);
    DayOfMoment dayOf;
    const std::vector<StoredSession> sessions = store.sessionSummaries();
    history.sessions.reserve(sessions.size());
    for (const StoredSession& s : sessions)
        history.sessions.push_back({s.sessionId, activityOf(s.mode), s.number, s.firstPosition, dayOf(s.startedUtc),
                                    s.seconds, s.typed, s.correct});
    const std::vector<StoredReview> reviews = store.reviews();
    history.reviews.reserve(reviews.size());
    for (const StoredReview& r : reviews)
        history.reviews.push_back({r.itemId, dayOf(r.reviewedUtc), r.rating});
    history.keystrokes = std::move(keystrokes);
    return history;
}
