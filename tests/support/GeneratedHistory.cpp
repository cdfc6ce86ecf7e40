#include "GeneratedHistory.h"

#include "SqliteTrainingStore.h"
#include "TrainingStore.h"
#include "TrainingVocabulary.h"
#include "training/FsrsScheduler.h"
#include "training/TrainingDays.h"
#include "training/TrainingItems.h"

#include <QDate>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <random>

namespace {

// About one position in a hundred is hard: it fails and slows far more often.
bool hardPosition(int position)
{
    quint64 x = quint64(position) + 0x9e3779b97f4a7c15ull;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
    return (x ^ (x >> 31)) % 97u == 0u;
}

struct Generator
{
    explicit Generator(const HistoryShape& shape) : shape(shape), random(shape.seed) {}

    const HistoryShape& shape;
    std::mt19937 random;
    FsrsScheduler scheduler;
    GeneratedHistory history;
    std::map<QString, std::pair<TrainingItem, ItemSchedule>> learned;
    std::map<TrainingNumber, int> learnedBlocks;
    double slowness = 1.0;

    double chance() { return std::uniform_real_distribution<double>(0.0, 1.0)(random); }

    void learnBlock(TrainingNumber number, int day)
    {
        const int next = learnedBlocks[number] + 1;
        const std::vector<TrainingItem> items = itemsOf(number);
        const int blocks = blockCount(int(numberDigits(number).size()));
        if (next > blocks)
            return;
        learnedBlocks[number] = next;
        review(items[std::size_t(next - 1)], day, Rating::Good);
        // The junction before it, once both its blocks are learned.
        if (next > 1)
            review(items[std::size_t(blocks + next - 2)], day, Rating::Good);
    }

    void review(const TrainingItem& item, int day, Rating rating)
    {
        const QString id = item.id();
        auto found = learned.find(id);
        const std::optional<ItemSchedule> before =
            found == learned.end() ? std::nullopt : std::optional<ItemSchedule>(found->second.second);
        const ItemSchedule after = scheduler.review(before, day, rating).schedule;
        learned[id] = {item, after};
        history.reviews.push_back(
            {id, 0, startOfTrainingDay(day).addSecs(8 * 3600 + qint64(history.reviews.size() % 3600)), int(rating)});
    }

    void reviewDueItems(int day)
    {
        std::vector<TrainingItem> due;
        for (const auto& [id, entry] : learned) {
            if (entry.second.dueDay <= day)
                due.push_back(entry.first);
        }
        for (const TrainingItem& item : due) {
            const double recall = scheduler.retrievabilityOn(learned[item.id()].second, day);
            review(item, day, chance() < recall ? Rating::Good : Rating::Again);
        }
    }

    TrainingNumber numberFor(int session)
    {
        const TrainingNumber numbers[] = {TrainingNumber::Pi, TrainingNumber::Pi, TrainingNumber::E,
                                          TrainingNumber::Sqrt2};
        return numbers[session % 4];
    }

    // The digits a session asks: a recital and a rehearsal from digit 1, the others from a learned block.
    int firstPositionFor(TrainingMode mode, TrainingNumber number)
    {
        const int blocks = std::max(1, learnedBlocks[number]);
        if (mode == TrainingMode::Recite || mode == TrainingMode::Rehearse)
            return 1;
        if (mode == TrainingMode::Learn)
            return (blocks - 1) * BlockLength + 1;
        return std::uniform_int_distribution<int>(0, blocks - 1)(random) * BlockLength + 1;
    }

