#include "attempt/AttemptReport.h"

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

WriteResult writeAttemptReport(const VerificationResult& result, const QString& pdfPath, const QString& csvPath)
{
    if (!pdfPath.isEmpty()) {
        const WriteResult written =
            writeInFolder(pdfPath, attemptPdf(result, drawGapChart(result, ReportGapChartSize)));
        if (!written.ok)
            return written;
    }
    if (!csvPath.isEmpty())
        return writeInFolder(csvPath, attemptCsv(result));
    return {};
}
