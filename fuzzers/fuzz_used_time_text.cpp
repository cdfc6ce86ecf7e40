// The used time of an attempt record as text: read from any draft file under any of several locales, and
// written for any measured time.
#include "FuzzSupport.h"

#include "record/UsedTimeText.h"

#include <QLocale>

#include <cmath>
#include <cstring>

namespace {
// Locales with a full stop, a comma and a non-ASCII decimal separator (Arabic U+066B).
const QLocale& localeFor(std::uint8_t selector)
{
    static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::French, QLocale::France),
                                      QLocale(QLocale::Arabic, QLocale::Egypt)};
    return locales[selector % std::size(locales)];
}

int significantDigits(const QString& text)
{
    int digits = 0;
    bool leading = true;
    for (const QChar c : text) {
        if (!c.isDigit())
            continue;
        leading = leading && c == QLatin1Char('0');
        if (!leading)
            ++digits;
    }
    return digits;
}

void checkReadBack(float seconds, const QLocale& locale)
{
    const QString text = usedTimeText(seconds, locale);
    const std::optional<float> read = parseUsedTimeText(text, locale);
    require(read && *read == seconds, "a written used time does not read back");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 9)
        return 0;
    const QLocale& locale = localeFor(data[0]);

    // Two clock readings: the used time between them, as recorded, is written and read back exactly.
    float readings[2];
    std::memcpy(readings, data + 1, sizeof readings);
    if (std::isfinite(readings[0]) && std::isfinite(readings[1])) {
        const float start = std::fmod(std::fabs(readings[0]), 86400.0f);
        const float now = std::fmod(std::fabs(readings[1]), 86400.0f);
        const float used = measureUsedSeconds(start, now);
        require(used >= 0.0f && used <= 86400.0f, "a used time outside one day");
        const float recorded = std::min(used, 28800.0f);
        checkReadBack(recorded, locale);
        require(significantDigits(usedTimeText(recorded, locale)) <= 7, "a recorded used time of more than 7 digits");
    }
    // Any other time, too; subnormal numbers are left out: a used time is a number of hundredths.
    if (std::isnormal(readings[0]) && readings[0] > 0.0f)
        checkReadBack(readings[0], locale);

    // Any text: what is read is a usable time that is written and read back the same.
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 9), qsizetype(size - 9));
    if (const std::optional<float> read = parseUsedTimeText(text, locale)) {
        require(std::isfinite(*read) && *read >= 0.0f, "a read used time is not a finite time");
        checkReadBack(*read, locale);
    }
    return 0;
}