    void addSession(qint64 id, TrainingMode mode, TrainingNumber number, int day, int slot, int keystrokes)
    {
        const QString& digits = numberDigits(number);
        const int firstPosition = firstPositionFor(mode, number);
        StoredSession session{
            id, mode, number, firstPosition, startOfTrainingDay(day).addSecs(6 * 3600 + qint64(slot) * 150), 0.0, 0, 0};
        qint32 ms = 0;
        for (int k = 0; k < keystrokes; ++k) {
            const int position = (firstPosition - 1 + k) % int(digits.size()) + 1;
            const bool hard = hardPosition(position);
            const int expected = digits.at(position - 1).digitValue();
            const bool wrong = chance() < (hard ? 0.25 : 0.01);
            const int typed = wrong ? (expected + 1 + int(random() % 9)) % 10 : expected;
            const bool slow = chance() < (hard ? 0.5 : 0.02);
            ms += qint32((slow ? 3000 + qint32(random() % 5000) : 600 + qint32(random() % 900)) * slowness);
            history.keystrokes.push_back({qint32(id), ms, quint16(position), quint8(expected), quint8(typed)});
            ++session.typed;
            session.correct += wrong ? 0 : 1;
        }
        session.seconds = ms / 1000.0 + 2.0;
        history.sessions.push_back(session);
    }
};

TrainingMode modeFor(int slot, bool saturday, int sessionsToday)
{
    if (slot == 0)
        return TrainingMode::Learn;
    if (slot == 1)
        return TrainingMode::Recite;
    if (slot == 2 && saturday)
        return TrainingMode::Rehearse;
    return slot % 5 == 0 || slot == sessionsToday - 1 ? TrainingMode::Drill : TrainingMode::Review;
}

} // namespace

GeneratedHistory generateHistory(const HistoryShape& shape)
{
    Generator generator(shape);
    GeneratedHistory& history = generator.history;
    history.sessions.reserve(std::size_t(shape.sessions));
    history.keystrokes.reserve(std::size_t(shape.keystrokes));
    // Sundays and one day in twenty are days off; Saturdays learn a second block of pi and rehearse.
    const int firstDay = shape.lastDay - shape.days + 1;
    std::vector<int> trainingDays;
    for (int day = firstDay; day <= shape.lastDay; ++day) {
        if (QDate::fromJulianDay(day).dayOfWeek() != Qt::Sunday && generator.chance() >= 0.05)
            trainingDays.push_back(day);
    }
    // Some days hold far more sessions than others.
    std::vector<double> busyUpTo;
    double busy = 0.0;
    for (std::size_t d = 0; d < trainingDays.size(); ++d)
        busyUpTo.push_back(busy += 0.3 + 1.4 * generator.chance());
    const auto sessionsBy = [&](qint64 d) {
        return d == 0 ? qint64(0) : qint64(std::llround(double(shape.sessions) * busyUpTo[std::size_t(d - 1)] / busy));
    };
    qint64 id = 0;
    qint64 keystrokesLeft = shape.keystrokes;
    const auto count = qint64(trainingDays.size());
    for (qint64 d = 0; d < count; ++d) {
        const int day = trainingDays[std::size_t(d)];
        const bool saturday = QDate::fromJulianDay(day).dayOfWeek() == Qt::Saturday;
        generator.learnBlock(TrainingNumber::Pi, day);
        if (saturday)
            generator.learnBlock(TrainingNumber::Pi, day);
        if (d % 2 == 0)
            generator.learnBlock(TrainingNumber::E, day);
        if (d % 3 == 0)
            generator.learnBlock(TrainingNumber::Sqrt2, day);
        generator.reviewDueItems(day);
        // The competitor gets faster over the months.
        generator.slowness = 1.5 - 0.6 * double(day - firstDay) / std::max(1, shape.days);

        const auto sessionsToday = int(sessionsBy(d + 1) - sessionsBy(d));
        for (int slot = 0; slot < sessionsToday; ++slot) {
            ++id;
            const qint64 sessionsLeft = shape.sessions - id + 1;
            const auto keystrokes = int(keystrokesLeft / sessionsLeft);
            keystrokesLeft -= keystrokes;
            const TrainingMode mode = modeFor(slot, saturday, sessionsToday);
            const TrainingNumber number =
                mode == TrainingMode::Learn || mode == TrainingMode::Recite || mode == TrainingMode::Rehearse
                    ? TrainingNumber::Pi
                    : generator.numberFor(slot);
            generator.addSession(id, mode, number, day, slot, keystrokes);
        }
    }
    for (const auto& [itemId, entry] : generator.learned) {
        const auto& [item, schedule] = entry;
        history.items.push_back({itemId, item.number, item.kind, item.firstPosition, item.lastPosition,
                                 schedule.memory.stability, schedule.memory.difficulty,
                                 startOfTrainingDay(schedule.dueDay), schedule.reps, schedule.lapses});
    }
    // Reviews name a session of their day when there is one.
    std::map<int, qint64> sessionOfDay;
    for (const StoredSession& session : history.sessions)
        sessionOfDay.emplace(trainingDay(session.startedUtc), session.sessionId);
    for (StoredReview& review : history.reviews) {
        const auto found = sessionOfDay.find(trainingDay(review.reviewedUtc));
        review.sessionId = found == sessionOfDay.end() ? 1 : found->second;
    }
    const char* images[] = {"a lighthouse on the pier", "the red door", "grandmother's clock", "a swan on ice",
                            "the bakery's sign"};
    for (int block = 1; block <= 328; block += 3)
        history.notes.push_back({QStringLiteral("pi/block/%1").arg(block), QString::fromLatin1(images[block % 5])});
    std::sort(history.notes.begin(), history.notes.end(),
              [](const StoredNote& a, const StoredNote& b) { return a.itemId < b.itemId; });
    return history;
}

