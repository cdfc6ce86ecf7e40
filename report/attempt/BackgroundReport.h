#pragma once

#include <QString>

// Writes the report of the journal at `journalPath` (PDF and CSV) without holding up the caller: the
// journal is verified and the files are written on a pool thread; only the chart, which Qt Charts draws
// with widgets, is drawn on the application's thread in between. Call it on that thread. A journal that
// cannot be read gives no report.
void writeAttemptReportInBackground(const QString& journalPath, const QString& pdfPath, const QString& csvPath);
