#include "attempt/AttemptReportJob.h"

#include "attempt/ReportSteps.h"
#include "journal/JournalVerifier.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

#include <memory>

namespace {
// The application object, not the job, carries each step to its thread, so that a job deleted early
// still leaves a whole report. The global pool is waited for when the application ends.
template <typename Step> void onApplicationThread(Step&& step)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::forward<Step>(step), Qt::QueuedConnection);
}
} // namespace

AttemptReportJob::AttemptReportJob(QObject* parent) : QObject(parent) {}

void AttemptReportJob::start(const QString& journalPath, const QString& pdfPath, const QString& csvPath)
{
    if (m_started)
        return;
    m_started = true;
    const auto tell = [job = QPointer<AttemptReportJob>(this)](const WriteResult& written) {
        onApplicationThread([job, written] {
            if (job)
                job->finish(written);
        });
    };
    QThreadPool::globalInstance()->start([tell, journalPath, pdfPath, csvPath] {
        auto result = std::make_shared<const VerificationResult>(verifyJournalFile(journalPath));
        const QString refusal = reportRefusal(journalPath, *result);
        if (!refusal.isEmpty())
            return tell({false, refusal});
        onApplicationThread([tell, result, pdfPath, csvPath] {
            const QPicture chart = reportChart(*result, pdfPath);
            QThreadPool::globalInstance()->start([tell, result, chart, pdfPath, csvPath] {
                tell(writeReportFiles(*result, chart, pdfPath, csvPath, ReportWriter::Program));
            });
        });
    });
}

void AttemptReportJob::finish(const WriteResult& written)
{
    m_finished = true;
    m_ok = written.ok;
    m_error = written.error;
    emit finished(m_ok, m_error);
}
