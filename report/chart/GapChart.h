#pragma once

#include "journal/VerificationResult.h"

#include <QPicture>
#include <QSizeF>

// The chart of the time before each new digit, with the 15-second limit drawn across it, recorded
// as a picture that any painter can replay (a PDF page on another thread, for one). Drawing it needs
// a QApplication and runs on its thread, since Qt Charts is made of graphics-view widgets. `size` is
// the chart's own layout size in points; replaying scales it to any rectangle.
QPicture drawGapChart(const VerificationResult& result, const QSizeF& size);

// The chart's layout size in the report: about the width of the page's text, in proportion to its band.
inline const QSizeF ReportGapChartSize(540, 230);
