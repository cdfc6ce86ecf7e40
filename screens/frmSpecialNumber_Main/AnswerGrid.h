#pragma once

#include "frmSpecialNumber_Main/AnswerGridHooks.h"
#include "stage/GridLayout.h"

#include <QPointer>
#include <QTableView>

#include <vector>

class AnswerGridDelegate;
class AnswerGridModel;
class QLineEdit;
class SheetEntry;

// The answer grid `gCevap`: one digit per cell, typed straight into the current cell. A typed digit
// opens the cell's editor, commits at once and moves the cursor on to the next cell; the recall stage
// takes part through AnswerGridHooks. Rows and columns count from 1; the header row and the header
// column are row 0 and column 0. Column widths are kept in width units (GridLayout.h).
class AnswerGrid final : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnswerGrid)

public:
    // The header column's standard width, which the stage window sets back after a layout.
    static constexpr int HeaderColumnUnits = ::HeaderColumnUnits;
    static constexpr int HeaderRowHeight = 36;
    static constexpr int RowHeight = 32;
    static constexpr double FontPointSize = 15.75;

    explicit AnswerGrid(QWidget* parent = nullptr);

    AnswerGridModel& answers() { return *m_model; }
    const AnswerGridModel& answers() const { return *m_model; }
    void setHooks(AnswerGridHooks hooks) { m_hooks = std::move(hooks); }

    // Shows the sheet of `entry` and hands it every edit; `entry` must outlive the grid or be replaced
    // first. The entry already shown keeps the cursor as it is, so setting it again is harmless; another
    // makes the first data cell current and drops an open edit without ending it.
    void setSheet(SheetEntry& entry);
    // Shows no sheet any more: an owner that goes before the grid lets go of it first.
    void clearSheet();
    int dataRowCount() const;
    int dataColumnCount() const;

    // Column 0 is the header column. The units read back exactly as set; on screen every column edge
    // lies at its rounded position, so the columns add up to the rounded total width.
    void setColumnWidthUnits(int column, int units);
    int columnWidthUnits(int column) const;

    int currentRow() const;
    int currentColumn() const;
    // Ends an open edit (committing it), selects the cell and scrolls it into view.
    void setCurrentCell(int row, int column);

    bool isEditing() const { return !m_editor.isNull(); }
    // The length limit of the next editor to open; the stage sets it before every edit.
    void setEditMaxLength(int length) { m_editMaxLength = length; }
    // Gives the keyboard focus to the grid, or to its open editor so that the edit stays open.
    void takeFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;

private:
    bool opensEditor(const QModelIndex& index, EditTrigger trigger) const;
    void prepareEditor(QLineEdit* editor);
    void markEditedCell(const QModelIndex& cell);
    bool filterEditorKey(QLineEdit* editor, QKeyEvent* event);
    void editorTextEdited(const QString& text);
    void moveToNextCell();
    void applyColumnWidths();
    void modelAboutToBeReset();
    void modelWasReset();

    AnswerGridModel* m_model;
    AnswerGridDelegate* m_delegate;
    AnswerGridHooks m_hooks;
    std::vector<int> m_columnUnits;
    int m_editMaxLength = 1;
    // The cell being edited and its editor; null while no edit is open.
    QPointer<QLineEdit> m_editor;
    int m_editRow = 0;
    int m_editColumn = 0;
};
