#include "journal/JournalFiles.h"

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
