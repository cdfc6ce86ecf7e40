#include "frmTraining/progress/TrainingCalendarWidget.h"

#include "frmTraining/TrainingLook.h"

#include <QDate>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int YearLabelWidth = 44;
constexpr int Weeks = 54;
// Five hours a day is as green as a day gets.
constexpr double FullMinutes = 300.0;

// The week of the year a date falls in, counting the week of 1 January as 0 and weeks from Monday.
int weekOfYear(const QDate& date)
{
    const int firstWeekday = QDate(date.year(), 1, 1).dayOfWeek() - 1;
    return (date.dayOfYear() - 1 + firstWeekday) / 7;
}

} // namespace

TrainingCalendarWidget::TrainingCalendarWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("trainingCalendar"));
    setMouseTracking(true);
}

void TrainingCalendarWidget::setMinutes(std::map<int, double> minutesByDay, int today)
{
    m_minutes = std::move(minutesByDay);
    m_lastYear = QDate::fromJulianDay(today).year();
    m_firstYear = m_minutes.empty() ? m_lastYear : QDate::fromJulianDay(m_minutes.begin()->first).year();
    m_firstYear = std::min(m_firstYear, m_lastYear);
    m_pointed = 0;
    update();
}

int TrainingCalendarWidget::cellSize() const
{
    const int years = m_lastYear - m_firstYear + 1;
    const int byWidth = (width() - YearLabelWidth) / Weeks;
    const int byHeight = height() / std::max(1, years * 8);
    return std::clamp(std::min(byWidth, byHeight), 4, 20);
}

QRect TrainingCalendarWidget::dayRect(int day) const
{
    const QDate date = QDate::fromJulianDay(day);
    const int cell = cellSize();
    const int yearTop = (m_lastYear - date.year()) * 8 * cell;
    return QRect(YearLabelWidth + weekOfYear(date) * cell, yearTop + (date.dayOfWeek() - 1) * cell, cell - 2, cell - 2);
}

int TrainingCalendarWidget::dayAt(const QPoint& point) const
{
    const int cell = cellSize();
    if (point.x() < YearLabelWidth || point.y() < 0)
        return 0;
    const int year = m_lastYear - point.y() / (8 * cell);
    const int weekday = (point.y() % (8 * cell)) / cell;
    const int week = (point.x() - YearLabelWidth) / cell;
    if (year < m_firstYear || weekday >= 7 || week >= Weeks)
        return 0;
    const QDate first(year, 1, 1);
    const QDate date = first.addDays(qint64(week) * 7 + weekday - (first.dayOfWeek() - 1));
    return date.year() == year ? int(date.toJulianDay()) : 0;
}

QString TrainingCalendarWidget::describe(int day) const
{
    const auto found = m_minutes.find(day);
    const QString date = QDate::fromJulianDay(day).toString(QStringLiteral("dddd d MMMM yyyy"));
    if (found == m_minutes.end())
        return date + QStringLiteral(": no training");
    return date + QStringLiteral(": %1 minutes").arg(std::lround(found->second));
}

void TrainingCalendarWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(TrainingLook::font(8, true));
    const int cell = cellSize();
    for (int year = m_lastYear; year >= m_firstYear; --year) {
        const int top = (m_lastYear - year) * 8 * cell;
        painter.setPen(QColor(TrainingLook::TextColour));
        painter.drawText(QRect(0, top, YearLabelWidth - 4, 7 * cell), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(year));
        for (QDate date(year, 1, 1); date.year() == year; date = date.addDays(1)) {
            const auto found = m_minutes.find(int(date.toJulianDay()));
            QColor colour(232, 232, 232);
            if (found != m_minutes.end()) {
                const double share = std::clamp(found->second / FullMinutes, 0.15, 1.0);
                colour =
                    QColor::fromRgbF(float(1.0 - 0.9 * share), float(1.0 - 0.45 * share), float(1.0 - 0.8 * share));
            }
            painter.fillRect(dayRect(int(date.toJulianDay())), colour);
        }
    }
    if (m_pointed > 0) {
        painter.setPen(QPen(QColor(TrainingLook::TextColour), 1.0));
        painter.drawRect(dayRect(m_pointed).adjusted(-1, -1, 1, 1));
    }
}

void TrainingCalendarWidget::mouseMoveEvent(QMouseEvent* event)
{
    const int day = dayAt(event->position().toPoint());
    if (day == 0 || day == m_pointed)
        return;
    m_pointed = day;
    update();
    emit pointed(day, describe(day));
}
