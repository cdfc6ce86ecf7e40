#pragma once

#include "TrainingRows.h"
#include "TrainingView.h"
#include "files/AtomicFile.h"
#include "training/TrainingSettings.h"
#include "training/progress/HistoryKeystroke.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

// Where training keeps its history: sessions, every keystroke, the items' schedule and their reviews.
// The screens hand it what happened and read back rows; they never see how it is kept. Writes return
// at once and are kept in the order they were handed over.
class TrainingStore : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrainingStore)

public:
    template <class Result> using Reply = std::function<void(Result)>;

    using QObject::QObject;
    ~TrainingStore() override = default;

    // Returns the new session's id at once, for its keystrokes and reviews.
    virtual qint64 startSession(TrainingMode mode, TrainingNumber number, int firstPosition,
                                const QDateTime& startedUtc) = 0;
    // Each keystroke is kept on its own, as soon as it can be, so that a crash loses at most the last.
    virtual void addKeystroke(const StoredKeystroke& keystroke) = 0;
    virtual void finishSession(qint64 sessionId, double seconds) = 0;
    // Adds the item's state or replaces the one kept; save it before the item's first review.
    virtual void saveItemState(const StoredItemState& state) = 0;
    virtual void addReview(const StoredReview& review) = 0;
    // Keeps the note of its item, replacing the one kept; an empty text removes it.
    virtual void saveNote(const StoredNote& note) = 0;
    // Keeps the competitor's settings, replacing those kept.
    virtual void saveSettings(const TrainingSettings& settings) = 0;

    // Reads that wait until every write handed over before them is kept: for the start of a window,
    // which cannot show before it has them. Rows come in the order of their view's key.
    virtual std::vector<StoredSession> sessionSummaries() = 0;
    virtual std::vector<StoredKeystroke> keystrokes(qint64 sessionId) = 0;
    virtual std::vector<StoredItemState> itemStates() = 0;
    virtual std::vector<StoredReview> reviews() = 0;
    // In the order of their item ids.
    virtual std::vector<StoredNote> notes() = 0;
    // Every keystroke of every session, by session and sequence, in a compact form: years of training
    // hold millions of them.
    virtual std::vector<HistoryKeystroke> keystrokeHistory() = 0;
    // The defaults until settings are saved; a value kept out of its range reads as its default.
    virtual TrainingSettings settings() = 0;

    // The same without waiting: `reply` runs later in the thread that made the store, where `receiver`
    // lives, never inside the call, and not at all once `receiver` is gone.
    virtual void readSessionSummaries(QObject* receiver, Reply<std::vector<StoredSession>> reply) = 0;
    virtual void readKeystrokes(qint64 sessionId, QObject* receiver, Reply<std::vector<StoredKeystroke>> reply) = 0;
    virtual void readKeystrokeHistory(QObject* receiver, Reply<std::vector<HistoryKeystroke>> reply) = 0;

    // Writes every row of `view` to a CSV file at `path`, replacing it whole or not at all; `reply`
    // gets the outcome as readSessionSummaries does.
    virtual void exportCsv(TrainingView view, const QString& path, QObject* receiver, Reply<WriteResult> reply) = 0;

    // Blocks until every write handed over so far is kept.
    virtual void waitForIdle() = 0;

signals:
    // A write or a read failed; `error` says why, for the competitor.
    void failed(const QString& error);
};
