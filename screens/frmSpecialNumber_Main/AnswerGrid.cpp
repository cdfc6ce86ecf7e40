#include "frmSpecialNumber_Main/AnswerGrid.h"

#include "frmSpecialNumber_Main/AnswerGridDelegate.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "frmSpecialNumber_Main/AnswerGridScrollBar.h"
#include "frmSpecialNumber_Main/KeyCharacter.h"
#include "skin/Fonts.h"
#include "stage/CellEditorRules.h"
#include "style/ScrollBarExtentStyle.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

namespace {
constexpr int DefaultColumnUnits = 40 * WidthUnitsPerPixel;

bool hasCommandModifier(const QKeyEvent& event)
{
    return event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}
} // namespace

AnswerGrid::AnswerGrid(QWidget* parent)
    : QTableView(parent), m_model(new AnswerGridModel(this)),
      m_delegate(new AnswerGridDelegate(this)), m_columnUnits{HeaderColumnUnits}
{
    setObjectName(QStringLiteral("gCevap"));
    QFont gridFont(tahomaFamily());
    gridFont.setPointSizeF(FontPointSize);
    setFont(gridFont);

    setModel(m_model);
    setItemDelegate(m_delegate);
    m_delegate->setEditorCreatedHandler([this](QLineEdit* editor) { prepareEditor(editor); });
    m_delegate->setEditorKeyFilter(
        [this](QLineEdit* editor, QKeyEvent* event) { return filterEditorKey(editor, event); });
    // The headers repaint the sections of the old and the new current cell for the highlight that is
    // turned off below: from a row's last cell to the next row's first that is the whole column header.
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        disconnect(selectionModel(), &QItemSelectionModel::currentChanged, header, nullptr);
        disconnect(selectionModel(), &QItemSelectionModel::selectionChanged, header, nullptr);
    }
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, &AnswerGrid::modelAboutToBeReset);
    connect(m_model, &QAbstractItemModel::modelReset, this, &AnswerGrid::modelWasReset);

    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setFrameShape(QFrame::NoFrame);

    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(DefaultColumnUnits / WidthUnitsPerPixel);
    horizontalHeader()->setFixedHeight(HeaderRowHeight);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    verticalHeader()->setHighlightSections(false);

    // The layout reserves exactly 17 pixels for the vertical scroll bar, so it is always there.
    setVerticalScrollBar(new AnswerGridScrollBar(this));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* scrollBarStyle = new ScrollBarExtentStyle(ScrollBarWidth);
    scrollBarStyle->setParent(this);
    verticalScrollBar()->setStyle(scrollBarStyle);
    applyColumnWidths();
}

void AnswerGrid::setSheet(SheetEntry& entry)
{
    if (m_model->entry() != &entry)
        m_model->setEntry(&entry);
}

void AnswerGrid::clearSheet()
{
    m_model->setEntry(nullptr);
}

int AnswerGrid::dataRowCount() const
{
    return m_model->rowCount();
}

int AnswerGrid::dataColumnCount() const
{
    return m_model->columnCount();
}

void AnswerGrid::setColumnWidthUnits(int column, int units)
{
    if (column < 0 || column >= int(m_columnUnits.size()) || units < 0)
        return;
    m_columnUnits[std::size_t(column)] = units;
    applyColumnWidths();
}

int AnswerGrid::columnWidthUnits(int column) const
{
    if (column < 0 || column >= int(m_columnUnits.size()))
        return 0;
    return m_columnUnits[std::size_t(column)];
}

int AnswerGrid::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int AnswerGrid::currentColumn() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() + 1 : 0;
}

void AnswerGrid::setCurrentCell(int row, int column)
{
    const QModelIndex cell = m_model->index(row - 1, column - 1);
    if (cell.isValid())
        setCurrentIndex(cell);
}

void AnswerGrid::takeFocus()
{
    if (m_editor)
        m_editor->setFocus();
    else
        setFocus();
}

void AnswerGrid::keyPressEvent(QKeyEvent* event)
{
    const int code = KeyCharacter::of(*event);
    if (code == KeyCharacter::None || code == KeyCharacter::Tab || code == KeyCharacter::Escape ||
        hasCommandModifier(*event)) {
        QTableView::keyPressEvent(event);
        return;
    }
    // A character that the editor would discard does not open it: an editor left open and empty would
    // erase the cell at the next move. Enter has nothing to commit on a closed cell.
    event->accept();
    if (isAcceptedEditorKey(code) && code != EnterKey)
        edit(currentIndex(), AnyKeyPressed, event);
}

// Nothing the grid paints depends on the focus, while the base classes repaint every visible cell each
// time a digit's editor takes the focus and gives it back: twice per typed digit.
void AnswerGrid::focusInEvent(QFocusEvent* event)
{
    event->accept();
    if (!currentIndex().isValid())
        setCurrentCell(1, 1);
    setAttribute(Qt::WA_InputMethodEnabled, currentIndex().isValid());
}

void AnswerGrid::focusOutEvent(QFocusEvent* event)
{
    event->accept();
}

