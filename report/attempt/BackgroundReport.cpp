#include "attempt/BackgroundReport.h"

#include "chart/GapChart.h"
#include "csv/AttemptCsv.h"
#include "files/AtomicFile.h"
#include "journal/JournalVerifier.h"
#include "pdf/AttemptPdf.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPicture>
#include <QThreadPool>

#include <memory>

namespace {
void writeInFolder(const QString& path, const QByteArray& bytes)
{
    // A report that cannot be written costs the attempt nothing: the journal it comes from stays.
    if (QDir().mkpath(QFileInfo(path).absolutePath()))
        writeFileAtomically(path, bytes);
}
} // namespace

void writeAttemptReportInBackground(const QString& journalPath, const QString& pdfPath, const QString& csvPath)
{
    // The global pool is waited for when the application ends, so a report under way is finished.
    QThreadPool::globalInstance()->start([journalPath, pdfPath, csvPath] {
        auto result = std::make_shared<const VerificationResult>(verifyJournalFile(journalPath));
        if (result->verdict == Verdict::Unreadable)
            return;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [result, pdfPath, csvPath] {
                const QPicture chart = drawGapChart(*result, ReportGapChartSize);
                QThreadPool::globalInstance()->start([result, chart, pdfPath, csvPath] {
                    writeInFolder(pdfPath, attemptPdf(*result, chart));
                    writeInFolder(csvPath, attemptCsv(*result));
                });
            },
            Qt::QueuedConnection);
    });
}
