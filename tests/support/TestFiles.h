#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The whole contents of a file, or "<missing>" when it cannot be read, so that a missing file never
// passes for an empty one.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}
