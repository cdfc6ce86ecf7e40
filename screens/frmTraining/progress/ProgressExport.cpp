#include "frmTraining/progress/ProgressExport.h"

#include "frmTraining/TrainingLook.h"
#include "frmTraining/progress/ErrorHeatmapWidget.h"
#include "frmTraining/progress/ProgressCharts.h"
#include "frmTraining/progress/TrainingCalendarWidget.h"
#include "training/progress/ProgressCsv.h"

#include <QBuffer>
#include <QChart>
#include <QDate>
#include <QDir>
#include <QGraphicsScene>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace {

const QSizeF ChartSize(900, 520);
const QSizeF HeatmapSize(900, 620);
const QSizeF CalendarSize(900, 320);

void paintChart(QPainter& painter, QChart* chart, const QSizeF& size)
{
    QGraphicsScene scene;
    scene.addItem(chart); // the scene owns the chart and its series
    chart->setGeometry(QRectF(QPointF(0, 0), size));
    scene.render(&painter, QRectF(QPointF(0, 0), size), QRectF(QPointF(0, 0), size));
}

ProgressFigure chartFigure(const QString& name, std::function<QChart*()> make)
{
    return {name, ChartSize, [make = std::move(make)](QPainter& painter) { paintChart(painter, make(), ChartSize); }};
}

template <class Widget> void paintWidget(QPainter& painter, Widget& widget, const QSizeF& size)
{
    widget.resize(size.toSize());
    painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    widget.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
}

QString fileName(const QString& folder, const QString& prefix, const QString& name, const char* extension)
{
    return QDir(folder).filePath(prefix + u'-' + name + u'.' + QLatin1String(extension));
}

} // namespace

std::vector<ProgressFigure> ProgressExport::figures(const ProgressViews& views, const std::map<QString, QString>& notes)
{
    std::vector<ProgressFigure> list;
    list.push_back(chartFigure(QStringLiteral("known-digits"), [known = views.known, today = views.today] {
        return ProgressCharts::knownDigits(known, today);
    }));
    list.push_back(
        chartFigure(QStringLiteral("pace-by-day"), [pace = views.pace] { return ProgressCharts::paceByDay(pace); }));
    list.push_back(chartFigure(QStringLiteral("pace-by-block"),
                               [pace = views.pace] { return ProgressCharts::paceByBlock(pace); }));
    list.push_back({QStringLiteral("error-heatmap"), HeatmapSize, [map = views.heatmap, notes](QPainter& painter) {
                        ErrorHeatmapWidget widget;
                        widget.setHeatmap(map, notes);
                        paintWidget(painter, widget, HeatmapSize);
                    }});
    list.push_back(chartFigure(QStringLiteral("forecast"),
                               [forecast = views.forecast] { return ProgressCharts::forecast(forecast); }));
    if (views.calibration.enough())
        list.push_back(chartFigure(QStringLiteral("calibration"), [calibration = views.calibration] {
            return ProgressCharts::calibration(calibration);
        }));
    list.push_back({QStringLiteral("calendar"), CalendarSize,
                    [minutes = views.minutesByDay, today = views.today](QPainter& painter) {
                        TrainingCalendarWidget widget;
                        widget.setMinutes(minutes, today);
                        paintWidget(painter, widget, CalendarSize);
                    }});
    return list;
}

WriteResult ProgressExport::writePngFiles(const std::vector<ProgressFigure>& figures, const QString& folder,
                                          const QString& prefix)
{
    for (const ProgressFigure& figure : figures) {
        QImage image(figure.size.toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            figure.paint(painter);
        }
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        if (WriteResult result = writeFileAtomically(fileName(folder, prefix, figure.name, "png"), bytes); !result.ok)
            return result;
    }
    return {};
}

WriteResult ProgressExport::writeSvgFiles(const std::vector<ProgressFigure>& figures, const QString& folder,
                                          const QString& prefix)
{
    for (const ProgressFigure& figure : figures) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(figure.size.toSize());
        svg.setViewBox(QRectF(QPointF(0, 0), figure.size));
        svg.setTitle(figure.name);
        {
            QPainter painter(&svg);
            figure.paint(painter);
        }
        if (WriteResult result = writeFileAtomically(fileName(folder, prefix, figure.name, "svg"), bytes); !result.ok)
            return result;
    }
    return {};
}

WriteResult ProgressExport::writeCsvFiles(const ProgressViews& views, const QString& folder)
{
    const QString prefix = numberName(views.number);
    const std::pair<const char*, QByteArray> files[] = {
        {"known-digits", ProgressCsv::knownDigits(views.known)},
        {"pace", ProgressCsv::pace(views.pace)},
        {"error-heatmap", ProgressCsv::heatmap(views.heatmap)},
        {"forecast", ProgressCsv::forecast(views.forecast)},
        {"calibration", ProgressCsv::calibration(views.calibration)},
        {"calendar", ProgressCsv::calendar(views.minutesByDay)},
    };
    for (const auto& [name, csv] : files) {
        if (WriteResult result = writeFileAtomically(fileName(folder, prefix, QString::fromLatin1(name), "csv"), csv);
            !result.ok)
            return result;
    }
    return {};
}

QByteArray ProgressExport::progressPdf(const ProgressViews& views, const std::vector<ProgressFigure>& figures,
                                       const QStringList& summary)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 12, 12, 12),
                                  QPageLayout::Millimeter));
    pdf.setResolution(144);
    pdf.setTitle(QStringLiteral("KORVALIN progress report"));
    pdf.setCreator(QStringLiteral("KORVALIN"));
    QPainter painter(&pdf);
    const QRectF page(QPointF(0, 0), QSizeF(pdf.width(), pdf.height()));

    painter.setPen(QColor(TrainingLook::TextColour));
    QFont title = TrainingLook::font(16, true);
    painter.setFont(title);
    const QString heading = QStringLiteral("KORVALIN progress report: %1, %2")
                                .arg(TrainingLook::numberCaption(views.number),
                                     QDate::fromJulianDay(views.today).toString(QStringLiteral("d MMMM yyyy")));
    QRectF used;
    painter.drawText(page, Qt::AlignLeft | Qt::AlignTop, heading, &used);
    painter.setFont(TrainingLook::font(8));
    QRectF text(page.left(), used.bottom() + 8, page.width(), page.height());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, summary.join(u'\n'), &used);

    // Two rows of two: the known digits, the forecast, the heatmap and the pace by day.
    const QStringList shown = {QStringLiteral("known-digits"), QStringLiteral("forecast"),
                               QStringLiteral("error-heatmap"), QStringLiteral("pace-by-day")};
    const double top = used.bottom() + 12;
    const QSizeF cell((page.width() - 12) / 2, (page.bottom() - top - 12) / 2);
    int index = 0;
    for (const QString& name : shown) {
        const auto figure =
            std::find_if(figures.begin(), figures.end(), [&name](const ProgressFigure& f) { return f.name == name; });
        if (figure == figures.end())
            continue;
        const QRectF target(page.left() + (index % 2) * (cell.width() + 12), top + (index / 2) * (cell.height() + 12),
                            cell.width(), cell.height());
        const double scale = std::min(target.width() / figure->size.width(), target.height() / figure->size.height());
        painter.save();
        painter.translate(target.topLeft());
        painter.scale(scale, scale);
        painter.setClipRect(QRectF(QPointF(0, 0), figure->size));
        figure->paint(painter);
        painter.restore();
        ++index;
    }
    painter.end();
    return bytes;
}
