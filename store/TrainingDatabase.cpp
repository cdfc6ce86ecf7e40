#include "TrainingDatabase.h"

#include "KeystrokeCache.h"
#include "TrainingCsv.h"
#include "TrainingVocabulary.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>

#include <sqlite3.h>

#include <cmath>

namespace {
// Which view each kind of row comes from, in which order, and how a row of the view becomes one.
template <class Row> struct RowsOf;

template <> struct RowsOf<StoredSession>
{
    static constexpr TrainingView View = TrainingView::SessionSummary;
    static QString order() { return QStringLiteral("session_id"); }
    static StoredSession from(const QSqlQuery& q)
    {
        return {q.value(0).toLongLong(),
                modeFromText(q.value(1).toString()).value_or(TrainingMode::Learn),
                numberFromText(q.value(2).toString()).value_or(TrainingNumber::Pi),
                q.value(3).toInt(),
                utcFromText(q.value(4).toString()),
                q.value(5).toDouble(),
                q.value(6).toInt(),
                q.value(7).toInt()};
    }
};

template <> struct RowsOf<StoredKeystroke>
{
    static constexpr TrainingView View = TrainingView::KeystrokeLog;
    static QString order() { return QStringLiteral("session_id, seq"); }
    static StoredKeystroke from(const QSqlQuery& q)
    {
        return {q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toInt(),
                q.value(3).toInt(),      q.value(4).toInt(), q.value(5).toLongLong()};
    }
};

template <> struct RowsOf<StoredItemState>
{
    static constexpr TrainingView View = TrainingView::ItemState;
    static QString order() { return QStringLiteral("item_id"); }
    static StoredItemState from(const QSqlQuery& q)
    {
        return {q.value(0).toString(),
                numberFromText(q.value(1).toString()).value_or(TrainingNumber::Pi),
                kindFromText(q.value(2).toString()).value_or(ItemKind::Block),
                q.value(3).toInt(),
                q.value(4).toInt(),
                q.value(5).toDouble(),
                q.value(6).toDouble(),
                utcFromText(q.value(7).toString()),
                q.value(8).toInt(),
                q.value(9).toInt()};
    }
};

template <> struct RowsOf<StoredReview>
{
    static constexpr TrainingView View = TrainingView::ReviewLog;
    static QString order() { return QStringLiteral("reviewed_utc, item_id, session_id"); }
    static StoredReview from(const QSqlQuery& q)
    {
        return {q.value(0).toString(), q.value(1).toLongLong(), utcFromText(q.value(2).toString()), q.value(3).toInt()};
    }
};

QString run(QSqlQuery& query, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    return query.exec() ? QString() : query.lastError().text();
}

QString run(QSqlDatabase& database, const QString& statement, const QVariantList& values)
{
    QSqlQuery query(database);
    if (!query.prepare(statement))
        return query.lastError().text();
    return run(query, values);
}

qint64 milliseconds(double seconds)
{
    return std::llround(seconds * 1000.0);
}
} // namespace

TrainingDatabase::TrainingDatabase(QString connectionName) : m_connectionName(std::move(connectionName)) {}

TrainingDatabase::~TrainingDatabase()
{
    disconnect();
    m_lock.reset();
}

qint64 TrainingDatabase::lastSessionId()
{
    QSqlQuery query(m_database);
    if (!m_open || !query.exec(QStringLiteral("SELECT coalesce(max(session_id), 0) FROM sessions")) || !query.next())
        return 0;
    return query.value(0).toLongLong();
}

QString TrainingDatabase::prepareStatements()
{
    m_keystrokeStatements = std::make_unique<KeystrokeStatements>(m_database);
    if (!m_keystrokeStatements->insert.prepare(
            QStringLiteral("INSERT INTO keystrokes (session_id, seq, position, expected, typed, ms) "
                           "VALUES (?, ?, ?, ?, ?, ?)")))
        return m_keystrokeStatements->insert.lastError().text();
    if (!m_keystrokeStatements->count.prepare(
            QStringLiteral("UPDATE sessions SET typed = typed + 1, correct = correct + ?, "
                           "milliseconds = max(milliseconds, ?) WHERE session_id = ?")))
        return m_keystrokeStatements->count.lastError().text();
    return {};
}

