#include "chart/GapChart.h"

#include "stage/StageState.h"

#include <QApplication>
#include <QAreaSeries>
#include <QChart>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {
const QColor GapColour(11, 3, 103);
const QColor LimitColour(200, 0, 0);
const QColor RestoredColour(230, 140, 0, 110);

// Fonts in pixels of the chart's layout: a picture replays point sizes at the resolution of the page it
// is drawn on, but pixel sizes scale with the picture.
QFont chartFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// The digits whose answers came from a restored draft, as runs of digit numbers: they were not typed,
// so they have no time before them and are shaded instead.
std::vector<std::pair<int, int>> restoredDigitRuns(const VerificationResult& result)
{
    std::vector<std::pair<int, int>> runs;
    for (std::size_t cell = 0; cell < result.cells.size(); ++cell) {
        if (!result.cells[cell].restored)
            continue;
        const int digit = int(cell) + 1;
        if (!runs.empty() && runs.back().second + 1 == digit)
            runs.back().second = digit;
        else
            runs.emplace_back(digit, digit);
    }
    return runs;
}

// A band as high as the chart over each run, flat on the axis between them.
QList<QPointF> restoredBands(const std::vector<std::pair<int, int>>& runs, double top)
{
    QList<QPointF> points;
    points.reserve(qsizetype(runs.size() * 4));
    for (const auto& [first, last] : runs) {
        points.append({first - 0.5, 0.0});
        points.append({first - 0.5, top});
        points.append({last + 0.5, top});
        points.append({last + 0.5, 0.0});
    }
    return points;
}

QValueAxis* axis(const QString& title, double minimum, double maximum)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTitleFont(chartFont(11, true));
    axis->setLabelsFont(chartFont(10));
    axis->setRange(minimum, maximum);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    return axis;
}
} // namespace

QPicture drawGapChart(const VerificationResult& result, const QSizeF& size)
{
    QPicture picture;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return picture;

    const double limitSeconds = double(StageState{}.maxDigitSeconds);
    auto* gaps = new QLineSeries;
    gaps->setName(QStringLiteral("Seconds since the previous new digit"));
    gaps->setPen(QPen(GapColour, 1.0));
    QList<QPointF> points;
    points.reserve(qsizetype(result.gaps.size()));
    double longest = limitSeconds;
    for (const NewDigitGap& gap : result.gaps) {
        points.append({double(gap.digitIndex), double(gap.gapMs) / 1000.0});
        longest = std::max(longest, double(gap.gapMs) / 1000.0);
    }
    gaps->replace(points);

    const std::vector<std::pair<int, int>> restoredRuns = restoredDigitRuns(result);
    double lastDigit = points.isEmpty() ? 10.0 : std::max(points.last().x(), 10.0);
    if (!restoredRuns.empty())
        lastDigit = std::max(lastDigit, double(restoredRuns.back().second));
    auto* limit = new QLineSeries;
    limit->setName(QStringLiteral("Limit: %1 s").arg(limitSeconds));
    limit->setPen(QPen(LimitColour, 1.5, Qt::DashLine));

    QChart* chart = new QChart;
    chart->setTitle(QStringLiteral("Time before each new digit"));
    chart->setTitleFont(chartFont(13, true));
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    QLineSeries* restoredTop = nullptr;
    QAreaSeries* restored = nullptr;
    if (!restoredRuns.empty()) {
        restored = new QAreaSeries;
        restoredTop = new QLineSeries(restored); // the area keeps its edge, but does not own it
        restored->setUpperSeries(restoredTop);
        restored->setName(QStringLiteral("Restored from a draft, not typed"));
        restored->setPen(Qt::NoPen);
        restored->setBrush(RestoredColour);
        chart->addSeries(restored);
    }
    chart->addSeries(gaps);
    chart->addSeries(limit);
    QValueAxis* digits = axis(QStringLiteral("Digit"), 1.0, lastDigit);
    QValueAxis* seconds = axis(QStringLiteral("Seconds"), 0.0, std::ceil(longest * 1.1));
    chart->addAxis(digits, Qt::AlignBottom);
    chart->addAxis(seconds, Qt::AlignLeft);
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(gaps), static_cast<QAbstractSeries*>(limit),
                                    static_cast<QAbstractSeries*>(restored)}) {
        if (!series)
            continue;
        series->attachAxis(digits);
        series->attachAxis(seconds);
    }
    digits->applyNiceNumbers();
    seconds->applyNiceNumbers();
    if (restoredTop)
        restoredTop->replace(restoredBands(restoredRuns, seconds->max()));
    limit->replace({{digits->min(), limitSeconds}, {digits->max(), limitSeconds}});
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(chartFont(10));

    QGraphicsScene scene;
    scene.addItem(chart); // the scene owns the chart and its series
    chart->setGeometry(QRectF(QPointF(0, 0), size));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), size), QRectF(QPointF(0, 0), size));
    painter.end();
    picture.setBoundingRect(QRectF(QPointF(0, 0), size).toAlignedRect());
    return picture;
}
