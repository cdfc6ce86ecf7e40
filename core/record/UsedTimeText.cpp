#include "record/UsedTimeText.h"

#include "base/Clock.h"
#include "base/Rounding.h"

#include <charconv>
#include <cmath>

float measureUsedSeconds(float stageStartTime, float now)
{
    const float used = roundToHundredths(now - stageStartTime);
    if (used >= 0.0f)
        return used;
    // A day's worth of seconds is too large for single precision to keep hundredths: add in double.
    const double acrossMidnight = double(SecondsPerDay) - double(stageStartTime) + double(now);
    return static_cast<float>(roundHalfEven(acrossMidnight * 100.0) / 100.0);
}

QString usedTimeText(float seconds, const QLocale& locale)
{
    if (seconds == 0.0f || !std::isfinite(seconds))
        seconds = 0.0f; // also turns -0 into 0
    char buffer[64];
    // std::to_chars without precision gives the shortest text that reads back to the same float.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::fixed);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

std::optional<float> parseUsedTimeText(const QString& text, const QLocale& locale)
{
    const QString separator = locale.decimalPoint();
    QString plain = text;
    const qsizetype at = separator.isEmpty() ? -1 : plain.indexOf(separator);
    if (at >= 0)
        plain.replace(at, separator.size(), QLatin1Char('.'));
    const QByteArray latin = plain.toLatin1();
    qsizetype digits = 0;
    for (const char c : latin) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c != '.' || at < 0)
            return std::nullopt;
    }
    // A lone separator, or a separator without digits after it, is no number.
    if (digits == 0 || latin.endsWith('.') || latin.startsWith('.'))
        return std::nullopt;
    float value = 0.0f;
    const auto result = std::from_chars(latin.constData(), latin.constData() + latin.size(), value);
    if (result.ec != std::errc() || result.ptr != latin.constData() + latin.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}