QString TrainingDatabase::inTransaction(const std::function<QString()>& work)
{
    if (!m_open)
        return QStringLiteral("the training database is not open");
    if (!m_database.transaction())
        return m_database.lastError().text();
    QString error = work();
    if (error.isEmpty() && !m_database.commit())
        error = m_database.lastError().text();
    if (!error.isEmpty())
        m_database.rollback();
    return error;
}

QString TrainingDatabase::startSession(qint64 sessionId, TrainingMode mode, TrainingNumber number, int firstPosition,
                                       const QDateTime& startedUtc)
{
    return inTransaction([&] {
        return run(m_database,
                   QStringLiteral("INSERT INTO sessions (session_id, mode, number, first_position, started_utc) "
                                  "VALUES (?, ?, ?, ?, ?)"),
                   {sessionId, modeText(mode), numberText(number), firstPosition, utcText(startedUtc)});
    });
}

// The keystroke and its session's counts are one transaction: a kill leaves both or neither.
QString TrainingDatabase::addKeystroke(const StoredKeystroke& keystroke)
{
    return inTransaction([&] {
        QString error = run(m_keystrokeStatements->insert, {keystroke.sessionId, keystroke.seq, keystroke.position,
                                                            keystroke.expected, keystroke.typed, keystroke.ms});
        if (error.isEmpty()) {
            const int correct = keystroke.typed == keystroke.expected ? 1 : 0;
            error = run(m_keystrokeStatements->count, {correct, keystroke.ms, keystroke.sessionId});
        }
        return error;
    });
}

QString TrainingDatabase::finishSession(qint64 sessionId, double seconds)
{
    return inTransaction([&] {
        return run(m_database, QStringLiteral("UPDATE sessions SET milliseconds = ? WHERE session_id = ?"),
                   {milliseconds(seconds), sessionId});
    });
}

QString TrainingDatabase::saveItemState(const StoredItemState& state)
{
    // An update in place: replacing the row would delete it first, which its reviews forbid.
    return inTransaction([&] {
        return run(m_database,
                   QStringLiteral("INSERT INTO items (item_id, number, kind, first_position, last_position, stability, "
                                  "difficulty, due_utc, reps, lapses) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
                                  "ON CONFLICT (item_id) DO UPDATE SET number = excluded.number, kind = excluded.kind, "
                                  "first_position = excluded.first_position, last_position = excluded.last_position, "
                                  "stability = excluded.stability, difficulty = excluded.difficulty, "
                                  "due_utc = excluded.due_utc, reps = excluded.reps, lapses = excluded.lapses"),
                   {state.itemId, numberText(state.number), kindText(state.kind), state.firstPosition,
                    state.lastPosition, state.stability, state.difficulty, utcText(state.dueUtc), state.reps,
                    state.lapses});
    });
}

QString TrainingDatabase::addReview(const StoredReview& review)
{
    return inTransaction([&] {
        return run(
            m_database,
            QStringLiteral("INSERT INTO reviews (item_id, session_id, reviewed_utc, rating) VALUES (?, ?, ?, ?)"),
            {review.itemId, review.sessionId, utcText(review.reviewedUtc), review.rating});
    });
}

QString TrainingDatabase::saveNote(const StoredNote& note)
{
    return inTransaction([&] {
        if (note.text.isEmpty())
            return run(m_database, QStringLiteral("DELETE FROM item_notes WHERE item_id = ?"), {note.itemId});
        return run(m_database,
                   QStringLiteral("INSERT INTO item_notes (item_id, text) VALUES (?, ?) "
                                  "ON CONFLICT (item_id) DO UPDATE SET text = excluded.text"),
                   {note.itemId, note.text});
    });
}

