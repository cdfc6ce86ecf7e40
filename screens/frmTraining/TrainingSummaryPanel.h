#pragma once

#include "training/TrainingActivity.h"
#include "training/TrainingSummary.h"

#include <QWidget>

#include <vector>

class QLabel;
class SkinButton;
class QTableWidget;

// The training window's start: for each number the blocks learned, those due today and the minutes
// today's queue is estimated to take, and a button for each mode. The mode acts on the number chosen
// in the table. SETTINGS, below, opens the competitor's settings and the export.
class TrainingSummaryPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrainingSummaryPanel)

public:
    TrainingSummaryPanel(const std::vector<NumberSummary>& lines, const PaceEstimate& pace, const QueueSettings& queue,
                         TrainingNumber chosen, QWidget* parent = nullptr);

    TrainingNumber chosenNumber() const;
    // The table's text of a number's line and column (0 the number, 1 learned, 2 due, 3 minutes).
    QString cellText(TrainingNumber number, int column) const;

signals:
    void activityChosen(TrainingActivity activity, TrainingNumber number);
    void settingsChosen();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillTable(const std::vector<NumberSummary>& lines);

    QLabel* m_heading = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_choose = nullptr;
    std::vector<QWidget*> m_buttons;
    QLabel* m_paceNote = nullptr;
    SkinButton* m_settings = nullptr;
};
