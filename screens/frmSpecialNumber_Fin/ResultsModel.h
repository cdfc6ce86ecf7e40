#pragma once

#include <QAbstractTableModel>
#include <QColor>

class Scoring;

// The cells of the question table gTumSorular, read straight from the flat arrays of a Scoring: a pi
// sheet has 32,760 two-line cells and no object per cell. The header numbers are the view's header
// sections. Model indexes count from 0; Scoring's rows and columns from 1.
class ResultsModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultsModel)

public:
    static constexpr QRgb CorrectColor = qRgb(160, 221, 140);
    static constexpr QRgb WrongColor = qRgb(255, 89, 89);

    // `scoring` must outlive the model.
    explicit ResultsModel(const Scoring& scoring, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const Scoring& m_scoring;
};
