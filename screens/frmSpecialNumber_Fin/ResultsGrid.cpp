#include "frmSpecialNumber_Fin/ResultsGrid.h"

#include "frmSpecialNumber_Fin/ResultCellDelegate.h"
#include "frmSpecialNumber_Fin/ResultsModel.h"
#include "skin/Fonts.h"
#include "stage/GridLayout.h"
#include "style/ScrollBarExtentStyle.h"

#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>
#include <vector>

ResultsGrid::ResultsGrid(const Scoring& scoring, QWidget* parent)
    : QTableView(parent), m_model(new ResultsModel(scoring, this))
{
    setObjectName(QStringLiteral("gTumSorular"));
    QFont gridFont(tahomaFamily());
    gridFont.setBold(true);
    gridFont.setPointSizeF(FontPointSize);
    setFont(gridFont);

    setModel(m_model);
    setItemDelegate(new ResultCellDelegate(this));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    // No frame: the window paints the skin border round the table, and the widths must add up exactly.
    setFrameShape(QFrame::NoFrame);

    QHeaderView* columns = horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setMinimumSectionSize(0);
    columns->setFixedHeight(HeaderRowHeight);
    columns->setHighlightSections(false);
    columns->setSectionsClickable(false);
    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(RowHeight);
    rows->setHighlightSections(false);
    rows->setSectionsClickable(false);

    // The layout keeps exactly 17 pixels for the vertical scroll bar, so it is always there; the columns
    // always fit, so there is never a horizontal one.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* scrollBarStyle = new ScrollBarExtentStyle(ScrollBarWidth);
    scrollBarStyle->setParent(this);
    verticalScrollBar()->setStyle(scrollBarStyle);
    setDataColumnUnits(0);
}

void ResultsGrid::setDataColumnUnits(int units)
{
    m_dataColumnUnits = std::max(0, units);
    std::vector<int> columnUnits(std::size_t(m_model->columnCount()) + 1, m_dataColumnUnits);
    columnUnits.front() = HeaderColumnUnits;
    const std::vector<int> widths = columnPixelWidths(columnUnits);
    verticalHeader()->setFixedWidth(widths.front());
    for (int column = 0; column < m_model->columnCount(); ++column)
        horizontalHeader()->resizeSection(column, widths[std::size_t(column) + 1]);
}

int ResultsGrid::columnWidthUnits(int column) const
{
    if (column == 0)
        return HeaderColumnUnits;
    return column >= 1 && column <= m_model->columnCount() ? m_dataColumnUnits : 0;
}
