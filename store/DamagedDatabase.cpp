#include "DamagedDatabase.h"

#include <QFile>
#include <QFileInfo>

#include <utility>
#include <vector>

namespace {
// The log, its index, a rollback journal, and the finding of a check (DatabaseCheck.h).
const QString Companions[] = {QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal"),
                              QStringLiteral("-damage")};

bool nameIsFree(const QString& path)
{
    if (QFileInfo::exists(path))
        return false;
    for (const QString& ending : Companions) {
        if (QFileInfo::exists(path + ending))
            return false;
    }
    return true;
}

QString freeName(const QString& path, const QDateTime& localNow)
{
    const QString stem = path + QStringLiteral(".damaged-") + localNow.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString candidate = stem;
    for (int number = 2; !nameIsFree(candidate); ++number)
        candidate = stem + QLatin1Char('-') + QString::number(number);
    return candidate;
}
} // namespace

SetAside setDamagedDatabaseAside(const QString& path, const QDateTime& localNow)
{
    const QString target = freeName(path, localNow);
    std::vector<std::pair<QString, QString>> moves;
    for (const QString& ending : Companions) {
        if (QFileInfo::exists(path + ending))
            moves.emplace_back(path + ending, target + ending);
    }
    moves.emplace_back(path, target);

    std::vector<std::pair<QString, QString>> done;
    for (const auto& [from, to] : moves) {
        QFile file(from);
        if (!file.rename(to)) {
            const QString error = QStringLiteral("%1 cannot be renamed to %2: %3")
                                      .arg(from, QFileInfo(to).fileName(), file.errorString());
            for (const auto& [movedFrom, movedTo] : done)
                QFile::rename(movedTo, movedFrom);
            return {false, path, error};
        }
        done.emplace_back(from, to);
    }
    return {true, target, {}};
}
