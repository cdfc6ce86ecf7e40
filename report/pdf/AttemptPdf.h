#pragma once

#include "journal/VerificationResult.h"

#include <QByteArray>
#include <QPicture>

// The attempt report as a PDF for the arbiter (A4): the attempt's header, score and used time, the
// verdict, the seal, the chart of the time before each new digit, the corrections and restores, the rows
// that hold errors, and fields for two witnesses and an arbiter to sign. Runs on any thread; the chart
// comes from drawGapChart.
QByteArray attemptPdf(const VerificationResult& result, const QPicture& gapChart);
