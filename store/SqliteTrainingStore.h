#pragma once

#include "StoreOpening.h"
#include "TrainingStore.h"

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class TrainingDatabase;

// The training store in an SQLite file, training.sqlite in the data folder. Every query runs on the
// store's own thread, which alone holds the connection: a write is queued and the call returns at once,
// a waiting read is queued and waited for. Replies and failures are delivered in the thread that made
// the store. Once open, a second thread checks the whole file on a read-only connection of its own
// and reports damage through failed(); the next opening sets such a file aside.
class SqliteTrainingStore final : public TrainingStore
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SqliteTrainingStore)

public:
    // Nothing is read or written in `folder` before open().
    explicit SqliteTrainingStore(QString folder, QObject* parent = nullptr);
    // Keeps every write handed over before it closes the file.
    ~SqliteTrainingStore() override;

    // Opens the file and waits for it. A damaged file is set aside under a name with the local time
    // `localNow`. Until the store has opened, writes are dropped and reads come back empty.
    StoreOpening open(const QDateTime& localNow = QDateTime::currentDateTime());
    QString filePath() const;
    // Blocks until the check of the file that open() started has ended; its finding, if any, has then
    // been reported. For tests and benchmarks: the program never needs to wait for it.
    void waitForCheck();

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

    void waitForIdle() override;

private:
    using Job = std::function<void(TrainingDatabase&)>;

    void post(Job job);
    void write(std::function<QString(TrainingDatabase&)> change);
    template <class Result> Result ask(std::function<Result(TrainingDatabase&)> question);
    template <class Result>
    void answerLater(std::function<Result(TrainingDatabase&)> question, QObject* receiver, Reply<Result> reply);
    void reportFailure(const QString& error);
    void run();
    void check();

    const QString m_folder;
    std::atomic<bool> m_open = false;
    std::atomic<qint64> m_lastSessionId = 0;
    std::mutex m_mutex;
    std::condition_variable m_workArrived;
    std::condition_variable m_becameIdle;
    std::deque<Job> m_jobs;
    bool m_working = false;
    bool m_stopping = false;
    std::unique_ptr<QThread> m_check;
    // Made last, started once every member it uses exists.
    std::unique_ptr<QThread> m_thread;
};