QString TrainingDatabase::saveSettings(const TrainingSettings& settings)
{
    return inTransaction([&] {
        return run(m_database,
                   QStringLiteral("INSERT INTO settings (settings_id, desired_retention, new_blocks_per_day, "
                                  "daily_minutes_cap) VALUES (1, ?, ?, ?) ON CONFLICT (settings_id) DO UPDATE SET "
                                  "desired_retention = excluded.desired_retention, "
                                  "new_blocks_per_day = excluded.new_blocks_per_day, "
                                  "daily_minutes_cap = excluded.daily_minutes_cap"),
                   {settings.desiredRetention, settings.newBlocksPerDay,
                    settings.dailyMinutesCap ? QVariant(*settings.dailyMinutesCap) : QVariant()});
    });
}

template <class Row, class Visit>
QString TrainingDatabase::forEachRow(const QString& condition, const QVariantList& values, Visit visit)
{
    if (!m_open)
        return QStringLiteral("the training database is not open");
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    const QString statement = QStringLiteral("SELECT ") + viewColumns(RowsOf<Row>::View).join(QStringLiteral(", ")) +
                              QStringLiteral(" FROM ") + viewName(RowsOf<Row>::View) + condition +
                              QStringLiteral(" ORDER BY ") + RowsOf<Row>::order();
    if (!query.prepare(statement))
        return query.lastError().text();
    if (QString error = run(query, values); !error.isEmpty())
        return error;
    while (query.next())
        visit(RowsOf<Row>::from(query));
    return query.lastError().isValid() ? query.lastError().text() : QString();
}

template <class Row>
TrainingDatabase::Rows<Row> TrainingDatabase::select(const QString& condition, const QVariantList& values)
{
    Rows<Row> result;
    result.error = forEachRow<Row>(condition, values, [&result](Row row) { result.rows.push_back(std::move(row)); });
    if (!result.error.isEmpty())
        result.rows.clear();
    return result;
}

TrainingDatabase::Rows<StoredSession> TrainingDatabase::sessionSummaries()
{
    return select<StoredSession>();
}

TrainingDatabase::Rows<StoredKeystroke> TrainingDatabase::keystrokes(qint64 sessionId)
{
    return select<StoredKeystroke>(QStringLiteral(" WHERE session_id = ?"), {sessionId});
}

TrainingDatabase::Rows<StoredItemState> TrainingDatabase::itemStates()
{
    return select<StoredItemState>();
}

TrainingDatabase::Rows<StoredReview> TrainingDatabase::reviews()
{
    return select<StoredReview>();
}

TrainingDatabase::Rows<StoredNote> TrainingDatabase::notes()
{
    Rows<StoredNote> result;
    if (!m_open) {
        result.error = QStringLiteral("the training database is not open");
        return result;
    }
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT item_id, text FROM item_notes ORDER BY item_id"))) {
        result.error = query.lastError().text();
        return result;
    }
    while (query.next())
        result.rows.push_back({query.value(0).toString(), query.value(1).toString()});
    return result;
}

std::vector<SessionKey> TrainingDatabase::sessionKeys(QString& error)
{
    std::vector<SessionKey> keys;
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT session_id, typed, started_utc FROM sessions ORDER BY session_id"))) {
        error = query.lastError().text();
        return keys;
    }
    while (query.next())
        keys.push_back(
            {query.value(0).toLongLong(), query.value(1).toLongLong(), startHash(query.value(2).toString())});
    return keys;
}

QString TrainingDatabase::appendKeystrokes(qint64 afterSession, std::vector<HistoryKeystroke>& rows)
{
    const QString statement = QStringLiteral("SELECT session_id, ms, position, expected, typed FROM keystrokes "
                                             "WHERE session_id > ? ORDER BY session_id, seq");
    // Millions of rows: through SQLite's own interface they come five times faster than as variants.
    const QVariant handle = m_database.driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
        sqlite3_stmt* query = nullptr;
        const QByteArray sql = statement.toUtf8();
        int status = sqlite3_prepare_v2(connection, sql.constData(), int(sql.size()), &query, nullptr);
        if (status == SQLITE_OK)
            status = sqlite3_bind_int64(query, 1, afterSession);
        if (status == SQLITE_OK) {
            while ((status = sqlite3_step(query)) == SQLITE_ROW)
                rows.push_back({qint32(sqlite3_column_int64(query, 0)), qint32(sqlite3_column_int64(query, 1)),
                                quint16(sqlite3_column_int(query, 2)), quint8(sqlite3_column_int(query, 3)),
                                quint8(sqlite3_column_int(query, 4))});
        }
        const QString error = status == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(connection));
        sqlite3_finalize(query);
        return error;
    }
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        return query.lastError().text();
    query.addBindValue(afterSession);
    if (!query.exec())
        return query.lastError().text();
    while (query.next())
        rows.push_back({qint32(query.value(0).toLongLong()), qint32(query.value(1).toLongLong()),
                        quint16(query.value(2).toInt()), quint8(query.value(3).toInt()),
                        quint8(query.value(4).toInt())});
    return query.lastError().isValid() ? query.lastError().text() : QString();
}