bool AnswerGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (!opensEditor(index, trigger))
        return QTableView::edit(index, trigger, event);
    bool cancel = false;
    if (m_hooks.beforeEdit)
        m_hooks.beforeEdit(index.row() + 1, index.column() + 1, cancel);
    if (cancel)
        return false;
    // Known before the editor exists: a key that opens it is delivered to it inside QTableView::edit.
    m_editRow = index.row() + 1;
    m_editColumn = index.column() + 1;
    return QTableView::edit(index, trigger, event);
}

bool AnswerGrid::opensEditor(const QModelIndex& index, EditTrigger trigger) const
{
    if (!index.isValid() || state() == EditingState || !(m_model->flags(index) & Qt::ItemIsEditable))
        return false;
    return trigger == AllEditTriggers || (trigger != NoEditTriggers && (editTriggers() & trigger));
}

void AnswerGrid::prepareEditor(QLineEdit* editor)
{
    editor->setMaxLength(m_editMaxLength);
    m_editor = editor;
    connect(editor, &QLineEdit::textEdited, this, &AnswerGrid::editorTextEdited);
    markEditedCell(m_model->index(m_editRow - 1, m_editColumn - 1));
}

void AnswerGrid::markEditedCell(const QModelIndex& cell)
{
    // The editor is transparent, so the cell under it must not show the text the editor replaces.
    const QModelIndex previous = m_delegate->editedCell();
    m_delegate->setEditedCell(cell);
    viewport()->update(visualRect(previous));
    viewport()->update(visualRect(cell));
}

bool AnswerGrid::filterEditorKey(QLineEdit* editor, QKeyEvent* event)
{
    const int code = KeyCharacter::of(*event);
    if (code == KeyCharacter::None)
        return false;
    if (!isAcceptedEditorKey(code))
        return true;
    if (code == EnterKey) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
        return true;
    }
    return false;
}

void AnswerGrid::editorTextEdited(const QString& text)
{
    if (!text.isEmpty() && m_editor == sender())
        moveToNextCell();
}

void AnswerGrid::moveToNextCell()
{
    // Selecting another cell commits the open edit, so one typed digit is stored at once.
    if (const auto next = cellAfterTyping({m_editRow, m_editColumn}, dataRowCount(), dataColumnCount()))
        setCurrentCell(next->row, next->column);
}

void AnswerGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // The base class closes the open editor before it scrolls. A closed editor leaves its area invalid
    // in the backing store, and a scroll over an invalid area repaints the whole viewport instead of
    // moving its pixels: the row after a row's last digit costs 600 cells instead of 30.
    if (m_editor && current.isValid() && hasAutoScroll() && isVisible())
        scrollTo(current);
    QTableView::currentChanged(current, previous);
    if (m_hooks.cellChanged) {
        m_hooks.cellChanged(previous.isValid() ? previous.row() + 1 : 0, previous.isValid() ? previous.column() + 1 : 0,
                            current.isValid() ? current.row() + 1 : 0, current.isValid() ? current.column() + 1 : 0);
    }
}

void AnswerGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool endsOurEdit = editor && editor == m_editor && state() == EditingState;
    // The view takes the focus back only from an editor that has it, which in a window that is not
    // active none has: the window would keep no focus widget for the keys that still reach it.
    const bool editorHeldWindowFocus = editor && window()->focusWidget() == editor;
    QTableView::closeEditor(editor, hint);
    if (editorHeldWindowFocus && !hasFocus())
        setFocus();
    if (!endsOurEdit)
        return;
    m_editor = nullptr;
    markEditedCell({});
    if (m_hooks.afterEdit)
        m_hooks.afterEdit(m_editRow, m_editColumn);
}

// A change of several cells of one row (a group's highlight) is repainted cell by cell. The base class
// repaints such a range one pixel into the next row, painting that row's cells too, and in that
// one-pixel band its grid lines come out as stray dots that a whole repaint does not show.
void AnswerGrid::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles)
{
    if (topLeft.isValid() && bottomRight.isValid() && topLeft != bottomRight && topLeft.row() == bottomRight.row()) {
        for (int column = topLeft.column(); column <= bottomRight.column(); ++column) {
            const QModelIndex cell = topLeft.siblingAtColumn(column);
            QTableView::dataChanged(cell, cell, roles);
        }
        return;
    }
    QTableView::dataChanged(topLeft, bottomRight, roles);
}

void AnswerGrid::applyColumnWidths()
{
    const std::vector<int> widths = columnPixelWidths(m_columnUnits);
    verticalHeader()->setFixedWidth(widths.front());
    for (std::size_t column = 1; column < widths.size(); ++column)
        horizontalHeader()->resizeSection(int(column) - 1, widths[column]);
}

void AnswerGrid::modelAboutToBeReset()
{
    // The view drops its editors on a reset without ending their edits, so nothing is committed. The
    // focus leaves the editor first: a focused editor that disappears would pass the focus on as a Tab
    // would, moving the current cell.
    if (QLineEdit* editor = m_editor) {
        m_editor = nullptr;
        m_delegate->setEditedCell({});
        editor->removeEventFilter(m_delegate);
        if (editor->hasFocus())
            setFocus();
    }
}

void AnswerGrid::modelWasReset()
{
    const std::size_t columns = std::size_t(dataColumnCount()) + 1;
    m_columnUnits.resize(columns, m_columnUnits.size() > 1 ? m_columnUnits.back() : DefaultColumnUnits);
    applyColumnWidths();
    setCurrentCell(1, 1);
}
