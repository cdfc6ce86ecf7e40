#pragma once

#include <QWidget>

#include <map>

// The days trained, a row of weeks a year with the latest year on top, each day a square as green as its
// minutes; pointing at a day tells its date and minutes.
class TrainingCalendarWidget final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrainingCalendarWidget)

public:
    explicit TrainingCalendarWidget(QWidget* parent = nullptr);

    void setMinutes(std::map<int, double> minutesByDay, int today);
    // The day under `point`; 0 for none.
    int dayAt(const QPoint& point) const;
    QString describe(int day) const;

signals:
    void pointed(int day, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QRect dayRect(int day) const;
    int cellSize() const;

    std::map<int, double> m_minutes;
    int m_firstYear = 2000;
    int m_lastYear = 2000;
    int m_pointed = 0;
};
