#include "journal/JournalFiles.h"

#include "journal/JournalFormat.h"
#include "journal/JournalHash.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {
QString attemptBaseName(int draftNumber)
{
    return QStringLiteral("attempt_") + QString::number(draftNumber);
}
} // namespace

QString journalFileName(int draftNumber)
{
    return attemptBaseName(draftNumber) + QStringLiteral(".journal");
}

QString reportsFolderName()
{
    return QStringLiteral("reports");
}

QString reportPdfFileName(int draftNumber)
{
    return attemptBaseName(draftNumber) + QStringLiteral(".pdf");
}

QString reportCsvFileName(int draftNumber)
{
    return attemptBaseName(draftNumber) + QStringLiteral(".csv");
}

std::optional<int> attemptNumberOfDraft(const QString& folder, const QByteArray& bytes)
{
    static const QRegularExpression draftName(QStringLiteral("^draft_record_(\\d+)\\.xml$"));
    const QFileInfoList drafts = QDir(folder).entryInfoList({QStringLiteral("draft_record_*.xml")}, QDir::Files);
    for (const QFileInfo& draft : drafts) {
        const QRegularExpressionMatch match = draftName.match(draft.fileName());
        if (!match.hasMatch() || draft.size() != bytes.size())
            continue;
        QFile file(draft.filePath());
        if (file.open(QIODevice::ReadOnly) && file.readAll() == bytes)
            return match.captured(1).toInt();
    }
    return std::nullopt;
}

bool journalIsOfRehearsal(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonObject start = QJsonDocument::fromJson(file.readLine()).object();
    return start.value(JournalKey::Rehearsal).toBool(false);
}

QByteArray journalFileSeal(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.readAll();
    if (!text.endsWith('\n'))
        return {};
    const qsizetype start = text.lastIndexOf('\n', text.size() - 2) + 1;
    const QByteArray lastLine = text.sliced(start, text.size() - 1 - start);
    return lastLine.isEmpty() ? QByteArray() : sha256Hex(lastLine);
}
