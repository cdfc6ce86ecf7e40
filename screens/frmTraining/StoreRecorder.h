#pragma once

#include "training/TrainingRecorder.h"

class TrainingStore;

// Hands what a training session does to the training store, in the store's own rows. The store queues
// every write on its own thread, so nothing here waits for the disk.
class StoreRecorder final : public TrainingRecorder
{
public:
    explicit StoreRecorder(TrainingStore& store) : m_store(store) {}

    qint64 startSession(TrainingActivity activity, TrainingNumber number, int firstPosition,
                        const QDateTime& startedUtc) override;
    void digitTyped(const TypedDigit& digit) override;
    void sessionFinished(qint64 sessionId, double seconds) override;
    // The item's state first: a review refers to it.
    void itemReviewed(const ItemReview& review) override;
    void noteWritten(const QString& itemId, const QString& note) override;

private:
    TrainingStore& m_store;
};
