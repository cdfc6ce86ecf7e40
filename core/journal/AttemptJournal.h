#pragma once

#include "journal/JournalEvents.h"
#include "journal/JournalFormat.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <functional>

// Builds the lines of an attempt's journal, one call per event, and keeps the hash chain: every line
// holds the SHA-256 of the line before it, so the hash of the last line (the seal) stands for the whole
// journal. Each call returns one complete line, UTF-8 JSON ending in a newline, for the caller to append
// to the file; the journal itself writes nothing. The format is described in docs/journal.md.
class AttemptJournal final
{
public:
    // Milliseconds since 1970-01-01 UTC.
    using WallClock = std::function<qint64()>;

    AttemptJournal();
    explicit AttemptJournal(WallClock wallClock);

    // The first line; its time is the zero of every later event's milliseconds.
    QByteArray start(const JournalStart& start);
    QByteArray countdownEnded(qint64 ms);
    QByteArray edit(const JournalEdit& edit);
    QByteArray restore(const JournalRestore& restore);
    QByteArray box(const JournalBox& box);
    QByteArray timeDisplayToggled(bool countDown, qint64 ms);
    QByteArray end(const JournalEnd& end);

    // SHA-256 of the last line, without its newline; empty before the first line.
    const QByteArray& seal() const { return m_seal; }
    int eventCount() const { return m_events; }

private:
    QByteArray appendLine(EventKind kind, qint64 ms, QJsonObject fields);
    QByteArray appendLine(EventKind kind, qint64 ms, qint64 wall, QJsonObject fields);

    WallClock m_wallClock;
    QByteArray m_seal;
    int m_events = 0;
};
