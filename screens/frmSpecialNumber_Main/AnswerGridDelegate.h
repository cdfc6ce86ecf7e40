#pragma once

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

#include <functional>

class QKeyEvent;
class QLineEdit;

// Paints an answer cell (group highlight, per-digit bar, centred text, a frame around the current
// cell) and gives it a one-line editor. The grid decides what the editor's keys do.
class AnswerGridDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnswerGridDelegate)

public:
    // Called for every new editor before it is shown or receives a key.
    using EditorCreated = std::function<void(QLineEdit* editor)>;
    // Called for every key pressed in an editor before the editor sees it; true consumes the key.
    using EditorKeyFilter = std::function<bool(QLineEdit* editor, QKeyEvent* event)>;

    explicit AnswerGridDelegate(QObject* parent = nullptr);

    void setEditorCreatedHandler(EditorCreated handler) { m_editorCreated = std::move(handler); }
    void setEditorKeyFilter(EditorKeyFilter filter) { m_keyFilter = std::move(filter); }
    // The cell whose editor is open paints no text of its own: the editor shows the text being edited.
    void setEditedCell(const QModelIndex& cell) { m_editedCell = cell; }
    QModelIndex editedCell() const { return m_editedCell; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    EditorCreated m_editorCreated;
    EditorKeyFilter m_keyFilter;
    QPersistentModelIndex m_editedCell;
};
