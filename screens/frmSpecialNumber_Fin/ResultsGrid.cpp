#include "frmSpecialNumber_Fin/ResultsGrid.h"

#include "base/Rounding.h"
#include "frmSpecialNumber_Fin/ResultCellDelegate.h"
#include "frmSpecialNumber_Fin/ResultsModel.h"
#include "skin/Fonts.h"
#include "style/ScrollBarExtentStyle.h"

#include <QHeaderView>
#include <QScrollBar>

namespace {
int roundedPixels(long long units)
{
    return int(roundHalfEven(double(units) / ResultsGrid::UnitsPerPixel));
}
} // namespace

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
    // Every edge is rounded from the running total of units, so rounding errors do not add up.
    long long edgeUnits = HeaderColumnUnits;
    int left = roundedPixels(edgeUnits);
    verticalHeader()->setFixedWidth(left);
    for (int column = 0; column < m_model->columnCount(); ++column) {
        edgeUnits += m_dataColumnUnits;
        const int right = roundedPixels(edgeUnits);
        horizontalHeader()->resizeSection(column, right - left);
        left = right;
    }
}

int ResultsGrid::columnWidthUnits(int column) const
{
    if (column == 0)
        return HeaderColumnUnits;
    return column >= 1 && column <= m_model->columnCount() ? m_dataColumnUnits : 0;
}
