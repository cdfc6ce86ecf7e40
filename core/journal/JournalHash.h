#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// SHA-256 as the journal writes it: 64 lowercase hexadecimal characters.
QByteArray sha256Hex(QByteArrayView bytes);

// The "prev" of the first line: there is no line before it.
inline const QByteArray NoPreviousLineHash(64, '0');

// The seal as people copy it: the first 16 hexadecimal characters of the full seal in four groups of
// four, upper case ("1A2B 3C4D 5E6F 7081"). Empty for a text shorter than 16 characters.
QString shortSeal(const QByteArray& fullSeal);
