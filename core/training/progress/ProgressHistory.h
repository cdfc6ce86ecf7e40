#pragma once

#include "training/DailyQueue.h"
#include "training/TrainingActivity.h"
#include "training/TrainingNumber.h"
#include "training/progress/HistoryKeystroke.h"

#include <QString>
#include <QtGlobal>

#include <map>
#include <vector>

// The competitor's whole history in the terms the progress views count in. Days are training days (the
// competitor's local calendar, see trainingDay()).

struct HistorySession
{
    qint64 sessionId = 0;
    TrainingActivity activity = TrainingActivity::Learn;
    TrainingNumber number = TrainingNumber::Pi;
    int firstPosition = 1;
    int day = 0;
    double seconds = 0.0;
    int typed = 0;
    int correct = 0;
};

struct HistoryReview
{
    QString itemId;
    int day = 0;
    // 1 Again, 2 Hard, 3 Good, 4 Easy.
    int rating = 3;
};

struct ProgressHistory
{
    // In the order of their ids.
    std::vector<HistorySession> sessions;
    // By session, then in the order they were typed.
    std::vector<HistoryKeystroke> keystrokes;
    // In the order they were made.
    std::vector<HistoryReview> reviews;
    // Every item, with its schedule once it has had its first review.
    std::vector<ItemProgress> progress;
    std::map<QString, QString> notes;
    PaceEstimate pace;

    // The session with that id; null for one not in the history.
    const HistorySession* session(qint64 sessionId) const;
};
