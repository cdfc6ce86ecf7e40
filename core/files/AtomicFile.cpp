#include "files/AtomicFile.h"

#include "files/PosixWrite.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Between the writer's process id and the six characters mkostemp fills in.
constexpr char TemporaryMarker[] = ".tmp-";

// The replacement keeps the permissions of the file it replaces; a new file is readable by all,
// where mkstemp would leave it private to its owner.
void copyPermissions(int fd, const QByteArray& targetPath)
{
    struct stat existing = {};
    const bool exists = ::stat(targetPath.constData(), &existing) == 0 && S_ISREG(existing.st_mode);
    ::fchmod(fd, exists ? (existing.st_mode & 07777) : 0644);
}

// The process id in the name of one of our temporary files; 0 for any other name.
pid_t writerOfTemporaryFile(const QString& fileName)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^\..+\.([1-9][0-9]{0,9})%1[A-Za-z0-9]{6}$)")
                                                .arg(QRegularExpression::escape(QLatin1String(TemporaryMarker))));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return 0;
    const qint64 pid = match.captured(1).toLongLong();
    return pid <= std::numeric_limits<pid_t>::max() ? pid_t(pid) : 0;
}

// A process that exists, ours or another user's (which we may not signal), is alive.
bool processExists(pid_t pid)
{
    return pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM;
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
    QByteArray tempName = QFile::encodeName(QDir(directory).filePath(
        QStringLiteral(".%1.%2%3XXXXXX")
            .arg(target.fileName(), QString::number(::getpid()), QLatin1String(TemporaryMarker))));

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

int removeAbandonedTemporaryFiles(const QString& directory)
{
    int removed = 0;
    const QStringList hidden = QDir(directory).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : hidden) {
        const pid_t writer = writerOfTemporaryFile(name);
        if (writer == 0 || processExists(writer))
            continue;
        const QByteArray path = QFile::encodeName(QDir(directory).filePath(name));
        // Only a plain file: never what a link of the same name points to.
        struct stat info = {};
        if (::lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) && ::unlink(path.constData()) == 0)
            ++removed;
    }
    return removed;
}
