#pragma once

#include "training/TrainingRecorder.h"

#include <utility>
#include <vector>

// What a training session handed on, in the order it did.
class RecorderLog final : public TrainingRecorder
{
public:
    struct Session
    {
        TrainingActivity activity;
        TrainingNumber number;
        int firstPosition;
        QDateTime startedUtc;
    };

    qint64 startSession(TrainingActivity activity, TrainingNumber number, int firstPosition,
                        const QDateTime& startedUtc) override
    {
        sessions.push_back({activity, number, firstPosition, startedUtc});
        return 40 + qint64(sessions.size());
    }
    void digitTyped(const TypedDigit& digit) override { digits.push_back(digit); }
    void sessionFinished(qint64 sessionId, double seconds) override { finished.push_back({sessionId, seconds}); }
    void itemReviewed(const ItemReview& review) override { reviews.push_back(review); }
    void noteWritten(const QString& itemId, const QString& note) override { notes.push_back({itemId, note}); }

    std::vector<Session> sessions;
    std::vector<TypedDigit> digits;
    std::vector<std::pair<qint64, double>> finished;
    std::vector<ItemReview> reviews;
    std::vector<std::pair<QString, QString>> notes;
};
