#include "SqliteTrainingStore.h"

#include "files/BatchThread.h"

#include "DatabaseCheck.h"
#include "TrainingDatabase.h"

#include <QDir>
#include <QPointer>

#include <future>

SqliteTrainingStore::SqliteTrainingStore(QString folder, QObject* parent)
    : TrainingStore(parent), m_folder(std::move(folder)), m_thread(QThread::create([this] { run(); }))
{
    m_thread->setObjectName(QStringLiteral("training store"));
    m_thread->start();
}

SqliteTrainingStore::~SqliteTrainingStore()
{
    waitForCheck();
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_workArrived.notify_one();
    m_thread->wait();
}

StoreOpening SqliteTrainingStore::open(const QDateTime& localNow)
{
    waitForCheck();
    const StoreOpening opening = ask<StoreOpening>([this, localNow](TrainingDatabase& database) {
        StoreOpening result = database.open(m_folder, localNow);
        m_lastSessionId = database.lastSessionId();
        return result;
    });
    m_open = opening.opened;
    if (m_open) {
        m_check.reset(QThread::create([this] { check(); }));
        m_check->setObjectName(QStringLiteral("training store check"));
        m_check->start();
    }
    return opening;
}

void SqliteTrainingStore::waitForCheck()
{
    if (m_check)
        m_check->wait();
}

void SqliteTrainingStore::check()
{
    // The check reads the whole file, a second or two of a processor, beside the window and the writes.
    yieldToInteractiveThreads();
    const IntegrityCheck result =
        checkDatabaseIntegrity(filePath(), QStringLiteral("korvalin-training-check-%1").arg(quintptr(this), 0, 16));
    if (!result.damaged)
        return;
    const WriteResult kept = writeFileAtomically(damageFindingPath(filePath()), result.finding.toUtf8());
    reportFailure(QStringLiteral("The training database %1 is damaged (its check found: %2). ")
                      .arg(QDir::toNativeSeparators(filePath()), result.finding) +
                  (kept.ok ? QStringLiteral("It will be kept aside, and a new one started, when KORVALIN starts next.")
                           : QStringLiteral("Move it out of the data folder before KORVALIN starts next.")));
}

QString SqliteTrainingStore::filePath() const
{
    return QDir(m_folder).filePath(QString::fromLatin1(TrainingDatabase::FileName));
}

qint64 SqliteTrainingStore::startSession(TrainingMode mode, TrainingNumber number, int firstPosition,
                                         const QDateTime& startedUtc)
{
    // Numbered here, so the caller has the id before the row exists; the lock makes this the file's only writer.
    const qint64 sessionId = ++m_lastSessionId;
    write([=](TrainingDatabase& database) {
        return database.startSession(sessionId, mode, number, firstPosition, startedUtc);
    });
    return sessionId;
}

void SqliteTrainingStore::addKeystroke(const StoredKeystroke& keystroke)
{
    write([keystroke](TrainingDatabase& database) { return database.addKeystroke(keystroke); });
}

void SqliteTrainingStore::finishSession(qint64 sessionId, double seconds)
{
    write([=](TrainingDatabase& database) { return database.finishSession(sessionId, seconds); });
}

void SqliteTrainingStore::saveItemState(const StoredItemState& state)
{
    write([state](TrainingDatabase& database) { return database.saveItemState(state); });
}

void SqliteTrainingStore::addReview(const StoredReview& review)
{
    write([review](TrainingDatabase& database) { return database.addReview(review); });
}

void SqliteTrainingStore::saveNote(const StoredNote& note)
{
    write([note](TrainingDatabase& database) { return database.saveNote(note); });
}

void SqliteTrainingStore::saveSettings(const TrainingSettings& settings)
{
    write([settings](TrainingDatabase& database) { return database.saveSettings(settings); });
}

std::vector<StoredSession> SqliteTrainingStore::sessionSummaries()
{
    return ask<std::vector<StoredSession>>([this](TrainingDatabase& database) {
        auto read = database.sessionSummaries();
        reportFailure(read.error);
        return std::move(read.rows);
    });
}

std::vector<StoredKeystroke> SqliteTrainingStore::keystrokes(qint64 sessionId)
{
    return ask<std::vector<StoredKeystroke>>([this, sessionId](TrainingDatabase& database) {
        auto read = database.keystrokes(sessionId);
        reportFailure(read.error);
        return std::move(read.rows);
    });
}

std::vector<StoredItemState> SqliteTrainingStore::itemStates()
{
    return ask<std::vector<StoredItemState>>([this](TrainingDatabase& database) {
        auto read = database.itemStates();
        reportFailure(read.error);
        return std::move(read.rows);
    });
}

