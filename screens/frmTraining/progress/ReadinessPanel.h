#pragma once

#include "training/FsrsScheduler.h"
#include "training/progress/Calibration.h"
#include "training/progress/ProgressHistory.h"
#include "training/progress/ReadinessForecast.h"
#include "training/progress/ReadinessPlanner.h"

#include <QWidget>

class QChartView;
class QDateEdit;
class QLabel;
class QSpinBox;

// Attempt day: the forecast for a chosen date, the planner for a target and that date, and how well the
// schedule's predictions have matched the competitor's recalls so far.
class ReadinessPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReadinessPanel)

public:
    explicit ReadinessPanel(QWidget* parent = nullptr);

    // `history` must outlive the panel or the next call.
    void setHistory(const ProgressHistory& history, TrainingNumber number, int today);
    void setDate(int day);
    void setTarget(int digits);

    const ReadinessForecast& forecast() const { return m_forecast; }
    const ReadinessPlan& plan() const { return m_plan; }
    const Calibration& calibration() const { return m_calibration; }
    QString forecastText() const;
    QString planText() const;
    QString calibrationText() const;

private:
    void refresh();

    const ProgressHistory* m_history = nullptr;
    TrainingNumber m_number = TrainingNumber::Pi;
    int m_today = 0;
    FsrsScheduler m_scheduler;
    ReadinessForecast m_forecast;
    ReadinessPlan m_plan;
    Calibration m_calibration;

    QDateEdit* m_date = nullptr;
    QSpinBox* m_target = nullptr;
    QLabel* m_forecastLine = nullptr;
    QLabel* m_planLine = nullptr;
    QLabel* m_calibrationLine = nullptr;
    QChartView* m_forecastChart = nullptr;
    QChartView* m_calibrationChart = nullptr;
};
