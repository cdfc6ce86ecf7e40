#pragma once

#include <QByteArray>
#include <QString>

// A seal as someone wrote it down and typed it back: the short form the results screen shows (16
// hexadecimal characters) or the full one (64).
struct SealText
{
    QByteArray hex;  // lowercase, 16 or 64 characters; empty when the text is not a seal
    QString problem; // why it is not a seal; empty when it is

    bool isSeal() const { return !hex.isEmpty(); }
    // Whether this is the seal of the journal whose full seal is `fullSeal`.
    bool matches(const QByteArray& fullSeal) const { return isSeal() && fullSeal.startsWith(hex); }
};

// Reads a written-down seal leniently where no ambiguity arises: case, blanks and dashes do not count,
// and O, I and L, which no seal holds, are read as the 0 and 1 they are mistaken for. Any other
// character, or another number of characters than 16 or 64, makes it no seal.
SealText readSealText(const QString& writtenDown);
