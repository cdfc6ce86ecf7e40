#include "files/DraftWriter.h"
#include "AttemptRecordTestSupport.h"
#include "CoreApplicationEnvironment.h"
#include "FailingWrites.h"
#include "FakeClock.h"
#include "TestFiles.h"
#include "base/Clock.h"
#include "record/AttemptRecordDocument.h"
#include "stage/AnswerSheet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cerrno>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <unistd.h>

namespace {
const auto* const coreApplication = ::testing::AddGlobalTestEnvironment(new CoreApplicationEnvironment);

QByteArray version(int number, qsizetype size = 4096)
{
    QByteArray bytes = QByteArray::number(number).rightJustified(8, '0') + '\n';
    while (bytes.size() < size)
        bytes += bytes.left(size - bytes.size());
    return bytes;
}

// A write function whose first call waits until the test releases it, standing in for a slow disk.
// Every call is recorded and then written for real.
class GatedWrite final
{
public:
    ~GatedWrite() { release(); }

    DraftWriter::WriteFunction function()
    {
        return [this](const QString& path, const QByteArray& bytes) {
            std::unique_lock lock(m_mutex);
            m_calls.push_back(bytes);
            m_entered = true;
            m_changed.notify_all();
            m_changed.wait(lock, [this] { return m_released; });
            lock.unlock();
            return writeFileAtomically(path, bytes);
        };
    }
    void waitUntilEntered()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_entered; });
    }
    void release()
    {
        const std::lock_guard lock(m_mutex);
        m_released = true;
        m_changed.notify_all();
    }
    std::vector<QByteArray> calls()
    {
        const std::lock_guard lock(m_mutex);
        return m_calls;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<QByteArray> m_calls;
    bool m_entered = false;
    bool m_released = false;
};

struct Finished
{
    QString path;
    bool ok;
    QString error;
    QThread* thread;
};

class DraftWriterTest : public ::testing::Test
{
protected:
    void record(DraftWriter& writer)
    {
        QObject::connect(&writer, &DraftWriter::writeFinished, &writer,
                         [this](const QString& path, bool ok, const QString& error) {
                             m_finished.push_back({path, ok, error, QThread::currentThread()});
                         });
    }
    QString path(const char* name = "draft_record_4711.xml") const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
    std::vector<Finished> m_finished;
};
} // namespace

TEST_F(DraftWriterTest, burstDuringSlowWrite_writesOnlyTheNewestSnapshot)
{
    GatedWrite gate;
    DraftWriter writer(gate.function());
    record(writer);
    writer.submit(path(), version(0));
    gate.waitUntilEntered();
    for (int number = 1; number <= 50; ++number)
        writer.submit(path(), version(number));
    EXPECT_FALSE(writer.isIdle());
    gate.release();
    writer.waitForIdle();

    EXPECT_TRUE(writer.isIdle());
    EXPECT_EQ(gate.calls(), (std::vector<QByteArray>{version(0), version(50)}));
    EXPECT_EQ(readFile(path()), version(50));
    QCoreApplication::processEvents();
    ASSERT_EQ(m_finished.size(), 2u);
    EXPECT_TRUE(m_finished[0].ok && m_finished[1].ok);
}

TEST_F(DraftWriterTest, recordChangesDuringSlowWrite_reachTheFileInFull)
{
    // The writer keeps its own copy of the record: changes that wait behind a slow write are merged,
    // never dropped, so the file ends up equal to the record however the saves were grouped.
    AttemptRecordDocument record;
    record.setLocale(QLocale::c());
    const QString digits = syntheticDigits(12);
    record.BuildAttemptRecord(digits, 4);
    AnswerSheet sheet;
    sheet.reset(3, 4);
    GatedWrite gate;
    DraftWriter writer(gate.function());

    RecordChanges first;
    first.build = RecordChanges::Build{digits, 4};
    const auto save = [&](float seconds, RecordChanges changes) {
        record.RecordAnswers(0.0f, 28800, FakeClock(seconds), sheet, changes);
        writer.submit(path(), std::move(changes));
    };
    sheet.setCellText(1, 1, QStringLiteral("7"));
    save(1.0f, std::move(first));
    gate.waitUntilEntered();
    sheet.setCellText(1, 2, QStringLiteral("3"));
    save(2.0f, {});
    sheet.setCellText(3, 4, QStringLiteral("9"));
    sheet.setCellText(1, 1, QString());
    save(3.5f, {});
    gate.release();
    writer.waitForIdle();

    ASSERT_EQ(gate.calls().size(), 2u);
    EXPECT_EQ(readFile(path()), record.serialize());
    EXPECT_TRUE(readFile(path()).contains("used_time=\"3.5\""));
}

