#include "AtomicFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString systemError(const QString& what, const QString& path, int error)
{
    return QStringLiteral("%1 %2: %3").arg(what, QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(error)));
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
        if (written == 0) {
            // A write that makes no progress means the device is full.
            error = ENOSPC;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

void syncDirectory(const QString& directory)
{
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    return writeFileAtomically(path, bytes, [](int fd, const void* data, size_t size) { return ::write(fd, data, size); });
}

WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes, const WriteCall& writeCall)
{
    const QFileInfo target(path);
    const QString directory = target.absolutePath();
    QByteArray tempName = QFile::encodeName(QDir(directory).filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));

    const int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return {false, systemError(QStringLiteral("Cannot create a file in"), directory, errno)};

    int error = 0;
    // mkstemp creates the file private to its owner; the file it replaces was readable by all.
    ::fchmod(fd, 0644);
    bool ok = writeAll(fd, bytes, writeCall, error);
    if (ok && ::fsync(fd) != 0) {
        error = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (ok) {
        if (::rename(tempName.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
            error = errno;
            ok = false;
        }
    }
    if (!ok) {
        ::unlink(tempName.constData());
        return {false, systemError(QStringLiteral("Cannot write"), path, error)};
    }
    syncDirectory(directory);
    return {};
}
