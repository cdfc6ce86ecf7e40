#pragma once

#include <QByteArray>
#include <QJsonObject>

#include <vector>

// One complete line of a journal: its bytes without the newline, their SHA-256 (what the next line
// must hold as "prev"), and its JSON object when it is one.
struct JournalLine
{
    QByteArray text;
    QByteArray hash;
    QJsonObject object;
    bool readable = false;
};

struct JournalLines
{
    std::vector<JournalLine> lines;
    // The file did not end with a newline: what followed the last complete line was dropped. A crash
    // during an append leaves exactly this.
    bool partialLastLine = false;
};

JournalLines splitJournalLines(const QByteArray& bytes);
