#include "files/FolderAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool isDirectory(const QByteArray& path)
{
    struct stat status = {};
    return ::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

// mkdir -p that keeps the reason a level could not be made; 0 when the folder is there.
int makePath(const QByteArray& path)
{
    if (::mkdir(path.constData(), 0755) == 0)
        return 0;
    const int error = errno;
    if (error == EEXIST)
        return isDirectory(path) ? 0 : ENOTDIR;
    if (error != ENOENT)
        return error;
    const QByteArray parent = QFile::encodeName(QFileInfo(QFile::decodeName(path)).absolutePath());
    if (parent == path)
        return error;
    if (const int parentError = makePath(parent))
        return parentError;
    return ::mkdir(path.constData(), 0755) == 0 || errno == EEXIST ? 0 : errno;
}

FolderAccess refused(const QString& what, const QString& folder, int error)
{
    return {false, QStringLiteral("%1 %2: %3").arg(what, QDir::toNativeSeparators(folder), qt_error_string(error))};
}
} // namespace

FolderAccess checkFolderWritable(const QString& folder)
{
    const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
    if (const int error = makePath(QFile::encodeName(absolute)))
        return refused(QStringLiteral("Cannot create the folder"), absolute, error);

    QByteArray probe = QFile::encodeName(QDir(absolute).filePath(QStringLiteral(".write-check.XXXXXX")));
    const int fd = ::mkostemp(probe.data(), O_CLOEXEC);
    if (fd < 0)
        return refused(QStringLiteral("Cannot create a file in"), absolute, errno);
    ::close(fd);
    ::unlink(probe.constData());
    return {};
}
