#pragma once

#include "stage/AnswerSheet.h"

#include <QAbstractTableModel>
#include <QColor>

class SheetEntry;

// The answer grid's cells for the view: the rows and columns of the sheet it shows; the header numbers
// are the view's header sections. The answers belong to the sheet's owner (a SheetEntry): the model
// reads them and hands every edit in. Of its own it keeps the one highlighted group and the one cell that
// carries the per-digit bar: a pi sheet has 32,760 cells and no object per cell.
// Rows and columns count from 1, as in AnswerSheet; model indexes count from 0.
class AnswerGridModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnswerGridModel)

public:
    enum Role
    {
        FloodPercentRole = Qt::UserRole + 1,
        FloodColorRole
    };

    static constexpr QRgb GroupHighlightColor = qRgb(172, 234, 193);

    explicit AnswerGridModel(QObject* parent = nullptr);

    // Shows the sheet of `entry` (none: an empty sheet); highlight and bar are removed. The entry must
    // outlive the model or be replaced first.
    void setEntry(SheetEntry* entry);
    SheetEntry* entry() const { return m_entry; }
    const AnswerSheet& sheet() const;

    // Hands `text` for (row, column) to the sheet's owner and shows what the sheet then holds.
    void setCellText(int row, int column, const QString& text);
    // The owner changed texts of its sheet by itself (a restored draft): every cell is shown again.
    void sheetTextsChanged();

    // Highlights `size` cells of `row` from `firstColumn` on (clipped to the grid); the previous group
    // loses its highlight.
    void setGroupHighlight(int row, int firstColumn, int size);
    void clearGroupHighlight();
    bool isHighlighted(int row, int column) const;

    // Moves the bar to (row, column): its background is filled from the left over `percent` % of its
    // width. Returns false, changing nothing, when there is no such cell.
    bool setFlood(int row, int column, const QColor& color, double percent);
    // Sets the bar's percentage to 0.
    void clearFlood();
    double floodPercent(int row, int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    bool contains(int row, int column) const;
    bool isFloodCell(int row, int column) const { return row == m_floodRow && column == m_floodColumn; }
    void emitCellsChanged(int row, int firstColumn, int lastColumn, const QList<int>& roles);

    SheetEntry* m_entry = nullptr;
    const AnswerSheet m_noSheet;
    int m_groupRow = 0;
    int m_groupFirst = 0;
    int m_groupLast = -1;
    int m_floodRow = 0;
    int m_floodColumn = 0;
    QColor m_floodColor;
    double m_floodPercent = 0.0;
};
