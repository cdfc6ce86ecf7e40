#include "frmTraining/progress/ProgressCharts.h"

#include "frmTraining/TrainingLook.h"

#include <QChart>
#include <QDate>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>

namespace {

const QColor Navy(0, 0, 128);
const QColor Red(192, 0, 0);
const QColor Green(0, 128, 64);
const QColor Grey(128, 128, 128);
constexpr int MinimumDrawnBin = 20;

QChart* makeChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setTitleFont(TrainingLook::font(10, true));
    chart->setTitleBrush(Navy);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(TrainingLook::font(8));
    return chart;
}

template <class Series> Series* addSeries(QChart* chart, const QString& name, const QPen& pen, QList<QPointF> points)
{
    auto* series = new Series;
    series->setName(name);
    series->setPen(pen);
    series->replace(points);
    chart->addSeries(series);
    return series;
}

QValueAxis* valueAxis(const QString& title, double minimum, double maximum, const char* format = "%.0f")
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTitleFont(TrainingLook::font(8, true));
    axis->setLabelsFont(TrainingLook::font(8));
    axis->setRange(minimum, std::max(maximum, minimum + 1e-9));
    axis->setLabelFormat(QString::fromLatin1(format));
    axis->applyNiceNumbers();
    return axis;
}

// Tenths from 0 to 1, labelled every fifth.
QValueAxis* probabilityAxis(const QString& title)
{
    QValueAxis* axis = valueAxis(title, 0.0, 1.0, "%.1f");
    axis->setRange(0.0, 1.0);
    axis->setTickCount(6);
    return axis;
}

QDateTimeAxis* dateAxis(int firstDay, int lastDay)
{
    auto* axis = new QDateTimeAxis;
    // Months name the ticks of a long history; a short one needs its days.
    axis->setFormat(lastDay - firstDay > 180 ? QStringLiteral("MMM yyyy") : QStringLiteral("d MMM"));
    axis->setLabelsFont(TrainingLook::font(8));
    axis->setTickCount(7);
    axis->setRange(QDateTime::fromMSecsSinceEpoch(ProgressCharts::msecsOf(firstDay)),
                   QDateTime::fromMSecsSinceEpoch(ProgressCharts::msecsOf(std::max(lastDay, firstDay + 1))));
    return axis;
}

void attach(QChart* chart, QAbstractAxis* x, QAbstractAxis* y)
{
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
}

// A value that holds from each point's day until the next one's.
QList<QPointF> steps(const std::vector<DayValue>& values, int lastDay)
{
    QList<QPointF> points;
    points.reserve(qsizetype(values.size() * 2 + 1));
    for (const DayValue& value : values) {
        const auto x = double(ProgressCharts::msecsOf(value.day));
        if (!points.isEmpty())
            points.append({x, points.last().y()});
        points.append({x, double(value.value)});
    }
    if (!points.isEmpty())
        points.append({double(ProgressCharts::msecsOf(lastDay)), points.last().y()});
    return points;
}

} // namespace

qint64 ProgressCharts::msecsOf(int day)
{
    return QDate::fromJulianDay(day).startOfDay().toMSecsSinceEpoch();
}

QChart* ProgressCharts::knownDigits(const KnownDigitsSeries& series, int lastDay)
{
    QChart* chart = makeChart(QStringLiteral("Known digits over time"));
    int firstDay = lastDay - 30;
    int most = 100;
    for (const auto* values : {&series.known, &series.bestRecital, &series.rehearsed}) {
        if (!values->empty())
            firstDay = std::min(firstDay, values->front().day);
        for (const DayValue& value : *values)
            most = std::max(most, value.value);
    }
    addSeries<QLineSeries>(chart, QStringLiteral("Every block learned from digit 1"), QPen(Navy, 2.0),
                           steps(series.known, lastDay));
    addSeries<QLineSeries>(chart, QStringLiteral("Personal best recital"), QPen(Green, 2.0),
                           steps(series.bestRecital, lastDay));
    QList<QPointF> rehearsals;
    rehearsals.reserve(qsizetype(series.rehearsed.size()));
    for (const DayValue& value : series.rehearsed)
        rehearsals.append({double(msecsOf(value.day)), double(value.value)});
    auto* rehearsed = addSeries<QScatterSeries>(chart, QStringLiteral("Rehearsed under the record rules"),
                                                QPen(Red, 1.0), rehearsals);
    rehearsed->setMarkerSize(6.0);
    rehearsed->setBrush(Red);
    attach(chart, dateAxis(firstDay, lastDay), valueAxis(QStringLiteral("Digits"), 0.0, most * 1.05));
    return chart;
}

