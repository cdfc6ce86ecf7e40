#include "settings/Latin5.h"

#include <QList>

namespace {
struct TurkishLetter
{
    unsigned char byte;
    char32_t codePoint;
};

// The only six places where Latin-5 differs from Latin-1.
constexpr TurkishLetter TurkishLetters[] = {
    {0xD0, U'\u011E'}, {0xDD, U'\u0130'}, {0xDE, U'\u015E'}, {0xF0, U'\u011F'}, {0xFD, U'\u0131'}, {0xFE, U'\u015F'},
};

char32_t decodeByte(unsigned char byte)
{
    for (const TurkishLetter& letter : TurkishLetters) {
        if (letter.byte == byte)
            return letter.codePoint;
    }
    return byte;
}

// The byte for `codePoint`, or -1 when Latin-5 has none.
int encodeCodePoint(char32_t codePoint)
{
    for (const TurkishLetter& letter : TurkishLetters) {
        if (letter.codePoint == codePoint)
            return letter.byte;
        if (letter.byte == codePoint)
            return -1;
    }
    return codePoint <= 0xFF ? int(codePoint) : -1;
}
} // namespace

QString fromLatin5(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text.append(QChar(char16_t(decodeByte(static_cast<unsigned char>(byte)))));
    return text;
}

QByteArray toLatin5Xml(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t codePoint : text.toUcs4()) {
        const int byte = encodeCodePoint(codePoint);
        if (byte >= 0)
            bytes.append(char(byte));
        else
            bytes.append("&#" + QByteArray::number(quint32(codePoint)) + ';');
    }
    return bytes;
}

bool fitsLatin5(QStringView text)
{
    for (const char32_t codePoint : text.toUcs4()) {
        if (encodeCodePoint(codePoint) < 0)
            return false;
    }
    return true;
}
