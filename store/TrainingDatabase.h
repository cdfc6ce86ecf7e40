#pragma once

#include "KeystrokeCache.h"
#include "StoreOpening.h"
#include "TrainingRows.h"
#include "TrainingView.h"
#include "files/AtomicFile.h"
#include "training/TrainingSettings.h"
#include "training/progress/HistoryKeystroke.h"

#include <QDateTime>
#include <QLockFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// The training database as SQL sees it: one connection, used on the thread that made the object and
// nowhere else. Every write is a transaction of its own and returns its error text, empty on success.
// Reads go through the views, as another program's would.
class TrainingDatabase final
{
public:
    static constexpr char FileName[] = "training.sqlite";

    template <class Row> struct Rows
    {
        std::vector<Row> rows;
        QString error;
    };

    explicit TrainingDatabase(QString connectionName);
    ~TrainingDatabase();
    TrainingDatabase(const TrainingDatabase&) = delete;
    TrainingDatabase& operator=(const TrainingDatabase&) = delete;

    // Opens `folder`/training.sqlite, making it when missing, and keeps other programs from writing it
    // while it is open (training.sqlite.lock). A damaged one is set aside under a name with `localNow`
    // in it and a new one is made.
    StoreOpening open(const QString& folder, const QDateTime& localNow);
    bool isOpen() const { return m_open; }
    // The highest session id so far; 0 in a new database.
    qint64 lastSessionId();

    QString startSession(qint64 sessionId, TrainingMode mode, TrainingNumber number, int firstPosition,
                         const QDateTime& startedUtc);
    QString addKeystroke(const StoredKeystroke& keystroke);
    QString finishSession(qint64 sessionId, double seconds);
    QString saveItemState(const StoredItemState& state);
    QString addReview(const StoredReview& review);
    QString saveNote(const StoredNote& note);
    QString saveSettings(const TrainingSettings& settings);

    Rows<StoredSession> sessionSummaries();
    Rows<StoredKeystroke> keystrokes(qint64 sessionId);
    Rows<StoredItemState> itemStates();
    Rows<StoredReview> reviews();
    Rows<StoredNote> notes();
    Rows<HistoryKeystroke> keystrokeHistory();
    // None until settings are saved; the values as kept, in range or not.
    Rows<TrainingSettings> settings();

    WriteResult exportCsv(TrainingView view, const QString& path);

private:
    enum class Health
    {
        Sound,
        Damaged,
        Unreadable,
    };
    struct Inspection
    {
        Health health = Health::Sound;
        QString reason;
    };

    QString lock(const QString& path);
    StoreOpening openLocked(const QString& path, const QDateTime& localNow);
    bool connect(const QString& path, bool readOnly);
    void disconnect();
    Inspection inspect(const QString& path);
    QString prepare();
    QString prepareStatements();
    StoreOpening openSound(const QString& path);
    QString inTransaction(const std::function<QString()>& work);
    template <class Row, class Visit>
    QString forEachRow(const QString& condition, const QVariantList& values, Visit visit);
    template <class Row> Rows<Row> select(const QString& condition = {}, const QVariantList& values = {});
    template <class Row> WriteResult exportRows(const QString& path);
    std::vector<SessionKey> sessionKeys(QString& error);
    // The keystrokes of every session after `afterSession`, in the order of session and sequence.
    QString appendKeystrokes(qint64 afterSession, std::vector<HistoryKeystroke>& rows);

    // The statements every keystroke runs, prepared once.
    struct KeystrokeStatements
    {
        explicit KeystrokeStatements(const QSqlDatabase& database) : insert(database), count(database) {}
        QSqlQuery insert;
        QSqlQuery count;
    };

    QString m_connectionName;
    // Held while the file is open: two programs numbering sessions in one file would mix them up.
    std::unique_ptr<QLockFile> m_lock;
    QSqlDatabase m_database;
    std::unique_ptr<KeystrokeStatements> m_keystrokeStatements;
    bool m_open = false;
    // Beside the database, so that the progress views need not scan every keystroke at each opening.
    QString m_keystrokeCachePath;
};
