#pragma once

#include "journal/JournalHash.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>

// What someone could do to a journal file after the attempt, for tests of the verifier.

// The line (with its newline) with one field set, written as the journal writes lines.
inline QByteArray withField(const QByteArray& line, const QString& key, const QJsonValue& value)
{
    QJsonObject object = QJsonDocument::fromJson(line).object();
    object.insert(key, value);
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

inline QJsonObject objectOfLine(const QByteArray& line)
{
    return QJsonDocument::fromJson(line).object();
}

// Every "prev" recomputed, as a forger who knows the format would do after changing lines.
inline QList<QByteArray> rechained(QList<QByteArray> lines)
{
    QByteArray previous = NoPreviousLineHash;
    for (QByteArray& line : lines) {
        line = withField(line, QStringLiteral("prev"), QString::fromLatin1(previous));
        previous = sha256Hex(line.chopped(1));
    }
    return lines;
}

// The 1-based event numbers of the lines of one kind.
inline QList<int> eventsOfKind(const QList<QByteArray>& lines, const QString& kind)
{
    QList<int> events;
    for (int index = 0; index < lines.size(); ++index) {
        if (objectOfLine(lines[index]).value(QLatin1StringView("e")).toString() == kind)
            events.append(index + 1);
    }
    return events;
}
