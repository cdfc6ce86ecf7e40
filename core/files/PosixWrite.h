#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <sys/types.h>

// The system call that writes bytes, replaceable so that tests can simulate short writes and full
// disks. It has the signature of ::write.
using WriteCall = std::function<ssize_t(int fd, const void* data, size_t size)>;

// ::write itself.
WriteCall systemWriteCall();

// Writes every byte, retrying short writes and interrupted calls. On failure returns false with the
// errno in `error`; a write that makes no progress counts as a full device.
bool writeAll(int fd, const QByteArray& bytes, const WriteCall& writeCall, int& error);

// "What path: reason", for the user.
QString systemError(const QString& what, const QString& path, int error);

// Flushes a directory's entries, so that a file created or renamed in it survives a power failure.
void syncDirectory(const QString& directory);