QChart* ProgressCharts::paceByDay(const PaceSeries& pace)
{
    QChart* chart = makeChart(QStringLiteral("Seconds per digit, by day"));
    QList<QPointF> medians;
    QList<QPointF> p90s;
    medians.reserve(qsizetype(pace.byDay.size()));
    p90s.reserve(qsizetype(pace.byDay.size()));
    double most = 1.0;
    for (const PacePoint& point : pace.byDay) {
        const auto x = double(msecsOf(point.key));
        medians.append({x, point.medianSeconds});
        p90s.append({x, point.p90Seconds});
        most = std::max(most, point.p90Seconds);
    }
    addSeries<QLineSeries>(chart, QStringLiteral("Median"), QPen(Navy, 1.5), medians);
    addSeries<QLineSeries>(chart, QStringLiteral("90th percentile"), QPen(Red, 1.0), p90s);
    // Without a recall yet, the last month.
    const auto today = int(QDate::currentDate().toJulianDay());
    const int firstDay = pace.byDay.empty() ? today - 30 : pace.byDay.front().key;
    const int lastDay = pace.byDay.empty() ? today : pace.byDay.back().key;
    attach(chart, dateAxis(firstDay, lastDay), valueAxis(QStringLiteral("Seconds"), 0.0, most * 1.1, "%.1f"));
    return chart;
}

QChart* ProgressCharts::paceByBlock(const PaceSeries& pace)
{
    QChart* chart = makeChart(QStringLiteral("Seconds per digit, by block"));
    QList<QPointF> medians;
    QList<QPointF> p90s;
    double most = 1.0;
    int lastBlock = 1;
    for (const PacePoint& point : pace.byBlock) {
        medians.append({double(point.key), point.medianSeconds});
        p90s.append({double(point.key), point.p90Seconds});
        most = std::max(most, point.p90Seconds);
        lastBlock = std::max(lastBlock, point.key);
    }
    addSeries<QLineSeries>(chart, QStringLiteral("Median"), QPen(Navy, 1.5), medians);
    addSeries<QLineSeries>(chart, QStringLiteral("90th percentile"), QPen(Red, 1.0), p90s);
    attach(chart, valueAxis(QStringLiteral("Block"), 1.0, lastBlock),
           valueAxis(QStringLiteral("Seconds"), 0.0, most * 1.1, "%.1f"));
    return chart;
}

QChart* ProgressCharts::forecast(const ReadinessForecast& forecast)
{
    QChart* chart = makeChart(QStringLiteral("Probability of reciting digits 1..N without an error on ") +
                              QDate::fromJulianDay(forecast.day).toString(QStringLiteral("d MMMM yyyy")));
    QList<QPointF> points;
    points.reserve(qsizetype(forecast.steps.size() * 2));
    int start = 0;
    int shown = 1000;
    for (const ForecastStep& step : forecast.steps) {
        points.append({double(start), step.probability});
        points.append({double(step.lastPosition), step.probability});
        if (step.probability >= 0.01)
            shown = std::max(shown, step.lastPosition + 500);
        start = step.lastPosition;
    }
    shown = std::min(shown, std::max(start, 1));
    addSeries<QLineSeries>(chart, QStringLiteral("All items recalled (taken as independent)"), QPen(Navy, 2.0), points);
    // Across the whole axis, however far its nice numbers take it.
    addSeries<QLineSeries>(chart, QStringLiteral("90 %"), QPen(Green, 1.0, Qt::DashLine),
                           {{0.0, 0.9}, {double(start), 0.9}});
    addSeries<QLineSeries>(chart, QStringLiteral("50 %"), QPen(Red, 1.0, Qt::DashLine),
                           {{0.0, 0.5}, {double(start), 0.5}});
    attach(chart, valueAxis(QStringLiteral("Digits from digit 1"), 0.0, shown),
           probabilityAxis(QStringLiteral("Probability")));
    return chart;
}

QChart* ProgressCharts::calibration(const Calibration& calibration)
{
    QChart* chart = makeChart(QStringLiteral("Predicted and recalled, %1 reviews: RMSE %2")
                                  .arg(calibration.reviews)
                                  .arg(calibration.rmse, 0, 'f', 3));
    // A bin of a handful of reviews says little: it counts in the RMSE, but is not drawn.
    QList<QPointF> bins;
    for (const CalibrationBin& bin : calibration.bins) {
        if (bin.reviews >= MinimumDrawnBin)
            bins.append({bin.meanPredicted, bin.observed});
    }
    addSeries<QLineSeries>(chart, QStringLiteral("As predicted"), QPen(Grey, 1.0, Qt::DashLine),
                           {{0.0, 0.0}, {1.0, 1.0}});
    addSeries<QLineSeries>(chart, QStringLiteral("Recalled"), QPen(Navy, 2.0), bins);
    auto* points = addSeries<QScatterSeries>(
        chart, QStringLiteral("Bins of a tenth, %1 reviews or more").arg(MinimumDrawnBin), QPen(Navy, 1.0), bins);
    points->setMarkerSize(7.0);
    points->setBrush(Navy);
    attach(chart, probabilityAxis(QStringLiteral("Predicted probability of recall")),
           probabilityAxis(QStringLiteral("Share recalled")));
    return chart;
}
