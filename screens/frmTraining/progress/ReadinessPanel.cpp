#include "frmTraining/progress/ReadinessPanel.h"

#include "frmTraining/TrainingLook.h"
#include "frmTraining/progress/ProgressCharts.h"
#include "training/TrainingItems.h"

#include <QChart>
#include <QChartView>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QSpinBox>

#include <cmath>

namespace {

constexpr int DefaultDaysAhead = 90;

QString digitsText(int digits)
{
    return QLocale(QLocale::English).toString(digits);
}

QString dateText(int day)
{
    return QDate::fromJulianDay(day).toString(QStringLiteral("d MMMM yyyy"));
}

QString minutesText(double minutes)
{
    if (minutes > 0.0 && minutes < 9.95)
        return QStringLiteral("%1 minutes").arg(minutes, 0, 'f', 1);
    const long rounded = std::lround(minutes);
    return rounded == 1 ? QStringLiteral("1 minute") : QStringLiteral("%1 minutes").arg(rounded);
}

void replaceChart(QChartView* view, QChart* chart)
{
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

QLabel* wrappedLabel(QWidget* parent, const char* name)
{
    QLabel* label = TrainingLook::makeLabel(parent, name, 9, false);
    label->setWordWrap(true);
    return label;
}

} // namespace

ReadinessPanel::ReadinessPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("readinessPanel"));
    m_date = new QDateEdit(this);
    m_date->setObjectName(QStringLiteral("forecastDate"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("d MMMM yyyy"));
    m_date->setFont(TrainingLook::font(9));
    m_target = new QSpinBox(this);
    m_target->setObjectName(QStringLiteral("targetDigits"));
    m_target->setFont(TrainingLook::font(9));
    m_target->setSingleStep(BlockLength);
    m_target->setGroupSeparatorShown(true);
    m_forecastLine = wrappedLabel(this, "forecastLine");
    m_planLine = wrappedLabel(this, "planLine");
    m_calibrationLine = wrappedLabel(this, "calibrationLine");
    m_forecastChart = new QChartView(new QChart, this);
    m_forecastChart->setObjectName(QStringLiteral("forecastChart"));
    m_forecastChart->setRenderHint(QPainter::Antialiasing);
    m_calibrationChart = new QChartView(new QChart, this);
    m_calibrationChart->setObjectName(QStringLiteral("calibrationChart"));
    m_calibrationChart->setRenderHint(QPainter::Antialiasing);

    auto* dateCaption = TrainingLook::makeLabel(this, "forecastDateCaption", 9, true);
    dateCaption->setText(QStringLiteral("Attempt day:"));
    auto* targetCaption = TrainingLook::makeLabel(this, "targetCaption", 9, true);
    targetCaption->setText(QStringLiteral("Digits to know by then:"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    auto* controls = new QHBoxLayout;
    controls->addWidget(dateCaption);
    controls->addWidget(m_date);
    controls->addSpacing(24);
    controls->addWidget(targetCaption);
    controls->addWidget(m_target);
    controls->addStretch();
    layout->addLayout(controls, 0, 0, 1, 2);
    layout->addWidget(m_forecastLine, 1, 0);
    layout->addWidget(m_planLine, 1, 1);
    layout->addWidget(m_forecastChart, 2, 0);
    layout->addWidget(m_calibrationChart, 2, 1);
    layout->addWidget(m_calibrationLine, 3, 0, 1, 2);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    layout->setRowStretch(2, 1);

    connect(m_date, &QDateEdit::dateChanged, this, [this](QDate date) { setDate(int(date.toJulianDay())); });
    connect(m_target, &QSpinBox::valueChanged, this, &ReadinessPanel::setTarget);
}

void ReadinessPanel::setHistory(const ProgressHistory& history, TrainingNumber number, int today)
{
    m_history = &history;
    m_number = number;
    m_today = today;
    m_calibration = calibrate(history.reviews, m_scheduler);
    replaceChart(m_calibrationChart, ProgressCharts::calibration(m_calibration));
    m_calibrationChart->setVisible(m_calibration.enough());
    m_calibrationLine->setText(calibrationText());

    const QSignalBlocker dateBlocker(m_date);
    const QSignalBlocker targetBlocker(m_target);
    m_date->setMinimumDate(QDate::fromJulianDay(today));
    if (m_forecast.day <= today)
        m_date->setDate(QDate::fromJulianDay(today + DefaultDaysAhead));
    m_forecast.day = int(m_date->date().toJulianDay());
    const int digits = int(numberDigits(number).size());
    m_target->setRange(1, digits);
    const ReadinessForecast now = forecastReadiness(history.progress, number, today, m_scheduler);
    if (m_plan.targetDigits == 0 || m_plan.targetDigits > digits)
        m_target->setValue(std::min(digits, std::max(now.reachAt50, 0) + 1000));
    refresh();
}

void ReadinessPanel::setDate(int day)
{
    m_forecast.day = day;
    if (m_date->date().toJulianDay() != day) {
        const QSignalBlocker blocker(m_date);
        m_date->setDate(QDate::fromJulianDay(day));
    }
    refresh();
}

void ReadinessPanel::setTarget(int digits)
{
    if (m_target->value() != digits) {
        const QSignalBlocker blocker(m_target);
        m_target->setValue(digits);
    }
    refresh();
}

void ReadinessPanel::refresh()
{
    if (!m_history)
        return;
    const int day = int(m_date->date().toJulianDay());
    m_forecast = forecastReadiness(m_history->progress, m_number, day, m_scheduler);
    m_plan =
        planReadiness(m_history->progress, m_number, m_target->value(), m_today, day, m_history->pace, m_scheduler);
    m_forecastLine->setText(forecastText());
    m_planLine->setText(planText());
    replaceChart(m_forecastChart, ProgressCharts::forecast(m_forecast));
}

QString ReadinessPanel::forecastText() const
{
    const QString date = dateText(m_forecast.day);
    const auto reach = [](int digits) {
        return digits == 0 ? QStringLiteral("not even digit 1") : QStringLiteral("digits 1-") + digitsText(digits);
    };
    return QStringLiteral("On %1: %2 with a probability of 90 %, %3 with 50 %. The chance of a run is the product of "
                          "its blocks' and junctions' chances of recall that day, as if each were recalled "
                          "independently of the others.")
        .arg(date, reach(m_forecast.reachAt90), reach(m_forecast.reachAt50));
}

QString ReadinessPanel::planText() const
{
    const QString target = QStringLiteral("digits 1-") + digitsText(m_plan.targetDigits);
    if (!m_plan.possible)
        return QStringLiteral("Pick a day after today to plan for %1.").arg(target);
    QString text =
        QStringLiteral("To know %1 by %2 (%3 days): ").arg(target, dateText(m_forecast.day)).arg(m_plan.days);
    if (m_plan.blocksToLearn == 0)
        text += QStringLiteral("every block is learned; ");
    else
        text += QStringLiteral("%1 blocks to learn, %2 new a day (%3 of learning); ")
                    .arg(m_plan.blocksToLearn)
                    .arg(m_plan.newBlocksPerDay)
                    .arg(minutesText(m_plan.learnMinutesPerDay));
    return text + QStringLiteral("about %1 of review a day, %2 on the busiest, at your pace.")
                      .arg(minutesText(m_plan.reviewMinutesPerDay), minutesText(m_plan.peakReviewMinutes));
}

QString ReadinessPanel::calibrationText() const
{
    if (!m_calibration.enough())
        return QStringLiteral("After %1 reviews the predictions are checked against your recalls (%2 so far).")
            .arg(digitsText(Calibration::MinimumReviews), digitsText(m_calibration.reviews));
    return QStringLiteral("Predicted against recalled over %1 reviews: an RMSE of %2 over the bins.")
        .arg(digitsText(m_calibration.reviews))
        .arg(m_calibration.rmse, 0, 'f', 3);
}
