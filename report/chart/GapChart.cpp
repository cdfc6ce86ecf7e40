#include "chart/GapChart.h"

#include "stage/StageState.h"

#include <QApplication>
#include <QChart>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {
const QColor GapColour(11, 3, 103);
const QColor LimitColour(200, 0, 0);

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

    const double lastDigit = points.isEmpty() ? 10.0 : std::max(points.last().x(), 10.0);
    auto* limit = new QLineSeries;
    limit->setName(QStringLiteral("Limit: %1 s").arg(limitSeconds));
    limit->setPen(QPen(LimitColour, 1.5, Qt::DashLine));

    QChart* chart = new QChart;
    chart->setTitle(QStringLiteral("Time before each new digit"));
    chart->setTitleFont(chartFont(13, true));
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->addSeries(gaps);
    chart->addSeries(limit);
    QValueAxis* digits = axis(QStringLiteral("Digit"), 1.0, lastDigit);
    QValueAxis* seconds = axis(QStringLiteral("Seconds"), 0.0, std::ceil(longest * 1.1));
    chart->addAxis(digits, Qt::AlignBottom);
    chart->addAxis(seconds, Qt::AlignLeft);
    for (QLineSeries* series : {gaps, limit}) {
        series->attachAxis(digits);
        series->attachAxis(seconds);
    }
    digits->applyNiceNumbers();
    seconds->applyNiceNumbers();
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
