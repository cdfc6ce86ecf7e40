#include "files/AppendFile.h"
#include "FailingWrites.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <unistd.h>

namespace {
QByteArray lineOf(int number)
{
    return "{\"n\":" + QByteArray::number(number) + ",\"pad\":\"" + QByteArray(200, char('a' + number % 26)) + "\"}\n";
}

// A full device that takes the bytes before it fills up a few at a time.
constexpr size_t BytesPerWrite = 7;

class AppendFileTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("attempt_4711.journal")); }

    QTemporaryDir m_dir;
};
} // namespace

TEST_F(AppendFileTest, appends_createTheFileAndKeepEveryLineInOrder)
{
    QByteArray expected;
    for (int number = 1; number <= 50; ++number) {
        const WriteResult result = appendDurably(path(), lineOf(number));
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_TRUE(result.error.isEmpty());
        expected += lineOf(number);
    }
    EXPECT_EQ(readFile(path()), expected);
}

TEST_F(AppendFileTest, shortAndInterruptedWrites_continueUntilEveryByteIsWritten)
{
    ASSERT_TRUE(appendDurably(path(), lineOf(1)).ok);
    int calls = 0;
    bool interrupted = false;
    const WriteCall stuttering = [&](int fd, const void* data, size_t size) -> ssize_t {
        ++calls;
        if (!interrupted) {
            interrupted = true;
            errno = EINTR;
            return -1;
        }
        return ::write(fd, data, std::min(size, size_t(5)));
    };
    const WriteResult result = appendDurably(path(), lineOf(2), stuttering);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(readFile(path()), lineOf(1) + lineOf(2));
    EXPECT_EQ(calls, 1 + (lineOf(2).size() + 4) / 5);
}

TEST_F(AppendFileTest, failingDisk_reportsTheReasonAndLeavesNoPartOfTheLine)
{
    struct Case
    {
        const char* name;
        size_t accepted;
        ssize_t failure;
        int failureErrno;
        int expectedErrno;
    };
    const Case cases[] = {
        {"no progress after half the line", 100, 0, 0, ENOSPC},
        {"ENOSPC after half the line", 100, -1, ENOSPC, ENOSPC},
        {"ENOSPC at once", 0, -1, ENOSPC, ENOSPC},
        {"I/O error after a byte", 1, -1, EIO, EIO},
    };
    const QByteArray before = lineOf(1) + lineOf(2);
    ASSERT_TRUE(appendDurably(path(), before).ok);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WriteResult result =
            appendDurably(path(), lineOf(3), failingAfter(c.accepted, c.failure, c.failureErrno, BytesPerWrite));
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.contains(qt_error_string(c.expectedErrno))) << result.error.toStdString();
        EXPECT_TRUE(result.error.contains(QDir::toNativeSeparators(path()))) << result.error.toStdString();
        EXPECT_EQ(readFile(path()), before);
    }
    // The next append lands right after the last complete line.
    ASSERT_TRUE(appendDurably(path(), lineOf(3)).ok);
    EXPECT_EQ(readFile(path()), before + lineOf(3));
}

TEST_F(AppendFileTest, failedFirstAppend_leavesAnEmptyFile)
{
    const WriteResult result = appendDurably(path(), lineOf(1), failingAfter(10, -1, ENOSPC, BytesPerWrite));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(readFile(path()), QByteArray());
}

TEST_F(AppendFileTest, unwritableLocation_reportsTheReason)
{
    ASSERT_TRUE(appendDurably(m_dir.filePath(QStringLiteral("plain")), "x").ok);
    struct Case
    {
        QString path;
        int expectedErrno;
    };
    const Case cases[] = {
        {m_dir.filePath(QStringLiteral("missing/attempt.journal")), ENOENT},
        {m_dir.filePath(QStringLiteral("plain/attempt.journal")), ENOTDIR},
        {m_dir.path(), EISDIR},
        {QString(), EINVAL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const WriteResult result = appendDurably(c.path, "x");
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.contains(qt_error_string(c.expectedErrno))) << result.error.toStdString();
    }
}

TEST_F(AppendFileTest, readOnlyFile_reportsTheReasonAndKeepsTheFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    ASSERT_TRUE(appendDurably(path(), lineOf(1)).ok);
    ASSERT_TRUE(QFile::setPermissions(path(), QFileDevice::ReadOwner));
    const WriteResult result = appendDurably(path(), lineOf(2));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(qt_error_string(EACCES))) << result.error.toStdString();
    EXPECT_EQ(readFile(path()), lineOf(1));
}
