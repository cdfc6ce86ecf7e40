// A training session killed while the competitor types loses at most the keystroke in flight.
#include "../core/CoreApplicationEnvironment.h"
#include "SqliteTrainingStore.h"
#include "StoreTestSupport.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {
const auto* const coreApplication = ::testing::AddGlobalTestEnvironment(new CoreApplicationEnvironment);

struct Kept
{
    qint64 sessionId = 0;
    int seq = 0;
};

// The last "session seq" line of the typist's output.
Kept lastKept(const QByteArray& output)
{
    const QList<QByteArray> lines = output.trimmed().split('\n');
    const QList<QByteArray> fields = lines.back().split(' ');
    return fields.size() == 2 ? Kept{fields[0].toLongLong(), fields[1].toInt()} : Kept{};
}
} // namespace

TEST(KeystrokeKill, killedWhileTyping_losesAtMostTheKeystrokeInFlight)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    int inFlightLost = 0;
    for (int kill = 0; kill < 25; ++kill) {
        SCOPED_TRACE(kill);
        QProcess typist;
        typist.start(QStringLiteral(KORVALIN_KEYSTROKE_TYPIST), {dir.path()});
        // The first kept keystroke shows that it types; the kill lands somewhere in the next few.
        ASSERT_TRUE(typist.waitForReadyRead(10000)) << typist.readAllStandardError().toStdString();
        std::this_thread::sleep_for(std::chrono::microseconds(500 * ((kill * 37) % 40)));
        typist.kill();
        ASSERT_TRUE(typist.waitForFinished(10000));
        EXPECT_EQ(typist.exitStatus(), QProcess::CrashExit);
        const Kept reported = lastKept(typist.readAllStandardOutput());
        ASSERT_GT(reported.seq, 0);

        SqliteTrainingStore store(dir.path());
        const StoreOpening opening = store.open();
        ASSERT_TRUE(opening.opened) << qPrintable(opening.message);
        ASSERT_TRUE(opening.setAsidePath.isEmpty()) << qPrintable(opening.message);
        const std::vector<StoredKeystroke> kept = store.keystrokes(reported.sessionId);
        const int keptCount = int(kept.size());
        ASSERT_TRUE(keptCount == reported.seq || keptCount == reported.seq + 1)
            << keptCount << " kept, " << reported.seq << " reported";
        inFlightLost += keptCount == reported.seq ? 1 : 0;
        int correct = 0;
        for (int i = 0; i < keptCount; ++i) {
            EXPECT_EQ(kept[i].seq, i + 1);
            correct += kept[i].typed == kept[i].expected ? 1 : 0;
        }
        // The session's counts went with each keystroke, in its transaction.
        const std::vector<StoredSession> sessions = store.sessionSummaries();
        ASSERT_FALSE(sessions.empty());
        EXPECT_EQ(sessions.back().sessionId, reported.sessionId);
        EXPECT_EQ(sessions.back().typed, keptCount);
        EXPECT_EQ(sessions.back().correct, correct);
        EXPECT_EQ(std::llround(sessions.back().seconds * 1000), qint64(keptCount) * 150);
    }
    std::printf("[ info ] 25 kills; in %d the keystroke in flight was not yet kept\n", inFlightLost);
}
