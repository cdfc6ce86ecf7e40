#pragma once

#include "journal/VerificationResult.h"

#include <QByteArray>
#include <QPicture>
#include <QString>

// The attempt report as a PDF for the arbiter (A4): the attempt's header with its start and end, score and
// used time, the verdict, the seal, who verified it with which build, the chart of the time before each new
// digit, the corrections and restores, the rows that hold errors, and fields for two witnesses and an
// arbiter to sign; every page names the attempt and its seal, so that a page stands alone. `verifiedBy`
// names the program that verified the journal ("korvalin-verify 0.1"). Runs on any thread; the chart
// comes from drawGapChart.
QByteArray attemptPdf(const VerificationResult& result, const QPicture& gapChart, const QString& verifiedBy);
