#include "files/AppendFile.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Opens for appending; a file made here has its directory entry synced too, or a power failure could
// lose the whole file along with the bytes that were just made durable.
int openForAppend(const QString& path, int& error)
{
    const QByteArray name = QFile::encodeName(path);
    int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd >= 0 || errno != ENOENT) {
        error = errno;
        return fd;
    }
    fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    error = errno;
    if (fd >= 0)
        syncDirectory(QFileInfo(path).absolutePath());
    return fd;
}

// Drops a partly appended tail; a reader then never finds half a line followed by later ones.
void cutBack(int fd, off_t length)
{
    if (::ftruncate(fd, length) == 0)
        ::fdatasync(fd);
}
} // namespace

ExclusiveCreation createExclusively(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno == EEXIST ? ExclusiveCreation::AlreadyThere : ExclusiveCreation::Failed;
    ::close(fd);
    syncDirectory(QFileInfo(path).absolutePath());
    return ExclusiveCreation::Created;
}

WriteResult appendDurably(const QString& path, const QByteArray& bytes)
{
    return appendDurably(path, bytes, systemWriteCall());
}

WriteResult appendDurably(const QString& path, const QByteArray& bytes, const WriteCall& writeCall)
{
    if (QFileInfo(path).fileName().isEmpty())
        return {false, systemError(QStringLiteral("Cannot append to"), path, EINVAL)};
    int error = 0;
    const int fd = openForAppend(path, error);
    if (fd < 0)
        return {false, systemError(QStringLiteral("Cannot open"), path, error)};

    struct stat before = {};
    const bool lengthKnown = ::fstat(fd, &before) == 0;
    if (!lengthKnown)
        error = errno;
    bool ok = lengthKnown && writeAll(fd, bytes, writeCall, error);
    if (ok && ::fdatasync(fd) != 0) {
        error = errno;
        ok = false;
    }
    if (!ok && lengthKnown)
        cutBack(fd, before.st_size);
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (!ok)
        return {false, systemError(QStringLiteral("Cannot append to"), path, error)};
    return {};
}
