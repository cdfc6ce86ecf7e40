#include "TestFiles.h"
#include "files/DraftWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr int VersionCount = 3;

// A serialised attempt record of a full pi sheet (819 rows of 40 cells, about 1 MB). Every version
// answers a different share of the cells, so the versions differ in content and length.
QByteArray recordVersion(int number)
{
    QByteArray bytes = "<?xml version='1.0' encoding='utf-8'?>\n<Korvalin><SpecialNumbers>\n";
    for (int row = 1; row <= 819; ++row) {
        bytes += "<Satir_" + QByteArray::number(row) + '>';
        for (int column = 1; column <= 40; ++column) {
            const char digit = char('0' + (row * 40 + column) % 10);
            const bool answered = (row + column) % VersionCount < number;
            bytes += "<Soru_" + QByteArray::number(column) + " soru=\"" + digit + "\" cevap=\"" +
                     (answered ? QByteArray(1, digit) : QByteArray()) + "\"/>";
        }
        bytes += "</Satir_" + QByteArray::number(row) + ">\n";
    }
    bytes += "<!-- version " + QByteArray::number(number) + " -->\n</SpecialNumbers></Korvalin>\n";
    return bytes;
}

// The child saves the versions in turn, starting at `first`, and after every completed write sends
// the number of the version now on disk through `reportFd`. It runs until it is killed.
[[noreturn]] void saveInTurns(const QString& path, const std::array<QByteArray, VersionCount>& versions, int first,
                              int reportFd)
{
    DraftWriter writer([&versions, reportFd](const QString& target, const QByteArray& bytes) {
        const WriteResult result = writeFileAtomically(target, bytes);
        const auto number = char(std::find(versions.begin(), versions.end(), bytes) - versions.begin());
        if (result.ok && ::write(reportFd, &number, 1) != 1)
            ::_exit(2);
        return result;
    });
    for (int turn = first; turn < first + 100000; ++turn) {
        writer.submit(path, versions[turn % VersionCount]);
        writer.waitForIdle();
    }
    ::_exit(0);
}
} // namespace

TEST(DraftDurability, killedWhileSaving_fileIsTheLastCompletedSaveOrTheOneInFlight)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("draft_record_4711.xml"));
    std::array<QByteArray, VersionCount> versions;
    for (int number = 0; number < VersionCount; ++number)
        versions[number] = recordVersion(number);

    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(writeFileAtomically(path, versions[0]).ok);
    // Kills are spread over about three writes, so that they land in every stage of a save.
    const qint64 spreadMicroseconds = std::clamp<qint64>(3 * timer.nsecsElapsed() / 1000, 5000, 150000);

    int onDisk = 0;
    int killsBeforeRename = 0;
    for (int kill = 0; kill < 50; ++kill) {
        SCOPED_TRACE(kill);
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeFds[0]);
            saveInTurns(path, versions, onDisk + 1, pipeFds[1]);
        }
        ::close(pipeFds[1]);
        std::this_thread::sleep_for(std::chrono::microseconds(spreadMicroseconds * ((kill * 37) % 50) / 50));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        char reported = char(onDisk);
        char number = 0;
        while (::read(pipeFds[0], &number, 1) == 1)
            reported = number;
        ::close(pipeFds[0]);

        const QByteArray contents = readFile(path);
        const int completed = reported;
        const int inFlight = (completed + 1) % VersionCount;
        if (contents == versions[completed]) {
            onDisk = completed;
        } else {
            ASSERT_EQ(contents, versions[inFlight]) << "neither the last completed save nor the one in flight";
            onDisk = inFlight;
        }
        const QStringList leftovers =
            QDir(dir.path()).entryList({QStringLiteral(".draft_record_4711.xml.*")}, QDir::Files | QDir::Hidden);
        killsBeforeRename += int(leftovers.size());
        for (const QString& leftover : leftovers)
            QFile::remove(dir.filePath(leftover));
    }
    std::printf("[ info ] 50 kills over %lld us; %d landed before the rename of a save\n",
                static_cast<long long>(spreadMicroseconds), killsBeforeRename);
}
