#include "frmTraining/TrainingHistory.h"

#include "TrainingStore.h"
#include "TrainingVocabulary.h"
#include "training/ReviewSession.h"
#include "training/TrainingDays.h"
#include "training/TrainingItems.h"
#include "training/TrainingSummary.h"

TrainingHistory TrainingHistory::read(TrainingStore& store)
{
    TrainingHistory history;
    history.settings = store.settings();
    // The day of an item's last review comes from the review log; item_state keeps only the next one.
    std::map<QString, int> lastReviewDays;
    for (const StoredReview& review : store.reviews()) {
        int& day = lastReviewDays[review.itemId];
        day = std::max(day, trainingDay(review.reviewedUtc));
    }
    std::map<QString, StoredItemState> states;
    for (StoredItemState& state : store.itemStates())
        states.emplace(state.itemId, std::move(state));

    for (const TrainingItem& item : allTrainingItems()) {
        ItemProgress& entry = history.progress.emplace_back(ItemProgress{item, std::nullopt});
        const auto state = states.find(item.id());
        if (state == states.end())
            continue;
        const int dueDay = trainingDay(state->second.dueUtc);
        const auto lastReview = lastReviewDays.find(item.id());
        entry.schedule = ItemSchedule{{state->second.stability, state->second.difficulty},
                                      lastReview == lastReviewDays.end() ? dueDay : lastReview->second,
                                      dueDay,
                                      state->second.reps,
                                      state->second.lapses};
    }

    std::vector<SessionPace> sessions;
    // A review's recall is a session of its own, as long as the recall: its pace is its length over its
    // digits.
    std::map<qint64, double> reviewPacesMs;
    for (const StoredSession& session : store.sessionSummaries()) {
        sessions.push_back({activityOf(session.mode), session.seconds, session.typed});
        if (session.mode == TrainingMode::Review && session.typed > 0)
            reviewPacesMs.emplace(session.sessionId, session.seconds * 1000.0 / double(session.typed));
    }
    history.pace = paceFromSessions(sessions);
    std::vector<PastRecall> recalls;
    for (const StoredReview& review : store.reviews()) {
        const auto pace = reviewPacesMs.find(review.sessionId);
        if (pace != reviewPacesMs.end())
            recalls.push_back({review.itemId, Rating(review.rating), pace->second});
    }
    history.itemPacesMs = medianPacesByItem(recalls);

    for (StoredNote& note : store.notes())
        history.notes.emplace(std::move(note.itemId), std::move(note.text));
    return history;
}

std::set<int> TrainingHistory::learnedBlocks(TrainingNumber number) const
{
    std::set<int> learned;
    for (const ItemProgress& entry : progress) {
        if (entry.item.number == number && entry.item.kind == ItemKind::Block && entry.schedule)
            learned.insert(entry.item.index);
    }
    return learned;
}
