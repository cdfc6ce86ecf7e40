#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QLatin1StringView>
#include <QString>

// Reads the fields of one journal line. A field that is missing or of the wrong kind reads as empty
// or zero, and the first such field is remembered, so an event is checked once after all its reads.
class EventFields final
{
public:
    explicit EventFields(const QJsonObject& object) : m_object(object) {}

    qint64 integer(QLatin1StringView key);
    double number(QLatin1StringView key);
    QString text(QLatin1StringView key);
    bool boolean(QLatin1StringView key);
    QJsonArray array(QLatin1StringView key);
    QJsonObject object(QLatin1StringView key);
    bool has(QLatin1StringView key) const { return m_object.contains(key); }

    bool ok() const { return m_bad.isEmpty(); }
    // "the field "r" is missing or not a whole number"
    QString problem() const;

private:
    QJsonValue field(QLatin1StringView key, bool valid, const char* kind);

    const QJsonObject& m_object;
    QString m_bad;
    const char* m_badKind = "";
};

// Whether a JSON value is a whole number, as the journal writes counts, cells and milliseconds.
bool isWholeNumber(const QJsonValue& value);
