#pragma once

#include "files/AtomicFile.h"
#include "training/progress/ProgressHistory.h"
#include "training/progress/ProgressViews.h"

#include <QWidget>

#include <vector>

class ErrorHeatmapWidget;
class QChartView;
class QComboBox;
class QLabel;
class QTabWidget;
class ReadinessPanel;
class SkinButton;
class TrainingCalendarWidget;
class TrainingClock;
class TrainingStore;

// The competitor's progress on one number over their whole history: the known digits over time, the
// pace, the error heatmap, readiness for attempt day and the calendar, each on a tab, with exports.
class ProgressView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgressView)

public:
    // Reads the history from `store` and shows at once what needs no keystrokes; the keystrokes come from
    // the store's own thread, and the views made of them follow. The store must outlive the view.
    ProgressView(TrainingStore& store, TrainingNumber number, const TrainingClock& clock, QWidget* parent = nullptr);
    // On a history already read.
    ProgressView(ProgressHistory history, TrainingNumber number, int today, QWidget* parent = nullptr);

    // Everything read, the keystrokes too.
    bool isReady() const { return m_ready; }
    TrainingNumber number() const { return m_number; }
    void showNumber(TrainingNumber number);
    // What the view shows, the forecast and the plan for the attempt day chosen.
    ProgressViews views() const;
    QStringList summary() const;
    QString statusText() const;

    QTabWidget* tabs() const { return m_tabs; }
    ReadinessPanel* readiness() const { return m_readiness; }
    ErrorHeatmapWidget* heatmap() const { return m_heatmap; }
    QLabel* heatmapLine() const { return m_heatmapLine; }

    // Into `folder`, each file named by the number and the view: "pi-known-digits.png".
    WriteResult exportPng(const QString& folder);
    WriteResult exportSvg(const QString& folder);
    WriteResult exportCsv(const QString& folder);
    WriteResult exportPdf(const QString& path);

signals:
    void back();
    // The whole history, keystrokes and all, has been read and shown.
    void ready();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    explicit ProgressView(TrainingNumber number, int today, QWidget* parent);
    void setHistory(ProgressHistory history, bool withKeystrokes);
    // Everything, or only what the keystrokes make.
    void rebuild(bool keystrokesOnly);
    void exportInto(const QString& what);
    void tell(const QString& text, bool warning = false);

    ProgressHistory m_history;
    ProgressViews m_views;
    TrainingNumber m_number;
    int m_today = 0;
    bool m_ready = false;

    QComboBox* m_numberChoice = nullptr;
    QLabel* m_status = nullptr;
    QTabWidget* m_tabs = nullptr;
    QChartView* m_knownChart = nullptr;
    QChartView* m_paceByDayChart = nullptr;
    QChartView* m_paceByBlockChart = nullptr;
    ErrorHeatmapWidget* m_heatmap = nullptr;
    QLabel* m_heatmapLine = nullptr;
    ReadinessPanel* m_readiness = nullptr;
    TrainingCalendarWidget* m_calendar = nullptr;
    QLabel* m_calendarLine = nullptr;
    std::vector<SkinButton*> m_buttons;
};
