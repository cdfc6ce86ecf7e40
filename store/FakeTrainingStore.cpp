#include "FakeTrainingStore.h"

#include "TrainingCsv.h"

#include <QPointer>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {
template <class Key, class Row> std::vector<Row> valuesOf(const std::map<Key, Row>& rows)
{
    std::vector<Row> values;
    for (const auto& [key, row] : rows)
        values.push_back(row);
    return values;
}

template <class Row> QByteArray csvOf(TrainingView view, const std::vector<Row>& rows)
{
    QByteArray csv = csvHeader(view);
    for (const Row& row : rows)
        appendCsvRow(csv, row);
    return csv;
}

// As the database keeps a length: in whole milliseconds.
double wholeMilliseconds(double seconds)
{
    return double(std::llround(seconds * 1000.0)) / 1000.0;
}
} // namespace

bool FakeTrainingStore::refuse(bool refused, const QString& error)
{
    if (!m_writeError.isEmpty()) {
        refused = true;
        emit failed(m_writeError);
    } else if (refused) {
        emit failed(error);
    }
    return refused;
}

qint64 FakeTrainingStore::startSession(TrainingMode mode, TrainingNumber number, int firstPosition,
                                       const QDateTime& startedUtc)
{
    const qint64 sessionId = ++m_lastSessionId;
    if (!refuse(firstPosition < 1, QStringLiteral("a session starts at digit 1 or later")))
        m_sessions[sessionId] = {sessionId, mode, number, firstPosition, startedUtc.toUTC(), 0.0, 0, 0};
    return sessionId;
}

void FakeTrainingStore::addKeystroke(const StoredKeystroke& keystroke)
{
    const auto session = m_sessions.find(keystroke.sessionId);
    const std::pair key{keystroke.sessionId, keystroke.seq};
    const bool valid = keystroke.seq >= 1 && keystroke.position >= 1 && keystroke.expected >= 0 &&
                       keystroke.expected <= 9 && keystroke.typed >= 0 && keystroke.typed <= 9 && keystroke.ms >= 0;
    if (refuse(!valid || session == m_sessions.end() || m_keystrokes.count(key) != 0,
               QStringLiteral("keystroke %1 of session %2 cannot be kept").arg(keystroke.seq).arg(keystroke.sessionId)))
        return;
    m_keystrokes[key] = keystroke;
    session->second.typed += 1;
    session->second.correct += keystroke.typed == keystroke.expected ? 1 : 0;
    session->second.seconds = std::max(session->second.seconds, double(keystroke.ms) / 1000.0);
}

void FakeTrainingStore::finishSession(qint64 sessionId, double seconds)
{
    const auto session = m_sessions.find(sessionId);
    if (!refuse(false, {}) && session != m_sessions.end())
        session->second.seconds = wholeMilliseconds(seconds);
}

void FakeTrainingStore::saveItemState(const StoredItemState& state)
{
    if (!refuse(state.lastPosition < state.firstPosition,
                QStringLiteral("item %1 ends before it starts").arg(state.itemId)))
        m_items[state.itemId] = {state.itemId,       state.number,    state.kind,       state.firstPosition,
                                 state.lastPosition, state.stability, state.difficulty, state.dueUtc.toUTC(),
                                 state.reps,         state.lapses};
}

void FakeTrainingStore::addReview(const StoredReview& review)
{
    if (refuse(m_items.count(review.itemId) == 0 || m_sessions.count(review.sessionId) == 0 || review.rating < 1 ||
                   review.rating > 4,
               QStringLiteral("the review of item %1 cannot be kept").arg(review.itemId)))
        return;
    m_reviews.push_back({review.itemId, review.sessionId, review.reviewedUtc.toUTC(), review.rating});
}

void FakeTrainingStore::saveNote(const StoredNote& note)
{
    if (refuse(note.itemId.isEmpty(), QStringLiteral("a note needs its item")))
        return;
    if (note.text.isEmpty())
        m_notes.erase(note.itemId);
    else
        m_notes[note.itemId] = note.text;
}

void FakeTrainingStore::saveSettings(const TrainingSettings& settings)
{
    if (refuse(false, {}))
        return;
    m_settings = settings;
}

std::vector<StoredSession> FakeTrainingStore::sessionSummaries()
{
    return valuesOf(m_sessions);
}

std::vector<StoredKeystroke> FakeTrainingStore::keystrokes(qint64 sessionId)
{
    std::vector<StoredKeystroke> rows;
    for (auto it = m_keystrokes.lower_bound({sessionId, 0}); it != m_keystrokes.end() && it->first.first == sessionId;
         ++it)
        rows.push_back(it->second);
    return rows;
}

std::vector<StoredItemState> FakeTrainingStore::itemStates()
{
    return valuesOf(m_items);
}

std::vector<StoredReview> FakeTrainingStore::reviews()
{
    std::vector<StoredReview> rows = m_reviews;
    std::stable_sort(rows.begin(), rows.end(), [](const StoredReview& a, const StoredReview& b) {
        return std::tie(a.reviewedUtc, a.itemId, a.sessionId) < std::tie(b.reviewedUtc, b.itemId, b.sessionId);
    });
    return rows;
}

std::vector<StoredNote> FakeTrainingStore::notes()
{
    std::vector<StoredNote> rows;
    for (const auto& [itemId, text] : m_notes)
        rows.push_back({itemId, text});
    return rows;
}

std::vector<HistoryKeystroke> FakeTrainingStore::keystrokeHistory()
{
    std::vector<HistoryKeystroke> rows;
    rows.reserve(m_keystrokes.size());
    for (const auto& [key, k] : m_keystrokes)
        rows.push_back({qint32(k.sessionId), qint32(k.ms), quint16(k.position), quint8(k.expected), quint8(k.typed)});
    return rows;
}

TrainingSettings FakeTrainingStore::settings()
{
    return withinRanges(m_settings);
}

void FakeTrainingStore::readSessionSummaries(QObject* receiver, Reply<std::vector<StoredSession>> reply)
{
    replyLater(receiver, std::move(reply), sessionSummaries());
}

void FakeTrainingStore::readKeystrokes(qint64 sessionId, QObject* receiver, Reply<std::vector<StoredKeystroke>> reply)
{
    replyLater(receiver, std::move(reply), keystrokes(sessionId));
}

void FakeTrainingStore::readKeystrokeHistory(QObject* receiver, Reply<std::vector<HistoryKeystroke>> reply)
{
    replyLater(receiver, std::move(reply), keystrokeHistory());
}

void FakeTrainingStore::exportCsv(TrainingView view, const QString& path, QObject* receiver, Reply<WriteResult> reply)
{
    QByteArray csv;
    switch (view) {
    case TrainingView::SessionSummary:
        csv = csvOf(view, sessionSummaries());
        break;
    case TrainingView::KeystrokeLog:
        csv = csvOf(view, valuesOf(m_keystrokes));
        break;
    case TrainingView::ItemState:
        csv = csvOf(view, itemStates());
        break;
    case TrainingView::ReviewLog:
        csv = csvOf(view, reviews());
        break;
    }
    replyLater(receiver, std::move(reply), writeFileAtomically(path, csv));
}

template <class Result> void FakeTrainingStore::replyLater(QObject* receiver, Reply<Result> reply, Result result)
{
    QMetaObject::invokeMethod(
        this,
        [target = QPointer<QObject>(receiver), reply = std::move(reply), result = std::move(result)]() mutable {
            if (target)
                reply(std::move(result));
        },
        Qt::QueuedConnection);
}
