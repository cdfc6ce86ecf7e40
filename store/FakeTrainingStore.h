#pragma once

#include "TrainingStore.h"

#include <QString>

#include <map>
#include <utility>
#include <vector>

// The training store in memory, for tests of what uses one. It keeps and refuses what the SQLite store
// does (a keystroke of an unknown session, a second keystroke with the same number, a review of an
// item never saved), reports refusals through failed(), and delivers replies later as it does.
class FakeTrainingStore final : public TrainingStore
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FakeTrainingStore)

public:
    using TrainingStore::TrainingStore;

    // From now on every write fails with `error` and keeps nothing; an empty error ends that.
    void failWrites(const QString& error) { m_writeError = error; }

    qint64 startSession(TrainingMode mode, TrainingNumber number, int firstPosition,
                        const QDateTime& startedUtc) override;
    void addKeystroke(const StoredKeystroke& keystroke) override;
    void finishSession(qint64 sessionId, double seconds) override;
    void saveItemState(const StoredItemState& state) override;
    void addReview(const StoredReview& review) override;
    void saveNote(const StoredNote& note) override;
    void saveSettings(const TrainingSettings& settings) override;

    std::vector<StoredSession> sessionSummaries() override;
    std::vector<StoredKeystroke> keystrokes(qint64 sessionId) override;
    std::vector<StoredItemState> itemStates() override;
    std::vector<StoredReview> reviews() override;
    std::vector<StoredNote> notes() override;
    std::vector<HistoryKeystroke> keystrokeHistory() override;
    TrainingSettings settings() override;

    void readSessionSummaries(QObject* receiver, Reply<std::vector<StoredSession>> reply) override;
    void readKeystrokes(qint64 sessionId, QObject* receiver, Reply<std::vector<StoredKeystroke>> reply) override;
    void readKeystrokeHistory(QObject* receiver, Reply<std::vector<HistoryKeystroke>> reply) override;
    void exportCsv(TrainingView view, const QString& path, QObject* receiver, Reply<WriteResult> reply) override;

    void waitForIdle() override {}

private:
    bool refuse(bool refused, const QString& error);
    template <class Result> void replyLater(QObject* receiver, Reply<Result> reply, Result result);

    QString m_writeError;
    qint64 m_lastSessionId = 0;
    std::map<qint64, StoredSession> m_sessions;
    std::map<std::pair<qint64, int>, StoredKeystroke> m_keystrokes;
    std::map<QString, StoredItemState> m_items;
    std::vector<StoredReview> m_reviews;
    std::map<QString, QString> m_notes;
    TrainingSettings m_settings;
};
