// The attempt's report: started as the attempt ends, written in the background, and told to the results
// screen when it cannot be written.
#include "frmMain/frmMain.h"

#include "frmSpecialNumber_Fin/frmSpecialNumber_Fin.h"
#include "stage/AttemptOutcome.h"

#ifdef KORVALIN_WITH_REPORTS
#include "attempt/AttemptReportJob.h"
#include "files/ProgramDirectory.h"
#include "journal/JournalFiles.h"

#include <QDir>
#endif

void frmMain::startReport(const AttemptEvidence& evidence)
{
    emit attemptEnded(evidence);
#ifdef KORVALIN_WITH_REPORTS
    // A journal that is not whole has no seal, and no report could stand for the attempt.
    if (evidence.journalPath.isEmpty() || evidence.seal.isEmpty())
        return;
    const QDir folder(QDir(programDirectory()).filePath(reportsFolderName()));
    auto* job = new AttemptReportJob(this);
    connect(job, &AttemptReportJob::finished, job, &QObject::deleteLater);
    m_report = job;
    job->start(evidence.journalPath, folder.filePath(reportPdfFileName(evidence.draftNumber)),
               folder.filePath(reportCsvFileName(evidence.draftNumber)));
#else
    Q_UNUSED(evidence);
#endif
}

void frmMain::followReport(QWidget* results)
{
#ifdef KORVALIN_WITH_REPORTS
    auto* screen = qobject_cast<frmSpecialNumber_Fin*>(results);
    auto* job = qobject_cast<AttemptReportJob*>(m_report.data());
    if (!screen || !job)
        return;
    if (job->isFinished())
        screen->showReportOutcome(job->ok(), job->error());
    else
        connect(job, &AttemptReportJob::finished, screen, &frmSpecialNumber_Fin::showReportOutcome);
#else
    Q_UNUSED(results);
#endif
}
