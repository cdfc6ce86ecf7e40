#pragma once

#include "journal/JournalVerifier.h"
#include "journal/VerificationResult.h"

#include <QString>

struct AttemptReportResult
{
    bool ok = true;
    QString error;                   // why the report was not written, for the user; empty when it was
    VerificationResult verification; // the journal as the report shows it
};

// Verifies the journal at `journalPath` (with `options`, as korvalin-verify's --draft and --seal) and
// writes its report: the PDF at `pdfPath` and the CSV at `csvPath`, either skipped when empty, their
// folders made as needed, each file replaced whole. A journal that cannot be read gives no report.
// Waits for all of it; when a PDF is asked for, call it on the thread of the QApplication, which its
// chart needs. This is korvalin-verify's report, and the PDF names it as the verifier; the program, which
// must not wait, runs the same steps through AttemptReportJob.
AttemptReportResult writeAttemptReport(const QString& journalPath, const QString& pdfPath, const QString& csvPath,
                                       const VerifyOptions& options = {});
