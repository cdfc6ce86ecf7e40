#include "files/AtomicFile.h"

#include "files/PosixWrite.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The replacement keeps the permissions of the file it replaces; a new file is readable by all,
// where mkstemp would leave it private to its owner.
void copyPermissions(int fd, const QByteArray& targetPath)
{
    struct stat existing = {};
    const bool exists = ::stat(targetPath.constData(), &existing) == 0 && S_ISREG(existing.st_mode);
    ::fchmod(fd, exists ? (existing.st_mode & 07777) : 0644);
}
} // namespace

WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    return writeFileAtomically(path, bytes, systemWriteCall());
}

WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes, const WriteCall& writeCall)
{
    const QFileInfo target(path);
    if (target.fileName().isEmpty())
        return {false, systemError(QStringLiteral("Cannot write"), path, EINVAL)};
    const QString directory = target.absolutePath();
    const QByteArray targetPath = QFile::encodeName(target.absoluteFilePath());
    QByteArray tempName =
        QFile::encodeName(QDir(directory).filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));

    // Close-on-exec, so that a child process never holds the half-written file open.
    const int fd = ::mkostemp(tempName.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return {false, systemError(QStringLiteral("Cannot create a file in"), directory, error)};
    }

    int error = 0;
    copyPermissions(fd, targetPath);
    bool ok = writeAll(fd, bytes, writeCall, error);
    if (ok && ::fsync(fd) != 0) {
        error = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (ok && ::rename(tempName.constData(), targetPath.constData()) != 0) {
        error = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(tempName.constData());
        return {false, systemError(QStringLiteral("Cannot write"), path, error)};
    }
    // Without this the rename itself may be lost in a power failure.
    syncDirectory(directory);
    return {};
}
