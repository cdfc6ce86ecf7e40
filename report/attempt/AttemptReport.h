#pragma once

#include "files/AtomicFile.h"
#include "journal/VerificationResult.h"

#include <QString>

// Writes the report of a verified journal: the PDF at `pdfPath` and the CSV at `csvPath` (either may be
// empty to skip it), making their folders as needed, each file replaced whole. Runs on the thread of
// the QApplication, which the chart needs. A caller that must not wait draws the chart there
// (drawGapChart) and hands attemptPdf, attemptCsv and writeFileAtomically to another thread.
WriteResult writeAttemptReport(const VerificationResult& result, const QString& pdfPath, const QString& csvPath);
