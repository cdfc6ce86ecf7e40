#include "frmTraining/TrainingGrid.h"

#include "stage/GridLayout.h"
#include "stage/GroupHighlight.h"
#include "stage/SheetEntry.h"

#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {
constexpr int Columns = 10;
constexpr int MarkPercent = 100;

bool isDigitKey(const QKeyEvent& event)
{
    return event.text().size() == 1 && event.text()[0] >= u'0' && event.text()[0] <= u'9';
}
} // namespace

TrainingGrid::TrainingGrid(QWidget* parent, Calls calls)
    : QObject(parent), m_grid(new AnswerGrid(parent)), m_calls(std::move(calls))
{
    AnswerGridHooks hooks;
    hooks.beforeEdit = [this](int row, int column, bool& cancel) {
        const std::optional<GridCell> next = m_calls.nextCell();
        cancel = !next || *next != GridCell{row, column};
        m_grid->setEditMaxLength(1);
    };
    hooks.afterEdit = [this](int, int) { m_calls.digitTaken(); };
    hooks.cellChanged = [this](int, int, int row, int column) {
        showGroup(row, column);
        keepCursorOnNextDigit();
    };
    m_grid->setHooks(std::move(hooks));
    m_grid->installEventFilter(this);
}

void TrainingGrid::showSheet(SheetEntry& entry)
{
    m_grid->clearSheet();
    m_grid->setSheet(entry);
    // A new sheet brings the grid's default column widths.
    setColumnWidths();
    if (const std::optional<GridCell> next = m_calls.nextCell(); next && *next != GridCell{1, 1})
        m_grid->setCurrentCell(next->row, next->column);
    showGroup(m_grid->currentRow(), m_grid->currentColumn());
}

void TrainingGrid::showTexts()
{
    m_grid->answers().sheetTextsChanged();
}

void TrainingGrid::mark(GridCell cell, const QColor& colour)
{
    m_grid->answers().setFlood(cell.row, cell.column, colour, MarkPercent);
}

void TrainingGrid::release()
{
    m_grid->clearSheet();
}

int TrainingGrid::width()
{
    return HeaderColumnUnits / WidthUnitsPerPixel + Columns * ColumnPixels + ScrollBarWidth;
}

int TrainingGrid::height(int rows)
{
    return AnswerGrid::HeaderRowHeight + rows * AnswerGrid::RowHeight + 2;
}

bool TrainingGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_grid || event->type() != QEvent::KeyPress || m_forwarding)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (isDigitKey(*key)) {
        const std::optional<GridCell> next = m_calls.nextCell();
        if (next && *next == GridCell{m_grid->dataRowCount(), m_grid->dataColumnCount()}) {
            commitLastDigit(key);
            return true;
        }
        return false;
    }
    return m_calls.key(*key);
}

// The grid keeps the editor of its last cell open until Enter, as the record stage wants for its last
// digit; here the sheet's last digit is taken as soon as it is typed.
void TrainingGrid::commitLastDigit(QKeyEvent* event)
{
    m_forwarding = true;
    QCoreApplication::sendEvent(m_grid, event);
    m_forwarding = false;
    if (m_grid->isEditing())
        m_grid->setCurrentCell(1, 1);
    if (m_calls.lastCellTaken)
        m_calls.lastCellTaken();
}

void TrainingGrid::setColumnWidths()
{
    m_grid->setColumnWidthUnits(0, HeaderColumnUnits);
    for (int column = 1; column <= m_grid->dataColumnCount(); ++column)
        m_grid->setColumnWidthUnits(column, ColumnPixels * WidthUnitsPerPixel);
}

void TrainingGrid::showGroup(int row, int column)
{
    const std::optional<CurrentGroup> group =
        row > 0 && column > 0 ? currentGroup(Columns, GroupSize, row, column) : std::nullopt;
    if (group)
        m_grid->answers().setGroupHighlight(group->row, group->firstColumn, GroupSize);
    else
        m_grid->answers().clearGroupHighlight();
}

// A click elsewhere in the grid would leave the next digit nowhere to go.
void TrainingGrid::keepCursorOnNextDigit()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            const std::optional<GridCell> next = m_calls.nextCell();
            if (next && !m_grid->isEditing() &&
                (m_grid->currentRow() != next->row || m_grid->currentColumn() != next->column))
                m_grid->setCurrentCell(next->row, next->column);
        },
        Qt::QueuedConnection);
}
