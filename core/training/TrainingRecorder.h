#pragma once

#include "training/ItemSchedule.h"
#include "training/Rating.h"
#include "training/TrainingActivity.h"
#include "training/TrainingItem.h"

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// One digit typed in a session: `seq` counts the session's keystrokes from 1, `position` the digits
// after the point from 1, `ms` the time since the session began.
struct TypedDigit
{
    qint64 sessionId = 0;
    int seq = 1;
    int position = 1;
    int expected = 0;
    int typed = 0;
    qint64 ms = 0;

    bool operator==(const TypedDigit&) const = default;
};

// An item's review and the schedule it leads to.
struct ItemReview
{
    TrainingItem item;
    ItemSchedule schedule;
    qint64 sessionId = 0;
    QDateTime reviewedUtc;
    Rating rating = Rating::Good;
};

// Where a training session hands what happened, as it happens. The program's recorder writes to the
// training store, whose writes return at once; the rules never wait for a disk.
class TrainingRecorder
{
public:
    virtual ~TrainingRecorder() = default;

    // The new session's id, at once.
    virtual qint64 startSession(TrainingActivity activity, TrainingNumber number, int firstPosition,
                                const QDateTime& startedUtc) = 0;
    virtual void digitTyped(const TypedDigit& digit) = 0;
    virtual void sessionFinished(qint64 sessionId, double seconds) = 0;
    virtual void itemReviewed(const ItemReview& review) = 0;
    // An empty note removes the item's note.
    virtual void noteWritten(const QString& itemId, const QString& note) = 0;
};
