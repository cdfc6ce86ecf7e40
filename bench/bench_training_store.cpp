// The training store with a long history (10,000 sessions, 3 million keystrokes) in a temporary folder:
// the time from handing a keystroke to the store until its row is committed, and the time to open the
// store and read what the training window shows first.
#include "BenchFigures.h"
#include "SqliteTrainingStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int Sessions = 10000;
constexpr int KeystrokesPerSession = 300;
constexpr int Items = 528;
constexpr int ReviewsPerItem = 40;

// What one durable commit cannot go below on this disk.
std::vector<double> diskSyncs(const QString& path)
{
    std::vector<double> samples;
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0)
        return samples;
    QElapsedTimer timer;
    for (int round = 0; round < 300; ++round) {
        timer.start();
        if (::write(fd, "keystroke 1234567 of 300000\n", 28) != 28 || ::fdatasync(fd) != 0)
            break;
        samples.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    ::close(fd);
    return samples;
}

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Written straight into the store's tables in one transaction: through the store, one commit per
// keystroke, three million would take hours.
bool makeHistory(const QString& path)
{
    const QString connection = QStringLiteral("history");
    bool ok = true;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(path);
        ok = database.open();
        QSqlQuery query(database);
        const QString statements[] = {
            QStringLiteral("PRAGMA synchronous = OFF"),
            QStringLiteral("BEGIN"),
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                           "INSERT INTO sessions (session_id, mode, number, first_position, started_utc, milliseconds, "
                           "typed, correct) SELECT i + 1, CASE i % 3 WHEN 0 THEN 'review' WHEN 1 THEN 'recite' ELSE "
                           "'learn' END, CASE i % 5 WHEN 0 THEN 'e' WHEN 1 THEN 'sqrt2' ELSE 'pi' END, "
                           "1 + (i * 100) % 9000, strftime('%Y-%m-%dT%H:%M:%fZ', 1700000000 + i * 3600, 'unixepoch'), "
                           "%2 * 400, %2, %2 - %2 / 23 FROM n")
                .arg(Sessions - 1)
                .arg(KeystrokesPerSession),
            QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                "INSERT INTO keystrokes SELECT i / %2 + 1, i % %2 + 1, 1 + ((i / %2) * 100) % 9000 + i % %2, "
                "(i * 7) % 10, CASE WHEN i % %2 % 23 = 22 THEN (i * 7 + 1) % 10 ELSE (i * 7) % 10 END, "
                "(i % %2 + 1) * 400 FROM n")
                .arg(Sessions * KeystrokesPerSession - 1)
                .arg(KeystrokesPerSession),
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                           "INSERT INTO items SELECT 'pi-block-' || i, 'pi', 'block', i * 100 + 1, i * 100 + 100, "
                           "10.0 + i, 5.0, strftime('%Y-%m-%dT%H:%M:%fZ', 1736000000 + i * 86400, 'unixepoch'), 8, 1 "
                           "FROM n")
                .arg(Items - 1),
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                           "INSERT INTO reviews (item_id, session_id, reviewed_utc, rating) SELECT "
                           "'pi-block-' || (i % %2), 1 + i % %3, "
                           "strftime('%Y-%m-%dT%H:%M:%fZ', 1700000000 + i * 600, 'unixepoch'), 1 + i % 4 FROM n")
                .arg(Items * ReviewsPerItem - 1)
                .arg(Items)
                .arg(Sessions),
            QStringLiteral("COMMIT"),
        };
        for (const QString& statement : statements) {
            if (ok && !query.exec(statement)) {
                std::fprintf(stderr, "%s\n", qPrintable(query.lastError().text()));
                ok = false;
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    {
        SqliteTrainingStore store(dir.path());
        const StoreOpening opening = store.open();
        if (!opening.opened) {
            std::fprintf(stderr, "%s\n", qPrintable(opening.message));
            return 1;
        }
    }
    const QString path = dir.filePath(QStringLiteral("training.sqlite"));
    QElapsedTimer timer;
    timer.start();
    if (!makeHistory(path))
        return 1;
    std::printf("history of %d sessions, %d keystrokes, %d items, %d reviews made in %.1f s: %.1f MB in %s\n", Sessions,
                Sessions * KeystrokesPerSession, Items, Items * ReviewsPerItem, milliseconds(timer) / 1000,
                double(QFileInfo(path).size()) / 1e6, qPrintable(dir.path()));

    // The file was just written, so it is in the page cache, as it is on a second start of the day.
    std::vector<double> opens;
    std::vector<double> windowReads;
    std::vector<double> both;
    std::size_t sessionsRead = 0;
    for (int round = 0; round < 7; ++round) {
        timer.start();
        SqliteTrainingStore store(dir.path());
        const StoreOpening opening = store.open();
        const double opened = milliseconds(timer);
        sessionsRead = store.sessionSummaries().size();
        const std::size_t items = store.itemStates().size();
        both.push_back(milliseconds(timer));
        opens.push_back(opened);
        windowReads.push_back(both.back() - opened);
        if (!opening.opened || sessionsRead != std::size_t(Sessions) || items != std::size_t(Items)) {
            std::fprintf(stderr, "the history did not come back: %s\n", qPrintable(opening.message));
            return 1;
        }
    }
    printTimings("training store: open (header, schema version and schema looked at)", opens, "ms");
    printTimings("training store: read 10,000 session summaries and 528 item states", windowReads, "ms");
    printTimings("training store: open and read what the training window shows first", both, "ms", 150.0);
    {
        SqliteTrainingStore store(dir.path());
        store.open();
        timer.start();
        store.waitForCheck();
        printFigure("training store: whole-file check beside the open store (a batch thread)", milliseconds(timer),
                    "ms");
    }
    printTimings("this disk: append 28 bytes and fdatasync, for comparison",
                 diskSyncs(dir.filePath(QStringLiteral("sync"))), "ms");

    SqliteTrainingStore store(dir.path());
    store.open();
    // Its check of the file runs during the first keystrokes, as it does when the competitor starts at once.
    const qint64 session =
        store.startSession(TrainingMode::Recite, TrainingNumber::Pi, 1, QDateTime::currentDateTimeUtc());
    store.waitForIdle();
    std::vector<double> handOver;
    std::vector<double> committed;
    const int keystrokes = argc > 1 ? std::max(10, std::atoi(argv[1])) : 1000;
    for (int seq = 1; seq <= keystrokes; ++seq) {
        timer.start();
        store.addKeystroke({session, seq, seq, seq % 10, seq % 10, seq * 300});
        handOver.push_back(double(timer.nsecsElapsed()) / 1e3);
        store.waitForIdle();
        committed.push_back(milliseconds(timer));
    }
    printTimings("training store: addKeystroke() on the caller's thread", handOver, "us");
    printTimings("training store: keystroke to row committed (WAL, synchronous FULL)", committed, "ms", 5.0, true);
    return 0;
}
