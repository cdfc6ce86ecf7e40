#include "files/DraftWriter.h"

#include "files/BatchThread.h"

#include "files/AppendFile.h"
#include "record/AttemptRecordDocument.h"

#include <algorithm>

DraftWriter::DraftWriter(QObject* parent)
    : DraftWriter([](const QString& path, const QByteArray& bytes) { return writeFileAtomically(path, bytes); }, parent)
{
}

DraftWriter::DraftWriter(WriteFunction write, QObject* parent)
    : QObject(parent), m_write(std::move(write)), m_thread([this] { run(); })
{
}

DraftWriter::~DraftWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_workArrived.notify_one();
    // The thread drains the pending snapshots before it ends, so closing never loses the last save.
    m_thread.join();
}

void DraftWriter::submit(const QString& path, const QByteArray& bytes)
{
    enqueue({path, bytes, {}, Kind::Bytes});
}

void DraftWriter::submit(const QString& path, RecordChanges changes)
{
    enqueue({path, {}, std::move(changes), Kind::Record});
}

void DraftWriter::append(const QString& path, const QByteArray& bytes)
{
    enqueue({path, bytes, {}, Kind::Append});
}

void DraftWriter::enqueue(Snapshot snapshot)
{
    {
        const std::lock_guard lock(m_mutex);
        const auto same = std::find_if(m_pending.begin(), m_pending.end(),
                                       [&snapshot](const Snapshot& pending) { return pending.path == snapshot.path; });
        if (same == m_pending.end()) {
            m_pending.push_back(std::move(snapshot));
        } else if (snapshot.kind == Kind::Record && same->kind == Kind::Record) {
            // The waiting changes are not written on their own, but the copy must still go through them.
            same->changes.absorb(std::move(snapshot.changes));
        } else if (snapshot.kind == Kind::Append && same->kind == Kind::Append) {
            same->bytes += snapshot.bytes;
        } else {
            *same = std::move(snapshot);
        }
    }
    m_workArrived.notify_one();
}

void DraftWriter::waitForIdle()
{
    std::unique_lock lock(m_mutex);
    m_becameIdle.wait(lock, [this] { return !m_writing && m_pending.empty(); });
}

bool DraftWriter::isIdle() const
{
    const std::lock_guard lock(m_mutex);
    return !m_writing && m_pending.empty();
}

void DraftWriter::run()
{
    yieldToInteractiveThreads();
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_workArrived.wait(lock, [this] { return m_stopping || !m_pending.empty(); });
        if (m_pending.empty())
            return;
        Snapshot snapshot = std::move(m_pending.front());
        m_pending.erase(m_pending.begin());
        m_writing = true;
        lock.unlock();

        const WriteResult result = write(snapshot);
        // Queued to the writer's own thread; a writer destroyed first drops the call with it.
        QMetaObject::invokeMethod(
            this, [this, path = snapshot.path, result] { emit writeFinished(path, result.ok, result.error); },
            Qt::QueuedConnection);
        // A megabyte is released outside the lock, so a submit never waits for it.
        snapshot = {};

        lock.lock();
        m_writing = false;
        if (m_pending.empty())
            m_becameIdle.notify_all();
    }
}

WriteResult DraftWriter::write(Snapshot& snapshot)
{
    if (snapshot.kind != Kind::Append)
        return m_write(snapshot.path, bytesOf(snapshot));
    const auto failed = m_unappended.find(snapshot.path);
    if (failed != m_unappended.end()) {
        snapshot.bytes.prepend(failed->second);
        m_unappended.erase(failed);
    }
    WriteResult result = appendDurably(snapshot.path, snapshot.bytes);
    if (!result.ok)
        m_unappended[snapshot.path] = snapshot.bytes;
    return result;
}

QByteArray DraftWriter::bytesOf(Snapshot& snapshot)
{
    if (snapshot.kind == Kind::Bytes)
        return snapshot.bytes;
    std::unique_ptr<AttemptRecordDocument>& record = m_records[snapshot.path];
    if (!record)
        record = std::make_unique<AttemptRecordDocument>();
    record->apply(snapshot.changes);
    return record->serialize();
}
