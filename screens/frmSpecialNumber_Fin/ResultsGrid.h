#pragma once

#include <QTableView>

class ResultsModel;
class Scoring;

// The question table gTumSorular of the results screen: every cell of the attempt with its question
// and, where it differs, the answer below it, on green or red. The header row numbers the columns, the
// header column the rows. Column widths are kept in width units (GridLayout.h), as the layout sets them.
class ResultsGrid final : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultsGrid)

public:
    static constexpr int HeaderRowHeight = 36;
    static constexpr int RowHeight = 52;
    static constexpr double FontPointSize = 11.25;

    // `scoring` must outlive the grid.
    explicit ResultsGrid(const Scoring& scoring, QWidget* parent = nullptr);

    const ResultsModel& results() const { return *m_model; }

    // Every data column gets `units`; the header column keeps its 50 pixels. On the screen each column
    // edge lies at its rounded position, so the columns add up to the rounded total width.
    void setDataColumnUnits(int units);
    int columnWidthUnits(int column) const;

private:
    ResultsModel* m_model;
    int m_dataColumnUnits = 0;
};
