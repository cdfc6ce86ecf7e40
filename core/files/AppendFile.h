#pragma once

#include "files/AtomicFile.h"

#include <QByteArray>
#include <QString>

// Appends `bytes` to the file at `path` (created if missing) and waits until they are on the disk
// (fdatasync). Every byte is written, short writes and interrupted calls retried. When the append
// fails the file is cut back to its old length, so that it never keeps a part of what was appended;
// the error text says why.
WriteResult appendDurably(const QString& path, const QByteArray& bytes);

// The same with the system call that writes bytes replaced, for tests.
WriteResult appendDurably(const QString& path, const QByteArray& bytes, const WriteCall& writeCall);

// Makes an empty file at `path` only when nothing is there yet, so that a file is never shared by two
// writers; its directory entry is made durable. Failed: the folder would not take it (the reason is
// errno's).
enum class ExclusiveCreation
{
    Created,
    AlreadyThere,
    Failed,
};
ExclusiveCreation createExclusively(const QString& path);
