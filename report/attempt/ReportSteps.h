#pragma once

#include "files/AtomicFile.h"
#include "journal/VerificationResult.h"

#include <QPicture>
#include <QString>

// The steps of writing an attempt report, in the order they run: verify the journal (verifyJournalFile,
// any thread), draw the chart (the application's thread, which Qt Charts needs), write the files (any
// thread). writeAttemptReport runs them one after another; AttemptReportJob runs the same steps with the
// first and the last on a pool thread.

// Who verified the journal of a report: the program, when an attempt ends, or korvalin-verify.
enum class ReportWriter
{
    Program,
    Verifier,
};

// "KORVALIN 0.1" or "korvalin-verify 0.1", as the report names its verifier.
QString reportWriterName(ReportWriter writer);

// Why a journal gives no report, or an empty text when it gives one.
QString reportRefusal(const QString& journalPath, const VerificationResult& result);

// The chart of the PDF at `pdfPath`, or an empty picture when no PDF is asked for.
QPicture reportChart(const VerificationResult& result, const QString& pdfPath);

// Writes the PDF (with `chart`) and the CSV, each skipped when its path is empty, making their folders
// as needed and replacing each file whole. Stops at the first file that cannot be written.
WriteResult writeReportFiles(const VerificationResult& result, const QPicture& chart, const QString& pdfPath,
                             const QString& csvPath, ReportWriter writer);
