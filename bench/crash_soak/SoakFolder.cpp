#include "crash_soak/SoakFolder.h"

#include "record/AttemptRecordDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString DraftPattern = QStringLiteral("draft_record_*.xml");
const QString TemporaryDraftPattern = QStringLiteral(".draft_record_*");
} // namespace

SoakFolder::SoakFolder(const QString& base, const QString& program, const QByteArray& settings)
{
    const QString folder = QDir(base).filePath(QStringLiteral("program"));
    QDir().mkpath(folder);
    QFile::remove(QDir(folder).filePath(QStringLiteral("korvalin")));
    QFile settingsFile(QDir(folder).filePath(QStringLiteral("settings.xml")));
    if (!QFile::copy(program, QDir(folder).filePath(QStringLiteral("korvalin"))) ||
        !settingsFile.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        settingsFile.write(settings) != settings.size())
        return;
    m_path = folder;
}

QString SoakFolder::programPath() const
{
    return QDir(m_path).filePath(QStringLiteral("korvalin"));
}

void SoakFolder::removeDrafts() const
{
    const QDir folder(m_path);
    for (const QString& name : folder.entryList({DraftPattern}, QDir::Files))
        QFile::remove(folder.filePath(name));
}

bool SoakFolder::hasDraft() const
{
    return !QDir(m_path).entryList({DraftPattern}, QDir::Files).isEmpty();
}

int SoakFolder::temporaryDraftFiles() const
{
    return int(QDir(m_path).entryList({TemporaryDraftPattern}, QDir::Files | QDir::Hidden).size());
}

SoakFolder::Draft SoakFolder::newestDraft(int rows, int columns) const
{
    const QFileInfoList drafts = QDir(m_path).entryInfoList({DraftPattern}, QDir::Files, QDir::Time);
    Draft draft;
    if (drafts.isEmpty())
        return draft;
    draft.found = true;
    AttemptRecordDocument record;
    if (const std::optional<QString> error = record.loadFromFile(drafts.first().filePath(), rows, columns)) {
        draft.error = *error;
        return draft;
    }
    draft.answers.reserve(std::size_t(rows) * std::size_t(columns));
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column)
            draft.answers.push_back(record.cevap(row, column));
    }
    return draft;
}
