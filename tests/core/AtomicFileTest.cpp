#include "files/AtomicFile.h"
#include "FailingWrites.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
QByteArray documentOfSize(qsizetype size, char seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char('0' + (i * 7 + seed) % 10);
    return bytes;
}

// A ::write stand-in that passes at most `chunk` bytes per call to the real write.
WriteCall chunkedWrite(size_t chunk, int* calls)
{
    return [chunk, calls](int fd, const void* data, size_t size) {
        ++*calls;
        return ::write(fd, data, std::min(size, chunk));
    };
}

class AtomicFileTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("draft_record_4711.xml")); }
    QStringList directoryEntries() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
};
} // namespace

TEST_F(AtomicFileTest, write_replacesTheFileWithExactlyTheBytes)
{
    const QByteArray contents[] = {documentOfSize(1 << 20, 1), QByteArray("<Korvalin/>\r\n\0x", 16), QByteArray()};
    for (const QByteArray& bytes : contents) {
        const WriteResult result = writeFileAtomically(path(), bytes);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_TRUE(result.error.isEmpty());
        EXPECT_EQ(readFile(path()), bytes);
        EXPECT_EQ(directoryEntries(), QStringList{QStringLiteral("draft_record_4711.xml")});
    }
}

TEST_F(AtomicFileTest, shortWrites_continueUntilEveryByteIsWritten)
{
    const QByteArray bytes = documentOfSize(100000, 3);
    int calls = 0;
    const WriteResult result = writeFileAtomically(path(), bytes, chunkedWrite(4093, &calls));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(readFile(path()), bytes);
    EXPECT_EQ(calls, (100000 + 4092) / 4093);
}

TEST_F(AtomicFileTest, interruptedWrite_isRetried)
{
    bool interrupted = false;
    const WriteCall interruptOnce = [&interrupted](int fd, const void* data, size_t size) -> ssize_t {
        if (!interrupted) {
            interrupted = true;
            errno = EINTR;
            return -1;
        }
        return ::write(fd, data, size);
    };
    const WriteResult result = writeFileAtomically(path(), "12345", interruptOnce);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(readFile(path()), QByteArray("12345"));
}

TEST_F(AtomicFileTest, failingWrite_reportsTheReasonAndKeepsTheOldFile)
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
        {"no progress after half", 500000, 0, 0, ENOSPC},
        {"ENOSPC after half", 500000, -1, ENOSPC, ENOSPC},
        {"ENOSPC at once", 0, -1, ENOSPC, ENOSPC},
        {"I/O error after a byte", 1, -1, EIO, EIO},
    };
    const QByteArray old = documentOfSize(700000, 5);
    ASSERT_TRUE(writeFileAtomically(path(), old).ok);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WriteResult result = writeFileAtomically(path(), documentOfSize(1 << 20, 6),
                                                       failingAfter(c.accepted, c.failure, c.failureErrno));
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.contains(qt_error_string(c.expectedErrno))) << result.error.toStdString();
        EXPECT_TRUE(result.error.contains(QDir::toNativeSeparators(path()))) << result.error.toStdString();
        EXPECT_EQ(readFile(path()), old);
        // The half-written temporary file is gone.
        EXPECT_EQ(directoryEntries(), QStringList{QStringLiteral("draft_record_4711.xml")});
    }
}

TEST_F(AtomicFileTest, unwritableLocation_reportsTheReason)
{
    ASSERT_TRUE(writeFileAtomically(m_dir.filePath(QStringLiteral("plain")), "x").ok);
    struct Case
    {
        QString path;
        int expectedErrno;
    };
    const Case cases[] = {
        {m_dir.filePath(QStringLiteral("missing/draft.xml")), ENOENT},
        {m_dir.filePath(QStringLiteral("plain/draft.xml")), ENOTDIR},
        {QString(), EINVAL},
        {m_dir.path() + QLatin1Char('/'), EINVAL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const WriteResult result = writeFileAtomically(c.path, "x");
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.contains(qt_error_string(c.expectedErrno))) << result.error.toStdString();
    }
    EXPECT_EQ(directoryEntries(), QStringList{QStringLiteral("plain")});
}

TEST_F(AtomicFileTest, readOnlyDirectory_reportsTheReasonAndKeepsTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    ASSERT_TRUE(writeFileAtomically(path(), "old").ok);
    ASSERT_EQ(::chmod(QFile::encodeName(m_dir.path()).constData(), 0555), 0);
    const WriteResult result = writeFileAtomically(path(), "new");
    ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(qt_error_string(EACCES))) << result.error.toStdString();
    EXPECT_EQ(readFile(path()), QByteArray("old"));
}

