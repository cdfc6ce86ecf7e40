#include "training/progress/ProgressCsv.h"

#include <QDate>

namespace {

QByteArray number(double value)
{
    return QByteArray::number(value, 'g', 17);
}

QByteArray line(std::initializer_list<QByteArray> fields)
{
    QByteArray text;
    for (const QByteArray& field : fields) {
        if (!text.isEmpty())
            text += ',';
        text += field;
    }
    return text + "\r\n";
}

QByteArray date(int day)
{
    return ProgressCsv::dateOf(day).toLatin1();
}

} // namespace

QString ProgressCsv::dateOf(int day)
{
    return QDate::fromJulianDay(day).toString(Qt::ISODate);
}

QByteArray ProgressCsv::knownDigits(const KnownDigitsSeries& series)
{
    QByteArray csv = line({"date", "series", "digits"});
    const auto add = [&csv](const std::vector<DayValue>& points, const QByteArray& name) {
        for (const DayValue& point : points)
            csv += line({date(point.day), name, QByteArray::number(point.value)});
    };
    add(series.known, "known");
    add(series.bestRecital, "best_recital");
    add(series.rehearsed, "rehearsed");
    return csv;
}

QByteArray ProgressCsv::pace(const PaceSeries& pace)
{
    QByteArray csv = line({"by", "key", "digits", "median_seconds", "p90_seconds"});
    for (const PacePoint& point : pace.byDay)
        csv += line({"day", date(point.key), QByteArray::number(point.digits), number(point.medianSeconds),
                     number(point.p90Seconds)});
    for (const PacePoint& point : pace.byBlock)
        csv += line({"block", QByteArray::number(point.key), QByteArray::number(point.digits),
                     number(point.medianSeconds), number(point.p90Seconds)});
    return csv;
}

QByteArray ProgressCsv::heatmap(const ErrorHeatmap& map)
{
    QByteArray csv = line({"position", "expected", "typed", "errors", "slow"});
    const QString& digits = numberDigits(map.number);
    for (std::size_t i = 0; i < map.positions.size(); ++i) {
        const PositionErrors& cell = map.positions[i];
        csv += line({QByteArray::number(qulonglong(i + 1)), QByteArray(1, char(digits.at(qsizetype(i)).toLatin1())),
                     QByteArray::number(cell.typed), QByteArray::number(cell.errors), QByteArray::number(cell.slow)});
    }
    return csv;
}

QByteArray ProgressCsv::forecast(const ReadinessForecast& forecast)
{
    QByteArray csv = line({"date", "digits", "probability"});
    for (const ForecastStep& step : forecast.steps)
        csv += line({date(forecast.day), QByteArray::number(step.lastPosition), number(step.probability)});
    return csv;
}

QByteArray ProgressCsv::calibration(const Calibration& calibration)
{
    QByteArray csv = line({"bin", "reviews", "mean_predicted", "observed"});
    for (std::size_t bin = 0; bin < calibration.bins.size(); ++bin) {
        const CalibrationBin& b = calibration.bins[bin];
        csv += line({number(double(bin) / 10.0) + '-' + number(double(bin + 1) / 10.0), QByteArray::number(b.reviews),
                     number(b.meanPredicted), number(b.observed)});
    }
    return csv;
}

QByteArray ProgressCsv::calendar(const std::map<int, double>& minutesByDay)
{
    QByteArray csv = line({"date", "minutes"});
    for (const auto& [day, minutes] : minutesByDay)
        csv += line({date(day), number(minutes)});
    return csv;
}
