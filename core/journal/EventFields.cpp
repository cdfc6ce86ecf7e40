#include "journal/EventFields.h"

#include <cmath>

bool isWholeNumber(const QJsonValue& value)
{
    if (!value.isDouble())
        return false;
    const double number = value.toDouble();
    return std::isfinite(number) && std::floor(number) == number;
}

QJsonValue EventFields::field(QLatin1StringView key, bool valid, const char* kind)
{
    if (!valid && m_bad.isEmpty()) {
        m_bad = key;
        m_badKind = kind;
    }
    return valid ? m_object.value(key) : QJsonValue();
}

qint64 EventFields::integer(QLatin1StringView key)
{
    return field(key, isWholeNumber(m_object.value(key)), "a whole number").toInteger();
}

double EventFields::number(QLatin1StringView key)
{
    return field(key, m_object.value(key).isDouble(), "a number").toDouble();
}

QString EventFields::text(QLatin1StringView key)
{
    return field(key, m_object.value(key).isString(), "a text").toString();
}

bool EventFields::boolean(QLatin1StringView key)
{
    return field(key, m_object.value(key).isBool(), "true or false").toBool();
}

QJsonArray EventFields::array(QLatin1StringView key)
{
    return field(key, m_object.value(key).isArray(), "a list").toArray();
}

QJsonObject EventFields::object(QLatin1StringView key)
{
    return field(key, m_object.value(key).isObject(), "an object").toObject();
}

QString EventFields::problem() const
{
    return QStringLiteral("the field \"%1\" is missing or not %2").arg(m_bad, QLatin1StringView(m_badKind));
}