void GeneratedHistory::writeTo(TrainingStore& store) const
{
    std::size_t next = 0;
    for (const StoredSession& session : sessions) {
        const qint64 id = store.startSession(session.mode, session.number, session.firstPosition, session.startedUtc);
        int seq = 0;
        for (; next < keystrokes.size() && keystrokes[next].sessionId == session.sessionId; ++next) {
            const HistoryKeystroke& k = keystrokes[next];
            store.addKeystroke({id, ++seq, k.position, k.expected, k.typed, k.ms});
        }
        store.finishSession(id, session.seconds);
    }
    for (const StoredItemState& item : items)
        store.saveItemState(item);
    for (const StoredReview& review : reviews)
        store.addReview(review);
    for (const StoredNote& note : notes)
        store.saveNote(note);
}

bool GeneratedHistory::writeToFile(const QString& folder) const
{
    {
        SqliteTrainingStore store(folder);
        if (!store.open().opened)
            return false;
        store.waitForCheck();
    }
    const QString connection = QStringLiteral("history");
    bool ok = true;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(QDir(folder).filePath(QStringLiteral("training.sqlite")));
        ok = database.open();
        QSqlQuery query(database);
        ok = ok && query.exec(QStringLiteral("PRAGMA synchronous = OFF")) && database.transaction();
        const auto run = [&](const QVariantList& values) {
            for (qsizetype i = 0; i < values.size(); ++i)
                query.bindValue(int(i), values[i]);
            if (ok && !query.exec()) {
                std::fprintf(stderr, "%s\n", qPrintable(query.lastError().text()));
                ok = false;
            }
        };
        query.prepare(QStringLiteral("INSERT INTO sessions (session_id, mode, number, first_position, started_utc, "
                                     "milliseconds, typed, correct) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const StoredSession& s : sessions)
            run({s.sessionId, modeText(s.mode), numberText(s.number), s.firstPosition, utcText(s.startedUtc),
                 qint64(s.seconds * 1000.0), s.typed, s.correct});
        query.prepare(QStringLiteral("INSERT INTO keystrokes VALUES (?, ?, ?, ?, ?, ?)"));
        qint32 session = 0;
        int seq = 0;
        for (const HistoryKeystroke& k : keystrokes) {
            seq = k.sessionId == session ? seq + 1 : 1;
            session = k.sessionId;
            run({k.sessionId, seq, k.position, k.expected, k.typed, k.ms});
        }
        query.prepare(QStringLiteral("INSERT INTO items VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const StoredItemState& i : items)
            run({i.itemId, numberText(i.number), kindText(i.kind), i.firstPosition, i.lastPosition, i.stability,
                 i.difficulty, utcText(i.dueUtc), i.reps, i.lapses});
        query.prepare(
            QStringLiteral("INSERT INTO reviews (item_id, session_id, reviewed_utc, rating) VALUES (?, ?, ?, ?)"));
        for (const StoredReview& r : reviews)
            run({r.itemId, r.sessionId, utcText(r.reviewedUtc), r.rating});
        query.prepare(QStringLiteral("INSERT INTO item_notes VALUES (?, ?)"));
        for (const StoredNote& n : notes)
            run({n.itemId, n.text});
        ok = ok && database.commit();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}
