#include "frmSpecialNumber_Main/AnswerGridDelegate.h"

#include "frmSpecialNumber_Main/AnswerGridModel.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <cmath>

namespace {
constexpr int CurrentCellFrameWidth = 2;

void paintFlood(QPainter* painter, const QRect& cell, const QModelIndex& index)
{
    const QVariant percent = index.data(AnswerGridModel::FloodPercentRole);
    if (!percent.isValid())
        return;
    // The bar's percentage grows with the clock and may pass 100 before the stage ends.
    const double share = std::clamp(percent.toDouble(), 0.0, 100.0) / 100.0;
    const int width = int(std::lround(cell.width() * share));
    if (width > 0)
        painter->fillRect(QRect(cell.left(), cell.top(), width, cell.height()),
                          index.data(AnswerGridModel::FloodColorRole).value<QColor>());
}
} // namespace

AnswerGridDelegate::AnswerGridDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void AnswerGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QRect cell = option.rect;
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.isValid())
        painter->fillRect(cell, background.value<QBrush>());
    paintFlood(painter, cell, index);

    painter->save();
    painter->setFont(option.font);
    painter->setPen(option.palette.color(QPalette::Text));
    if (index != m_editedCell)
        painter->drawText(cell, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
    // The current cell is framed, not filled, so that the per-digit bar stays visible in it.
    if (option.state & QStyle::State_Selected) {
        const int inset = CurrentCellFrameWidth / 2;
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), CurrentCellFrameWidth));
        painter->drawRect(cell.adjusted(inset, inset, -inset, -inset));
    }
    painter->restore();
}

QWidget* AnswerGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                          const QModelIndex& /*index*/) const
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setAlignment(Qt::AlignCenter);
    editor->setContextMenuPolicy(Qt::NoContextMenu);
    editor->setInputMethodHints(Qt::ImhDigitsOnly);
    // Paste and drop bypass the key filter; the validator keeps them to digits as well.
    editor->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), editor));
    // A transparent editor lets the highlight and the bar of its cell show through.
    QPalette palette = editor->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    editor->setPalette(palette);
    if (m_editorCreated)
        m_editorCreated(editor);
    return editor;
}

void AnswerGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* lineEdit = qobject_cast<QLineEdit*>(editor);
    if (!lineEdit)
        return;
    const QString text = index.data(Qt::EditRole).toString();
    if (lineEdit->text() != text)
        lineEdit->setText(text);
    // A typed character replaces the cell's digit instead of bouncing off the length limit.
    lineEdit->selectAll();
}

void AnswerGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* lineEdit = qobject_cast<QLineEdit*>(editor))
        model->setData(index, lineEdit->text(), Qt::EditRole);
}

bool AnswerGridDelegate::eventFilter(QObject* object, QEvent* event)
{
    // This filter runs before the editor's own handling and before the default one (which would also
    // commit on Tab and revert on Escape, keys the grid discards).
    if (event->type() == QEvent::KeyPress && m_keyFilter) {
        if (auto* editor = qobject_cast<QLineEdit*>(object);
            editor && m_keyFilter(editor, static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
