#include "attempt/AttemptReport.h"

#include "attempt/ReportSteps.h"

AttemptReportResult writeAttemptReport(const QString& journalPath, const QString& pdfPath, const QString& csvPath,
                                       const VerifyOptions& options)
{
    AttemptReportResult report;
    report.verification = verifyJournalFile(journalPath, options);
    report.error = reportRefusal(journalPath, report.verification);
    if (!report.error.isEmpty()) {
        report.ok = false;
        return report;
    }
    const WriteResult written = writeReportFiles(report.verification, reportChart(report.verification, pdfPath),
                                                 pdfPath, csvPath, ReportWriter::Verifier);
    report.ok = written.ok;
    report.error = written.error;
    return report;
}
