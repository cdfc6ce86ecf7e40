#include "files/DraftWriter.h"

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
    {
        const std::lock_guard lock(m_mutex);
        const auto same = std::find_if(m_pending.begin(), m_pending.end(),
                                       [&path](const Snapshot& snapshot) { return snapshot.path == path; });
        if (same != m_pending.end())
            same->bytes = bytes;
        else
            m_pending.push_back({path, bytes});
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
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_workArrived.wait(lock, [this] { return m_stopping || !m_pending.empty(); });
        if (m_pending.empty())
            return;
        Snapshot snapshot = std::move(m_pending.front());
        m_pending.erase(m_pending.begin());
        m_writing = true;
        lock.unlock();

        const WriteResult result = m_write(snapshot.path, snapshot.bytes);
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
