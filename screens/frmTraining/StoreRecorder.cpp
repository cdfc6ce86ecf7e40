#include "frmTraining/StoreRecorder.h"

#include "TrainingStore.h"
#include "TrainingVocabulary.h"
#include "training/TrainingDays.h"

qint64 StoreRecorder::startSession(TrainingActivity activity, TrainingNumber number, int firstPosition,
                                   const QDateTime& startedUtc)
{
    return m_store.startSession(modeOf(activity), number, firstPosition, startedUtc);
}

void StoreRecorder::digitTyped(const TypedDigit& digit)
{
    m_store.addKeystroke({digit.sessionId, digit.seq, digit.position, digit.expected, digit.typed, digit.ms});
}

void StoreRecorder::sessionFinished(qint64 sessionId, double seconds)
{
    m_store.finishSession(sessionId, seconds);
}

void StoreRecorder::itemReviewed(const ItemReview& review)
{
    const TrainingItem& item = review.item;
    const ItemSchedule& schedule = review.schedule;
    m_store.saveItemState({item.id(), item.number, item.kind, item.firstPosition, item.lastPosition,
                           schedule.memory.stability, schedule.memory.difficulty, startOfTrainingDay(schedule.dueDay),
                           schedule.reps, schedule.lapses});
    m_store.addReview({item.id(), review.sessionId, review.reviewedUtc, ratingValue(review.rating)});
}

void StoreRecorder::noteWritten(const QString& itemId, const QString& note)
{
    m_store.saveNote({itemId, note});
}
