#include "frmSpecialNumber_Main/AnswerGridModel.h"

#include "stage/SheetEntry.h"

#include <QBrush>

#include <algorithm>

namespace {
const QList<int> TextRoles = {Qt::DisplayRole, Qt::EditRole};
const QList<int> HighlightRoles = {Qt::BackgroundRole};
const QList<int> FloodRoles = {AnswerGridModel::FloodPercentRole, AnswerGridModel::FloodColorRole};
} // namespace

AnswerGridModel::AnswerGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void AnswerGridModel::setEntry(SheetEntry* entry)
{
    beginResetModel();
    m_entry = entry;
    m_groupRow = 0;
    m_groupFirst = 0;
    m_groupLast = -1;
    m_floodRow = 0;
    m_floodColumn = 0;
    m_floodPercent = 0.0;
    endResetModel();
}

const AnswerSheet& AnswerGridModel::sheet() const
{
    return m_entry ? m_entry->sheet() : m_noSheet;
}

void AnswerGridModel::setCellText(int row, int column, const QString& text)
{
    if (!m_entry || !contains(row, column))
        return;
    m_entry->enterText(row, column, text);
    emitCellsChanged(row, column, column, TextRoles);
}

void AnswerGridModel::sheetTextsChanged()
{
    const int rows = sheet().rowCount();
    const int columns = sheet().columnCount();
    if (rows > 0 && columns > 0)
        emit dataChanged(index(0, 0), index(rows - 1, columns - 1), TextRoles);
}

void AnswerGridModel::setGroupHighlight(int row, int firstColumn, int size)
{
    const int first = std::max(firstColumn, 1);
    const int last = std::min(firstColumn + size - 1, sheet().columnCount());
    const bool valid = row >= 1 && row <= sheet().rowCount() && first <= last;
    const int newRow = valid ? row : 0;
    const int newFirst = valid ? first : 0;
    const int newLast = valid ? last : -1;
    if (newRow == m_groupRow && newFirst == m_groupFirst && newLast == m_groupLast)
        return;
    const int oldRow = m_groupRow;
    const int oldFirst = m_groupFirst;
    const int oldLast = m_groupLast;
    m_groupRow = newRow;
    m_groupFirst = newFirst;
    m_groupLast = newLast;
    emitCellsChanged(oldRow, oldFirst, oldLast, HighlightRoles);
    emitCellsChanged(newRow, newFirst, newLast, HighlightRoles);
}

void AnswerGridModel::clearGroupHighlight()
{
    setGroupHighlight(0, 0, 0);
}

bool AnswerGridModel::isHighlighted(int row, int column) const
{
    return row == m_groupRow && column >= m_groupFirst && column <= m_groupLast;
}

bool AnswerGridModel::setFlood(int row, int column, const QColor& color, double percent)
{
    if (!contains(row, column))
        return false;
    if (isFloodCell(row, column) && color == m_floodColor && percent == m_floodPercent)
        return true;
    const int oldRow = m_floodRow;
    const int oldColumn = m_floodColumn;
    m_floodRow = row;
    m_floodColumn = column;
    m_floodColor = color;
    m_floodPercent = percent;
    if (oldRow != row || oldColumn != column)
        emitCellsChanged(oldRow, oldColumn, oldColumn, FloodRoles);
    emitCellsChanged(row, column, column, FloodRoles);
    return true;
}

void AnswerGridModel::clearFlood()
{
    if (m_floodPercent == 0.0)
        return;
    m_floodPercent = 0.0;
    emitCellsChanged(m_floodRow, m_floodColumn, m_floodColumn, FloodRoles);
}

double AnswerGridModel::floodPercent(int row, int column) const
{
    return isFloodCell(row, column) ? m_floodPercent : 0.0;
}

int AnswerGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : sheet().rowCount();
}

int AnswerGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : sheet().columnCount();
}

QVariant AnswerGridModel::data(const QModelIndex& index, int role) const
{
    const int row = index.row() + 1;
    const int column = index.column() + 1;
    if (!index.isValid() || index.model() != this || !contains(row, column))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return sheet().cellText(row, column);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
        return isHighlighted(row, column) ? QVariant(QBrush(QColor(GroupHighlightColor))) : QVariant();
    case FloodPercentRole:
        return isFloodCell(row, column) ? QVariant(m_floodPercent) : QVariant();
    case FloodColorRole:
        return isFloodCell(row, column) ? QVariant(m_floodColor) : QVariant();
    default:
        return {};
    }
}

bool AnswerGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const int row = index.row() + 1;
    const int column = index.column() + 1;
    if (role != Qt::EditRole || !index.isValid() || index.model() != this || !contains(row, column))
        return false;
    setCellText(row, column, value.toString());
    return true;
}

Qt::ItemFlags AnswerGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}

QVariant AnswerGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Vertical)
        return section < sheet().rowCount() ? QVariant(section + 1) : QVariant();
    // The column numbers are written together with the first row, so a sheet without rows has none.
    return section < sheet().columnCount() && sheet().rowCount() > 0 ? QVariant(section + 1) : QVariant();
}

bool AnswerGridModel::contains(int row, int column) const
{
    return row >= 1 && row <= sheet().rowCount() && column >= 1 && column <= sheet().columnCount();
}

void AnswerGridModel::emitCellsChanged(int row, int firstColumn, int lastColumn, const QList<int>& roles)
{
    if (!contains(row, firstColumn) || !contains(row, lastColumn) || firstColumn > lastColumn)
        return;
    emit dataChanged(index(row - 1, firstColumn - 1), index(row - 1, lastColumn - 1), roles);
}