TrainingDatabase::Rows<HistoryKeystroke> TrainingDatabase::keystrokeHistory()
{
    Rows<HistoryKeystroke> result;
    if (!m_open) {
        result.error = QStringLiteral("the training database is not open");
        return result;
    }
    KeystrokeCache current;
    current.sessions = sessionKeys(result.error);
    if (!result.error.isEmpty())
        return result;
    qint64 total = 0;
    for (const SessionKey& session : current.sessions)
        total += session.typed;

    // The keystrokes of the sessions the cache still holds come from it; those of later sessions, or all
    // of them when it holds none, from the database.
    std::optional<KeystrokeCache> cache = readKeystrokeCache(m_keystrokeCachePath, std::size_t(total));
    qint64 readAfter = 0;
    if (cache && !cache->sessions.empty() && cacheStillHolds(cache->sessions, current.sessions)) {
        current.keystrokes = std::move(cache->keystrokes);
        readAfter = cache->sessions.back().sessionId;
    }
    const bool cacheComplete = cache && cache->sessions.size() == current.sessions.size() && readAfter > 0;
    cache.reset();
    if (readAfter == 0)
        current.keystrokes.reserve(std::size_t(total));
    if (const QString error = appendKeystrokes(readAfter, current.keystrokes); !error.isEmpty()) {
        result.error = error;
        return result;
    }
    // A session row that counts other than its keystrokes (a file edited by hand) makes no cache.
    if (!cacheComplete && qint64(current.keystrokes.size()) == total)
        writeKeystrokeCache(m_keystrokeCachePath, current);
    result.rows = std::move(current.keystrokes);
    return result;
}

TrainingDatabase::Rows<TrainingSettings> TrainingDatabase::settings()
{
    Rows<TrainingSettings> result;
    if (!m_open) {
        result.error = QStringLiteral("the training database is not open");
        return result;
    }
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT desired_retention, new_blocks_per_day, daily_minutes_cap FROM settings"))) {
        result.error = query.lastError().text();
        return result;
    }
    while (query.next()) {
        TrainingSettings& settings = result.rows.emplace_back();
        settings.desiredRetention = query.value(0).toDouble();
        settings.newBlocksPerDay = query.value(1).toInt();
        if (!query.value(2).isNull())
            settings.dailyMinutesCap = query.value(2).toDouble();
    }
    return result;
}

template <class Row> WriteResult TrainingDatabase::exportRows(const QString& path)
{
    QByteArray csv = csvHeader(RowsOf<Row>::View);
    const QString error = forEachRow<Row>({}, {}, [&csv](const Row& row) { appendCsvRow(csv, row); });
    if (!error.isEmpty())
        return {false, error};
    return writeFileAtomically(path, csv);
}

WriteResult TrainingDatabase::exportCsv(TrainingView view, const QString& path)
{
    switch (view) {
    case TrainingView::SessionSummary:
        return exportRows<StoredSession>(path);
    case TrainingView::KeystrokeLog:
        return exportRows<StoredKeystroke>(path);
    case TrainingView::ItemState:
        return exportRows<StoredItemState>(path);
    case TrainingView::ReviewLog:
        return exportRows<StoredReview>(path);
    }
    return {false, QStringLiteral("no such view")};
}
