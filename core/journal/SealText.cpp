#include "journal/SealText.h"

namespace {
constexpr qsizetype ShortSealLength = 16;
constexpr qsizetype FullSealLength = 64;

SealText notASeal(const QString& why)
{
    return {QByteArray(), why};
}

// The hexadecimal digit a written character stands for, or 0 for one that stands for none.
char hexDigitOf(QChar character)
{
    const char16_t lower = QChar::toLower(character.unicode());
    if ((lower >= u'0' && lower <= u'9') || (lower >= u'a' && lower <= u'f'))
        return char(lower);
    if (lower == u'o')
        return '0';
    // A Turkish keyboard writes the lower case of I as a dotless i.
    if (lower == u'i' || lower == u'\u0131' || lower == u'l')
        return '1';
    return 0;
}
} // namespace

SealText readSealText(const QString& writtenDown)
{
    QByteArray hex;
    hex.reserve(writtenDown.size());
    for (const QChar character : writtenDown) {
        if (character.isSpace() || character.category() == QChar::Punctuation_Dash)
            continue;
        const char digit = hexDigitOf(character);
        if (digit == 0)
            return notASeal(QStringLiteral("%1 is not a hexadecimal digit").arg(character));
        hex += digit;
    }
    if (hex.size() != ShortSealLength && hex.size() != FullSealLength)
        return notASeal(QStringLiteral("it has %1 hexadecimal digits; a seal has %2 (as the results screen shows "
                                       "it) or %3")
                            .arg(hex.size())
                            .arg(ShortSealLength)
                            .arg(FullSealLength));
    return {hex, QString()};
}
