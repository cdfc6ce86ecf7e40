#include "files/PosixWrite.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

WriteCall systemWriteCall()
{
    return [](int fd, const void* data, size_t size) { return ::write(fd, data, size); };
}

bool writeAll(int fd, const QByteArray& bytes, const WriteCall& writeCall, int& error)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = writeCall(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        if (written == 0 || written > left) {
            // A write that makes no progress means the device is full.
            error = written == 0 ? ENOSPC : EIO;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// qt_error_string rather than strerror: files are written on background threads.
QString systemError(const QString& what, const QString& path, int error)
{
    return QStringLiteral("%1 %2: %3").arg(what, QDir::toNativeSeparators(path), qt_error_string(error));
}

void syncDirectory(const QString& directory)
{
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
