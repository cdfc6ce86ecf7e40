#include "attempt/ReportSteps.h"

#include "chart/GapChart.h"
#include "csv/AttemptCsv.h"
#include "pdf/AttemptPdf.h"

#include <QDir>
#include <QFileInfo>

namespace {
WriteResult writeInFolder(const QString& path, const QByteArray& bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return {false, QStringLiteral("Cannot make the folder %1").arg(QDir::toNativeSeparators(folder))};
    return writeFileAtomically(path, bytes);
}
} // namespace

QString reportRefusal(const QString& journalPath, const VerificationResult& result)
{
    if (result.verdict != Verdict::Unreadable)
        return {};
    return QStringLiteral("The journal %1 %2").arg(QDir::toNativeSeparators(journalPath), result.verdictText);
}

QPicture reportChart(const VerificationResult& result, const QString& pdfPath)
{
    return pdfPath.isEmpty() ? QPicture() : drawGapChart(result, ReportGapChartSize);
}

WriteResult writeReportFiles(const VerificationResult& result, const QPicture& chart, const QString& pdfPath,
                             const QString& csvPath)
{
    if (!pdfPath.isEmpty()) {
        const WriteResult written = writeInFolder(pdfPath, attemptPdf(result, chart));
        if (!written.ok)
            return written;
    }
    if (!csvPath.isEmpty())
        return writeInFolder(csvPath, attemptCsv(result));
    return {};
}
