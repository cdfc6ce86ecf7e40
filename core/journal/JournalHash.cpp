#include "journal/JournalHash.h"

#include <QCryptographicHash>

namespace {
constexpr qsizetype ShortSealLength = 16;
constexpr qsizetype SealGroupLength = 4;
} // namespace

QByteArray sha256Hex(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QString shortSeal(const QByteArray& fullSeal)
{
    if (fullSeal.size() < ShortSealLength)
        return {};
    QString text;
    for (qsizetype group = 0; group < ShortSealLength; group += SealGroupLength) {
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += QString::fromLatin1(fullSeal.mid(group, SealGroupLength)).toUpper();
    }
    return text;
}