TEST_F(AtomicFileTest, replacement_keepsThePermissionsOfTheReplacedFile)
{
    const auto modeOf = [this] {
        struct stat info = {};
        ::stat(QFile::encodeName(path()).constData(), &info);
        return info.st_mode & 07777;
    };
    ASSERT_TRUE(writeFileAtomically(path(), "first").ok);
    EXPECT_EQ(modeOf(), 0644u);
    ASSERT_EQ(::chmod(QFile::encodeName(path()).constData(), 0600), 0);
    ASSERT_TRUE(writeFileAtomically(path(), "second").ok);
    EXPECT_EQ(modeOf(), 0600u);
}

TEST_F(AtomicFileTest, temporaryFile_carriesTheWritersProcessId)
{
    QStringList duringWrite;
    const WriteCall listingWrite = [&](int fd, const void* data, size_t size) {
        duringWrite = directoryEntries();
        return ::write(fd, data, size);
    };
    ASSERT_TRUE(writeFileAtomically(path(), "12345", listingWrite).ok);
    ASSERT_EQ(duringWrite.size(), 1);
    EXPECT_TRUE(duringWrite[0].startsWith(QStringLiteral(".draft_record_4711.xml.%1.tmp-").arg(::getpid())))
        << duringWrite[0].toStdString();
}

namespace {
// The id of a process that has ended and been reaped.
pid_t endedProcessId()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// A child process that lives until end() or the end of the test.
class WaitingChild final
{
public:
    WaitingChild() : m_pid(::fork())
    {
        if (m_pid == 0) {
            for (;;)
                ::pause();
        }
    }
    ~WaitingChild() { end(); }
    WaitingChild(const WaitingChild&) = delete;
    WaitingChild& operator=(const WaitingChild&) = delete;

    pid_t pid() const { return m_pid; }
    void end()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        m_pid = -1;
    }

private:
    pid_t m_pid;
};
} // namespace

TEST_F(AtomicFileTest, abandonedTemporaryFiles_ofEndedWritersOnlyAreRemoved)
{
    const pid_t ended = endedProcessId();
    WaitingChild otherWriter;
    const pid_t living = otherWriter.pid();
    ASSERT_GT(living, 0);
    const auto temporary = [](const char* target, pid_t pid) {
        return QStringLiteral(".%1.%2.tmp-a1B2c3").arg(QLatin1String(target)).arg(pid);
    };
    const QStringList abandoned = {temporary("draft_record_17.xml", ended), temporary("settings.xml", ended)};
    const QStringList kept = {
        temporary("draft_record_18.xml", ::getpid()), // this process may be writing it right now
        temporary("draft_record_19.xml", living),
        QStringLiteral("draft_record_17.xml"),
        QStringLiteral(".draft_record_17.xml.a1B2c3"), // no writer named: not ours to judge
        QStringLiteral(".draft_record_17.xml.%1.tmp-a1B2").arg(ended),
        QStringLiteral("draft_record_17.xml.%1.tmp-a1B2c3").arg(ended),
        QStringLiteral(".notes.txt.0.tmp-a1B2c3"),
    };
    for (const QString& name : abandoned + kept)
        ASSERT_TRUE(writeFileAtomically(m_dir.filePath(name), "x").ok);
    const QString directoryLookingAbandoned = temporary("folder", ended);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(directoryLookingAbandoned));
    const QString linkLookingAbandoned = temporary("link", ended);
    ASSERT_TRUE(QFile::link(m_dir.filePath(kept[2]), m_dir.filePath(linkLookingAbandoned)));

    EXPECT_EQ(removeAbandonedTemporaryFiles(m_dir.path()), int(abandoned.size()));
    QStringList expected = kept + QStringList{linkLookingAbandoned};
    expected.sort();
    QStringList remaining = directoryEntries();
    remaining.sort();
    EXPECT_EQ(remaining, expected);
    EXPECT_TRUE(QFileInfo(m_dir.filePath(directoryLookingAbandoned)).isDir());

    // Once the other writer has ended, its file goes as well.
    otherWriter.end();
    EXPECT_EQ(removeAbandonedTemporaryFiles(m_dir.path()), 1);
    EXPECT_FALSE(directoryEntries().contains(kept[1]));
}
