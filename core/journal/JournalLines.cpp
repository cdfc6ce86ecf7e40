#include "journal/JournalLines.h"

#include "journal/JournalHash.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <thread>

JournalLines splitJournalLines(const QByteArray& bytes)
{
    JournalLines result;
    result.lines.reserve(std::size_t(bytes.count('\n')));
    qsizetype begin = 0;
    while (begin < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', begin);
        if (newline < 0) {
            result.partialLastLine = true;
            break;
        }
        result.lines.push_back({bytes.mid(begin, newline - begin), {}, {}, false});
        begin = newline + 1;
    }

    // Hashing and parsing a full journal take about as long as each other and do not depend on each
    // other, so the hashes are taken on a second thread meanwhile.
    std::thread hasher([&lines = result.lines] {
        for (JournalLine& line : lines)
            line.hash = sha256Hex(line.text);
    });
    for (JournalLine& line : result.lines) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(line.text, &error);
        line.readable = error.error == QJsonParseError::NoError && document.isObject();
        if (line.readable)
            line.object = document.object();
    }
    hasher.join();
    return result;
}