std::vector<StoredReview> SqliteTrainingStore::reviews()
{
    return ask<std::vector<StoredReview>>([this](TrainingDatabase& database) {
        auto read = database.reviews();
        reportFailure(read.error);
        return std::move(read.rows);
    });
}

std::vector<StoredNote> SqliteTrainingStore::notes()
{
    return ask<std::vector<StoredNote>>([this](TrainingDatabase& database) {
        auto read = database.notes();
        reportFailure(read.error);
        return std::move(read.rows);
    });
}

std::vector<HistoryKeystroke> SqliteTrainingStore::keystrokeHistory()
{
    return ask<std::vector<HistoryKeystroke>>([this](TrainingDatabase& database) {
        auto read = database.keystrokeHistory();
        reportFailure(read.error);
        return std::move(read.rows);
    });
}

TrainingSettings SqliteTrainingStore::settings()
{
    return ask<TrainingSettings>([this](TrainingDatabase& database) {
        auto read = database.settings();
        reportFailure(read.error);
        return read.rows.empty() ? TrainingSettings() : withinRanges(read.rows.front());
    });
}

void SqliteTrainingStore::readSessionSummaries(QObject* receiver, Reply<std::vector<StoredSession>> reply)
{
    answerLater<std::vector<StoredSession>>(
        [this](TrainingDatabase& database) {
            auto read = database.sessionSummaries();
            reportFailure(read.error);
            return std::move(read.rows);
        },
        receiver, std::move(reply));
}

void SqliteTrainingStore::readKeystrokes(qint64 sessionId, QObject* receiver, Reply<std::vector<StoredKeystroke>> reply)
{
    answerLater<std::vector<StoredKeystroke>>(
        [this, sessionId](TrainingDatabase& database) {
            auto read = database.keystrokes(sessionId);
            reportFailure(read.error);
            return std::move(read.rows);
        },
        receiver, std::move(reply));
}

void SqliteTrainingStore::readKeystrokeHistory(QObject* receiver, Reply<std::vector<HistoryKeystroke>> reply)
{
    answerLater<std::vector<HistoryKeystroke>>(
        [this](TrainingDatabase& database) {
            auto read = database.keystrokeHistory();
            reportFailure(read.error);
            return std::move(read.rows);
        },
        receiver, std::move(reply));
}

void SqliteTrainingStore::exportCsv(TrainingView view, const QString& path, QObject* receiver, Reply<WriteResult> reply)
{
    answerLater<WriteResult>([view, path](TrainingDatabase& database) { return database.exportCsv(view, path); },
                             receiver, std::move(reply));
}

void SqliteTrainingStore::waitForIdle()
{
    std::unique_lock lock(m_mutex);
    m_becameIdle.wait(lock, [this] { return !m_working && m_jobs.empty(); });
}

void SqliteTrainingStore::post(Job job)
{
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_workArrived.notify_one();
}

void SqliteTrainingStore::write(std::function<QString(TrainingDatabase&)> change)
{
    if (!m_open)
        return;
    post([this, change = std::move(change)](TrainingDatabase& database) { reportFailure(change(database)); });
}

template <class Result> Result SqliteTrainingStore::ask(std::function<Result(TrainingDatabase&)> question)
{
    std::promise<Result> answer;
    std::future<Result> future = answer.get_future();
    post([&answer, &question](TrainingDatabase& database) { answer.set_value(question(database)); });
    return future.get();
}

template <class Result>
void SqliteTrainingStore::answerLater(std::function<Result(TrainingDatabase&)> question, QObject* receiver,
                                      Reply<Result> reply)
{
    // The receiver is looked at only in this thread, where it can be deleted; the store's own thread
    // never touches it.
    post([this, question = std::move(question), target = QPointer<QObject>(receiver),
          reply = std::move(reply)](TrainingDatabase& database) mutable {
        QMetaObject::invokeMethod(
            this,
            [target = std::move(target), reply = std::move(reply), result = question(database)]() mutable {
                if (target)
                    reply(std::move(result));
            },
            Qt::QueuedConnection);
    });
}

void SqliteTrainingStore::reportFailure(const QString& error)
{
    if (error.isEmpty() || !m_open)
        return;
    QMetaObject::invokeMethod(
        this, [this, error] { emit failed(error); }, Qt::QueuedConnection);
}

void SqliteTrainingStore::run()
{
    TrainingDatabase database(QStringLiteral("korvalin-training-%1").arg(quintptr(this), 0, 16));
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_workArrived.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty())
            return;
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_working = true;
        lock.unlock();

        job(database);
        job = nullptr;

        lock.lock();
        m_working = false;
        if (m_jobs.empty())
            m_becameIdle.notify_all();
    }
}
