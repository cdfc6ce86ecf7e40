#include "base/ClockText.h"

#include "base/Rounding.h"

QString clockText(float seconds)
{
    const auto total = static_cast<long long>(roundHalfEven(seconds));
    const long long hours = total / 3600;
    const long long minutes = (total / 60) % 60;
    const long long secs = total % 60;
    // A negative remainder is never shown: it reads as "00".
    const QString secondsText =
        secs < 0 ? QStringLiteral("00") : QStringLiteral("%1").arg(secs, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2:").arg(hours).arg(minutes < 0 ? 0 : minutes, 2, 10, QLatin1Char('0')) + secondsText;
}
