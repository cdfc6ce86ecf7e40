#include "frmSpecialNumber_Fin/ScoreGridModel.h"

#include "results/ScoreTable.h"
#include "skin/Fonts.h"

ScoreGridModel::ScoreGridModel(const ScoreTable& table, QObject* parent) : QAbstractTableModel(parent)
{
    for (int row = 0; row < ScoreTable::RowCount; ++row)
        for (int column = 0; column < ScoreTable::ColumnCount; ++column)
            m_texts[row][column] = table.text(row, column);
}

void ScoreGridModel::clearText(int row, int column)
{
    if (row < 0 || row >= ScoreTable::RowCount || column < 0 || column >= ScoreTable::ColumnCount)
        return;
    m_texts[row][column].clear();
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

int ScoreGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ScoreTable::RowCount;
}

int ScoreGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ScoreTable::ColumnCount;
}

QVariant ScoreGridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return m_texts[row][column];
    case Qt::FontRole:
        return cellFont(row, column);
    case Qt::ForegroundRole:
        if (column == 0)
            return QColor(ScoreColor);
        return {};
    case Qt::TextAlignmentRole:
        // The time captions stand right against their clock texts.
        return QVariant::fromValue(column == 1 ? Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter)
                                               : Qt::Alignment(Qt::AlignCenter));
    default:
        return {};
    }
}

Qt::ItemFlags ScoreGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

QFont ScoreGridModel::cellFont(int row, int column) const
{
    QFont font(tahomaFamily());
    font.setBold(true);
    if (column == 0)
        font.setPointSizeF(row == 0 ? CaptionPointSize : ScorePointSize);
    else
        font.setPointSizeF(FontPointSize);
    return font;
}
