#include "frmSpecialNumber_Fin/ResultsModel.h"

#include "results/Scoring.h"

ResultsModel::ResultsModel(const Scoring& scoring, QObject* parent) : QAbstractTableModel(parent), m_scoring(scoring) {}

int ResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_scoring.rowCount();
}

int ResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_scoring.columnCount();
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = index.row() + 1;
    const int column = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return m_scoring.displayText(row, column);
    case Qt::BackgroundRole:
        return QColor(m_scoring.isCorrect(row, column) ? CorrectColor : WrongColor);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    default:
        return {};
    }
}

Qt::ItemFlags ResultsModel::flags(const QModelIndex& index) const
{
    // Shown only: the cells are neither edited nor selected.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const int count = orientation == Qt::Horizontal ? columnCount() : rowCount();
    if (section < 0 || section >= count)
        return {};
    if (role == Qt::DisplayRole)
        return QString::number(section + 1);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}
