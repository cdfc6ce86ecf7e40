#pragma once

#include "files/AtomicFile.h"
#include "record/RecordChanges.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class AttemptRecordDocument;

// Writes draft files on one background thread, so that a keystroke never waits for the disk.
// Snapshots are written one at a time in the order they were handed over. While a write runs, only the
// newest snapshot of each file waits: an older one is superseded by it and never written. So the file on
// disk is never older than the newest completed save. Create the writer on the user-interface thread:
// `writeFinished` is delivered there, queued, once per completed write.
//
// A snapshot is either the bytes of the file or the changes of an attempt record: the writer keeps its
// own copy of the record for each such file, brings it up to date and serialises it on its thread, so a
// keystroke pays only for noting what changed and no document is shared between the threads.
class DraftWriter final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DraftWriter)

public:
    // Tests replace the write to slow it down or make it fail; the default is writeFileAtomically.
    using WriteFunction = std::function<WriteResult(const QString& path, const QByteArray& bytes)>;

    explicit DraftWriter(QObject* parent = nullptr);
    explicit DraftWriter(WriteFunction write, QObject* parent = nullptr);
    // Writes what is still pending before it returns.
    ~DraftWriter() override;

    // Hands over a complete serialised record for `path`; returns at once.
    void submit(const QString& path, const QByteArray& bytes);
    // Hands over what the record written to `path` changed since its last submission; returns at once.
    // The first submission for a path builds or loads the record.
    void submit(const QString& path, RecordChanges changes);
    // Appends `bytes` to the file at `path` and makes them durable; returns at once. Appends are never
    // superseded: waiting ones are joined, and bytes whose append failed go first into the next one.
    void append(const QString& path, const QByteArray& bytes);
    // Blocks until every submitted snapshot has been written or superseded.
    void waitForIdle();
    bool isIdle() const;

signals:
    // `error` says why the write failed; it is empty when `ok`.
    void writeFinished(const QString& path, bool ok, const QString& error);

private:
    enum class Kind
    {
        Bytes,
        Record,
        Append
    };
    struct Snapshot
    {
        QString path;
        QByteArray bytes;
        RecordChanges changes;
        Kind kind = Kind::Bytes;
    };

    void enqueue(Snapshot snapshot);
    void run();
    QByteArray bytesOf(Snapshot& snapshot);
    WriteResult write(Snapshot& snapshot);

    WriteFunction m_write;
    mutable std::mutex m_mutex;
    std::condition_variable m_workArrived;
    std::condition_variable m_becameIdle;
    std::vector<Snapshot> m_pending; // at most one per path, oldest first
    // The writer thread's own copy of each record it writes; only that thread touches them.
    std::map<QString, std::unique_ptr<AttemptRecordDocument>> m_records;
    // Bytes whose append failed, by path, written before the next append there; writer thread only.
    std::map<QString, QByteArray> m_unappended;
    bool m_writing = false;
    bool m_stopping = false;
    // Declared last: the thread starts once every member it uses exists.
    std::thread m_thread;
};
