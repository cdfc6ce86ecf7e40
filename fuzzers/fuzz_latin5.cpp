// The Latin-5 codec of the settings file: bytes read from a file, and text written into one.
#include "FuzzSupport.h"

#include "settings/Latin5.h"

#include <QList>
#include <QSet>

#include <algorithm>

namespace {
// The 256 characters Latin-5 holds, as its decoder gives them.
const QSet<uint>& latin5Characters()
{
    static const QSet<uint> characters = [] {
        QByteArray all(256, Qt::Uninitialized);
        for (int byte = 0; byte < 256; ++byte)
            all[byte] = char(byte);
        const QList<uint> decoded = fromLatin5(all).toUcs4();
        return QSet<uint>(decoded.cbegin(), decoded.cend());
    }();
    return characters;
}

// The code points of Latin-5 XML text, with each character reference read back.
QList<uint> decodeLatin5Xml(const QByteArray& bytes)
{
    const QList<uint> characters = fromLatin5(bytes).toUcs4();
    QList<uint> decoded;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        if (characters[i] == U'&' && i + 1 < characters.size() && characters[i + 1] == U'#') {
            uint codePoint = 0;
            qsizetype end = i + 2;
            for (; end < characters.size() && characters[end] >= U'0' && characters[end] <= U'9'; ++end)
                codePoint = codePoint * 10 + (characters[end] - U'0');
            require(end > i + 2 && end < characters.size() && characters[end] == U';',
                    "a character reference is not closed");
            decoded.append(codePoint);
            i = end;
        } else {
            decoded.append(characters[i]);
        }
    }
    return decoded;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Every byte is one character and encodes back to itself.
    const QByteArray bytes = bytesOf(data, size);
    const QString text = fromLatin5(bytes);
    require(text.size() == bytes.size(), "a byte did not decode to exactly one character");
    require(toLatin5Xml(text) == bytes, "decoded bytes do not encode back to the same bytes");

    // Any text, also with lone surrogates, reads back from its encoding; Latin-5 letters stay single bytes.
    QString written(qsizetype(size / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < written.size(); ++i)
        written[i] = QChar(char16_t(data[2 * i] | data[2 * i + 1] << 8));
    written.remove(QLatin1Char('&')); // the writer of XML escapes it before the codec sees it
    const QByteArray encoded = toLatin5Xml(written);
    // Lone surrogates are written, and so read back, as U+FFFD.
    const QList<uint> codePoints = written.toUcs4();
    require(decodeLatin5Xml(encoded) == codePoints, "encoded text does not read back");
    const qsizetype unencodable = std::count_if(codePoints.cbegin(), codePoints.cend(),
                                                [](uint codePoint) { return !latin5Characters().contains(codePoint); });
    require(encoded.count('&') == unencodable, "a character Latin-5 holds was written as a reference, or the reverse");
    return 0;
}