TEST_F(DraftWriterTest, burstForTwoFiles_keepsTheNewestOfEach)
{
    GatedWrite gate;
    DraftWriter writer(gate.function());
    writer.submit(path("a.xml"), version(0));
    gate.waitUntilEntered();
    writer.submit(path("a.xml"), version(1));
    writer.submit(path("b.xml"), version(2));
    writer.submit(path("a.xml"), version(3));
    gate.release();
    writer.waitForIdle();

    EXPECT_EQ(gate.calls(), (std::vector<QByteArray>{version(0), version(3), version(2)}));
    EXPECT_EQ(readFile(path("a.xml")), version(3));
    EXPECT_EQ(readFile(path("b.xml")), version(2));
}

TEST_F(DraftWriterTest, writeFinished_isQueuedToTheOwnerThreadInCompletionOrder)
{
    DraftWriter writer;
    record(writer);
    const char* names[] = {"one.xml", "two.xml", "three.xml"};
    for (const char* name : names) {
        writer.submit(path(name), version(1));
        writer.waitForIdle();
    }
    // Nothing arrives until the owner's event loop runs.
    EXPECT_TRUE(m_finished.empty());
    QCoreApplication::processEvents();

    ASSERT_EQ(m_finished.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(m_finished[i].path, path(names[i]));
        EXPECT_TRUE(m_finished[i].ok);
        EXPECT_TRUE(m_finished[i].error.isEmpty());
        EXPECT_EQ(m_finished[i].thread, QCoreApplication::instance()->thread());
    }
}

TEST_F(DraftWriterTest, unwritableDirectory_reportsTheFailureWithItsReason)
{
    DraftWriter writer;
    record(writer);
    const QString target = m_dir.filePath(QStringLiteral("missing/draft_record_1.xml"));
    writer.submit(target, version(1));
    writer.waitForIdle();
    QCoreApplication::processEvents();

    ASSERT_EQ(m_finished.size(), 1u);
    EXPECT_EQ(m_finished[0].path, target);
    EXPECT_FALSE(m_finished[0].ok);
    EXPECT_TRUE(m_finished[0].error.contains(qt_error_string(ENOENT))) << m_finished[0].error.toStdString();
}

TEST_F(DraftWriterTest, fullDisk_keepsThePreviousFileAndTheNextSaveSucceeds)
{
    bool diskFull = false;
    // Half of the document fits, then the device reports no space left.
    DraftWriter writer([&diskFull](const QString& target, const QByteArray& bytes) {
        return diskFull ? writeFileAtomically(target, bytes, failingAfter(size_t(bytes.size()) / 2, -1, ENOSPC))
                        : writeFileAtomically(target, bytes);
    });
    record(writer);
    const QByteArray first = version(1, 600000);
    writer.submit(path(), first);
    writer.waitForIdle();
    diskFull = true;
    writer.submit(path(), version(2, 600000));
    writer.waitForIdle();
    EXPECT_EQ(readFile(path()), first);
    diskFull = false;
    writer.submit(path(), version(3, 600000));
    writer.waitForIdle();
    QCoreApplication::processEvents();

    EXPECT_EQ(readFile(path()), version(3, 600000));
    ASSERT_EQ(m_finished.size(), 3u);
    EXPECT_FALSE(m_finished[1].ok);
    EXPECT_TRUE(m_finished[1].error.contains(qt_error_string(ENOSPC))) << m_finished[1].error.toStdString();
    EXPECT_TRUE(m_finished[2].ok);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(DraftWriterTest, waitForIdleAndDestruction_flushTheLastSnapshot)
{
    const QByteArray big = version(7, 1 << 20);
    {
        DraftWriter writer;
        writer.submit(path(), version(6, 1 << 20));
        writer.waitForIdle();
        EXPECT_EQ(readFile(path()), version(6, 1 << 20));
        writer.submit(path(), big);
    }
    EXPECT_EQ(readFile(path()), big);
}
