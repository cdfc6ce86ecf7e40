#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// ISO 8859-9 (Latin-5), the single-byte encoding the settings file declares: Latin-1 with six Turkish
// letters in place of six Icelandic ones. Qt has no codec for it without ICU. Every byte decodes to
// one character and encodes back to the same byte.
QString fromLatin5(QByteArrayView bytes);

// Encodes XML text as Latin-5. A character Latin-5 cannot hold becomes a character reference ("&#8364;"),
// which is valid in the attribute values and text where such characters occur.
QByteArray toLatin5Xml(QStringView text);

// Whether every character of `text` has a byte in Latin-5.
bool fitsLatin5(QStringView text);
