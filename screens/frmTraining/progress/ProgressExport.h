#pragma once

#include "files/AtomicFile.h"
#include "training/progress/ProgressViews.h"

#include <QSizeF>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

// One chart of the progress view, drawn afresh at its own size into any painter: an image, an SVG file,
// a PDF page. Drawing needs the application's thread, since the charts are graphics-view widgets.
struct ProgressFigure
{
    // Names the file: "known-digits", "pace-by-day", ...
    QString name;
    QSizeF size;
    std::function<void(QPainter&)> paint;
};

namespace ProgressExport {
// Every chart of `views`, the heatmap and the calendar with them. The calibration comes once it has
// enough reviews to say something.
std::vector<ProgressFigure> figures(const ProgressViews& views, const std::map<QString, QString>& notes);
// Each figure as `folder`/<number>-<name>.png, or .svg; each file is written whole or not at all.
WriteResult writePngFiles(const std::vector<ProgressFigure>& figures, const QString& folder, const QString& prefix);
WriteResult writeSvgFiles(const std::vector<ProgressFigure>& figures, const QString& folder, const QString& prefix);
// Each view as `folder`/<number>-<view>.csv.
WriteResult writeCsvFiles(const ProgressViews& views, const QString& folder);
// One A4 page in landscape: the number, the day, the figures that say most and the lines of `summary`.
QByteArray progressPdf(const ProgressViews& views, const std::vector<ProgressFigure>& figures,
                       const QStringList& summary);
} // namespace ProgressExport
