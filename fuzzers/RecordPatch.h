#pragma once

#include <QByteArray>
#include <QtEndian>

#include <algorithm>

// The input of the large-record target: one change to a saved record of the largest sheet, which is
// about a megabyte, too large for the fuzzer to mutate as a whole. Bytes 0-3: the offset of the change
// (little-endian, wrapped to the record's length); bytes 4-5: how many bytes are removed there; the rest:
// the bytes put in their place.
struct RecordPatch
{
    quint32 offset = 0;
    quint16 removed = 0;
    QByteArray inserted;
};

inline constexpr qsizetype RecordPatchHeaderSize = 6;

inline QByteArray encodeRecordPatch(const RecordPatch& patch)
{
    QByteArray bytes(RecordPatchHeaderSize, '\0');
    qToLittleEndian(patch.offset, bytes.data());
    qToLittleEndian(patch.removed, bytes.data() + 4);
    return bytes + patch.inserted;
}

inline RecordPatch decodeRecordPatch(const QByteArray& bytes)
{
    RecordPatch patch;
    const QByteArray header = bytes.left(RecordPatchHeaderSize).leftJustified(RecordPatchHeaderSize, '\0');
    patch.offset = qFromLittleEndian<quint32>(header.constData());
    patch.removed = qFromLittleEndian<quint16>(header.constData() + 4);
    patch.inserted = bytes.mid(RecordPatchHeaderSize);
    return patch;
}

inline QByteArray applyRecordPatch(const QByteArray& base, const RecordPatch& patch)
{
    const qsizetype at = qsizetype(patch.offset % quint32(base.size() + 1));
    const qsizetype removed = std::min(qsizetype(patch.removed), base.size() - at);
    return base.left(at) + patch.inserted + base.mid(at + removed);
}
