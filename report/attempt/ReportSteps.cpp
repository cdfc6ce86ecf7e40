#include "attempt/ReportSteps.h"

#include "base/ProgramVersion.h"

#include "chart/GapChart.h"
#include "csv/AttemptCsv.h"
#include "pdf/AttemptPdf.h"

#include <QDir>
#include <QFileInfo>

#include <future>

namespace {
WriteResult writeInFolder(const QString& path, const QByteArray& bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return {false, QStringLiteral("Cannot make the folder %1").arg(QDir::toNativeSeparators(folder))};
    return writeFileAtomically(path, bytes);
}
} // namespace

QString reportWriterName(ReportWriter writer)
{
    const QLatin1StringView name(writer == ReportWriter::Program ? "KORVALIN" : "korvalin-verify");
    return QStringLiteral("%1 %2").arg(name, QLatin1StringView(ProgramVersion));
}

QString reportRefusal(const QString& journalPath, const VerificationResult& result)
{
    if (result.wasChecked())
        return {};
    if (result.verdict == Verdict::NotASeal)
        return QStringLiteral("The journal %1 was not checked: the seal given is %2")
            .arg(QDir::toNativeSeparators(journalPath), result.verdictText);
    return QStringLiteral("The journal %1 %2").arg(QDir::toNativeSeparators(journalPath), result.verdictText);
}

QPicture reportChart(const VerificationResult& result, const QString& pdfPath)
{
    return pdfPath.isEmpty() ? QPicture() : drawGapChart(result, ReportGapChartSize);
}

WriteResult writeReportFiles(const VerificationResult& result, const QPicture& chart, const QString& pdfPath,
                             const QString& csvPath, ReportWriter writer)
{
    // The CSV is made beside the PDF: an arbiter waits for both.
    std::future<QByteArray> csv;
    if (!csvPath.isEmpty())
        csv = std::async(std::launch::async, [&result] { return attemptCsv(result); });
    if (!pdfPath.isEmpty()) {
        const WriteResult written = writeInFolder(pdfPath, attemptPdf(result, chart, reportWriterName(writer)));
        if (!written.ok)
            return written;
    }
    if (csv.valid())
        return writeInFolder(csvPath, csv.get());
    return {};
}
